// --replay FILE: a recorded game played again headless, ending with its report.
#pragma once
#include "shell/Options.h"

namespace bm {

class Logs;

// Plays options.replayPath; the report goes to options.reportPath, or to the
// standard output. Returns the process exit code (1 for an unreadable tape).
int ReplayGame(const RunOptions& options, Logs& logs);

}  // namespace bm

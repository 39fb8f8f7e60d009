// Start-up in its fixed order, the run, and shut-down.
#pragma once
#include <string>

#include "shell/Options.h"

namespace bm {

// The folder of the running program.
std::string ProgramDir();
// Where writable files go: the program folder when writable, else $XDG_DATA_HOME/brinemoor.
std::string DefaultDataDir(const std::string& programDir);
// The whole run; returns the process exit code.
int RunGame(RunOptions options);

}  // namespace bm

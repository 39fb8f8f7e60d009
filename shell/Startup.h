// Start-up in its fixed order, the run, and shut-down.
#pragma once
#include <string>

#include "shell/Options.h"

namespace bm {

// The folder of the running program.
std::string ProgramDir();
// The folder with levels, pictures and sounds: the program's own, or
// <prefix>/share/brinemoor beside an installed program's <prefix>/bin.
std::string GameDirFor(const std::string& programDir);
// Where the game writes: the program folder of a build or unpacked copy when it
// is writable, else $XDG_DATA_HOME/brinemoor (~/.local/share/brinemoor).
std::string DefaultDataDir(const std::string& programDir, const std::string& gameDir);
// The whole run; returns the process exit code.
int RunGame(RunOptions options);

}  // namespace bm

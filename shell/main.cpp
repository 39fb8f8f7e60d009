// Brinemoor: start-up, the loops and shut-down.
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <iostream>

#include "diag/Logs.h"
#include "platform/Host.h"
#include "shell/Report.h"
#include "shell/Startup.h"
#include "shell/StopSignals.h"

namespace {

// The libraries' own start-up code runs for some 50 ms before main: a stop
// signal sent then waits, blocked, for the watcher StopSignals starts, instead
// of killing the program there. Run from .preinit_array, before any of it.
void BlockStopSignalsEarly(int, char**, char**) {
  sigset_t set;
  sigemptyset(&set);
  for (int s : {SIGTERM, SIGINT, SIGHUP}) sigaddset(&set, s);
  sigprocmask(SIG_BLOCK, &set, nullptr);
}
[[gnu::section(".preinit_array"), gnu::used]] void (*const kBlockStopSignalsEarly)(int, char**, char**) =
    BlockStopSignalsEarly;

}  // namespace

int main(int argc, char** argv) {
  // Before anything starts a thread, so every thread leaves the stop signals to the watcher.
  bm::StopSignals stop;
  bm::RunOptions options;
  std::string error;
  if (!bm::ParseCommandLine(argc, argv, options, error)) {
    std::cerr << "brinemoor: " << error << "\n" << bm::UsageText();
    return 2;
  }
  if (options.showHelp) {
    std::cout << bm::UsageText();
    return 0;
  }
  if (options.showVersion) {
    std::cout << "Brinemoor " << BM_VERSION << "\n";
    return 0;
  }
  // A report that cannot be written fails now, not after the whole run.
  if (!options.reportPath.empty() && !bm::CanWriteReport(options.reportPath, error)) {
    std::cerr << "brinemoor: --report: " << error << "\n";
    return 2;
  }
  options.stop = &stop;
  options.installCrashLog = true;
  options.followDesktopLanguage = true;
  return bm::RunGame(options);
}

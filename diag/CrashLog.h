// The last line a dying program writes: a fatal signal (SIGSEGV, SIGBUS, SIGFPE,
// SIGILL, SIGABRT) or an uncaught exception leaves a "Critical Error!" line in
// the run log, in the log's own format, before the program ends as it would have.
//
// Signal handlers are process-wide, so this is the one place that keeps state
// for them: the run log's descriptor and the local-time offset, prepared when
// installed so the handler itself only does arithmetic and write(2).
#pragma once
#include <string>

namespace bm {

struct CrashLog {
  // Opens runLogPath for appending (after the logs were started afresh) and
  // installs the handlers. Sanitizer builds keep their own reports instead of the
  // signal handlers; the uncaught-exception line is written in every build.
  static void Install(const std::string& runLogPath);

  // The line for a fatal signal, built into buf without allocating (usable in a
  // signal handler); returns its length. utcSeconds and offsetSeconds give the local time.
  static int FormatSignalLine(char* buf, int size, long long utcSeconds, long offsetSeconds, int signal);
};

}  // namespace bm

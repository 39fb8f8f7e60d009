#include "diag/CrashLog.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cstring>
#include <ctime>
#include <exception>
#include <typeinfo>

#include "diag/Logs.h"

#if defined(__SANITIZE_ADDRESS__)
#define BM_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define BM_SANITIZED 1
#endif
#endif

namespace bm {

namespace {

int gLogFd = -1;
long gOffsetSeconds = 0;

// Small text helpers that never allocate.
struct Out {
  char* buf;
  int size;
  int len = 0;
  void Put(const char* s) {
    while (*s && len < size - 1) buf[len++] = *s++;
  }
  void Num(long long v, int width) {
    char digits[24];
    int n = 0;
    bool negative = v < 0;
    unsigned long long u = negative ? 0ull - (unsigned long long)v : (unsigned long long)v;
    do {
      digits[n++] = char('0' + u % 10);
      u /= 10;
    } while (u && n < 20);
    while (n < width) digits[n++] = '0';
    if (negative && len < size - 1) buf[len++] = '-';
    while (n > 0 && len < size - 1) buf[len++] = digits[--n];
  }
};

const char* SignalName(int signal) {
  switch (signal) {
    case SIGSEGV: return "SIGSEGV";
    case SIGBUS: return "SIGBUS";
    case SIGFPE: return "SIGFPE";
    case SIGILL: return "SIGILL";
    case SIGABRT: return "SIGABRT";
    default: return "signal";
  }
}

// Civil date from days since 1970-01-01 (proleptic Gregorian), without the C library.
void CivilFromDays(long long z, long long& y, int& m, int& d) {
  z += 719468;
  long long era = (z >= 0 ? z : z - 146096) / 146097;
  long long doe = z - era * 146097;
  long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  y = yoe + era * 400;
  long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  long long mp = (5 * doy + 2) / 153;
  d = int(doy - (153 * mp + 2) / 5 + 1);
  m = int(mp < 10 ? mp + 3 : mp - 9);
  if (m <= 2) ++y;
}

void WriteAll(const char* buf, int len) {
  while (gLogFd >= 0 && len > 0) {
    ssize_t n = write(gLogFd, buf, size_t(len));
    if (n <= 0) return;
    buf += n;
    len -= int(n);
  }
}

#ifndef BM_SANITIZED
// The sanitizers keep fatal signals for their own reports: these are left out there.
constexpr int kFatalSignals[] = {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};

void OnFatalSignal(int signal) {
  char line[256];
  int len = CrashLog::FormatSignalLine(line, sizeof line, (long long)time(nullptr), gOffsetSeconds, signal);
  WriteAll(line, len);
  // SA_RESETHAND put the default action back: end the way the signal meant.
  raise(signal);
}
#endif

void OnTerminate() {
  std::string what = "Uncaught exception";
  if (std::exception_ptr e = std::current_exception()) {
    try {
      std::rethrow_exception(e);
    } catch (const std::exception& x) {
      what += std::string(" ") + typeid(x).name() + ": " + x.what();
    } catch (...) {
      what += " of an unknown type";
    }
  } else {
    what = "Program terminated";
  }
  std::time_t t = std::time(nullptr);
  std::tm tm{};
  localtime_r(&t, &tm);
  char stamp[64];
  std::strftime(stamp, sizeof stamp, "%d.%m.%Y %H:%M:%S", &tm);
  std::string line = Logs::FormatLine(stamp, "std::terminate", what, true);
  WriteAll(line.data(), int(line.size()));
  // The abort that follows must not write a second line.
  signal(SIGABRT, SIG_DFL);
  std::abort();
}

}  // namespace

int CrashLog::FormatSignalLine(char* buf, int size, long long utcSeconds, long offsetSeconds, int signal) {
  long long local = utcSeconds + offsetSeconds;
  long long days = local >= 0 ? local / 86400 : (local - 86399) / 86400;
  long long secs = local - days * 86400;
  long long year;
  int month, day;
  CivilFromDays(days, year, month, day);
  Out o{buf, size};
  o.Num(day, 2);
  o.Put(".");
  o.Num(month, 2);
  o.Put(".");
  o.Num(year, 4);
  o.Put(" ");
  o.Num(secs / 3600, 2);
  o.Put(":");
  o.Num(secs / 60 % 60, 2);
  o.Put(":");
  o.Num(secs % 60, 2);
  o.Put(" -> Fatal signal * The program received ");
  o.Put(SignalName(signal));
  o.Put(" (");
  o.Num(signal, 1);
  o.Put(") and ends * Critical Error!\r\n");
  buf[o.len] = '\0';
  return o.len;
}

void CrashLog::Install(const std::string& runLogPath) {
  if (gLogFd >= 0) close(gLogFd);
  gLogFd = open(runLogPath.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  std::time_t now = std::time(nullptr);
  std::tm tm{};
  localtime_r(&now, &tm);
  gOffsetSeconds = tm.tm_gmtoff;
  std::set_terminate(OnTerminate);
#ifndef BM_SANITIZED
  // A stack of its own, so a stack overflow can still be reported.
  static char altStack[64 * 1024];
  stack_t ss{};
  ss.ss_sp = altStack;
  ss.ss_size = sizeof altStack;
  sigaltstack(&ss, nullptr);
  struct sigaction sa {};
  sa.sa_handler = OnFatalSignal;
  sa.sa_flags = SA_RESETHAND | SA_ONSTACK | SA_NODEFER;
  sigemptyset(&sa.sa_mask);
  for (int s : kFatalSignals) sigaction(s, &sa, nullptr);
#endif
}

}  // namespace bm

#include "diag/Logs.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <iostream>

namespace bm {

namespace {
std::atomic<std::uint64_t> linesWritten{0};

std::string LocalDateTime() {
  std::time_t t = std::time(nullptr);
  std::tm tm{};
  localtime_r(&t, &tm);
  char buf[64];
  std::strftime(buf, sizeof buf, "%d.%m.%Y %H:%M:%S", &tm);
  return buf;
}
}  // namespace

Logs::Logs(std::string dataDir) : dir_(std::move(dataDir)), now_(LocalDateTime) {
  if (dir_.empty()) dir_.push_back('.');
}

std::string Logs::RunLogPath() const { return dir_ + "/run.log"; }
std::string Logs::RunPointPath() const { return dir_ + "/run_pnt.log"; }

void Logs::StartRun() {
  for (const char* name : {"/run.log", "/run_pnt.log", "/debug.log"}) std::remove((dir_ + name).c_str());
}

std::string Logs::FormatLine(const std::string& dateTime, const std::string& place, const std::string& message,
                             bool critical) {
  return dateTime + " -> " + place + " * " + message + " * " + (critical ? "Critical Error!" : "") + "\r\n";
}

// Appending leaves exactly the old text plus the new line, which is all the
// whole-file rewrite ever achieved, without reading the log back each time.
void Logs::Append(const std::string& path, const std::string& line) {
  if (echo_) std::cerr << line.substr(0, line.size() - 2) << '\n';
  std::ofstream out(path, std::ios::binary | std::ios::app);
  if (out) {
    out << line;
    out.flush();  // a full disk shows here, not at the open
    if (out) {
      ++linesWritten;
      return;
    }
  }
  if (failures_++ == 0)
    std::cerr << "brinemoor: cannot write the log \"" << path << "\": " << std::strerror(errno)
              << "; further log lines that fail are counted, not shown\n";
}

void Logs::WriteRunLog(const std::string& place, const std::string& message, bool critical) {
  Append(RunLogPath(), FormatLine(now_(), place, message, critical));
  recent_.push_back(place.empty() ? message : place + " " + message);
  if (recent_.size() > kRecentLines) recent_.pop_front();
}

void Logs::WriteRunPoint(const std::string& place, const std::string& message) {
  Append(RunPointPath(), FormatLine(now_(), place, message, false));
}

std::uint64_t LogLinesWritten() { return linesWritten; }

}  // namespace bm

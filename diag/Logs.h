// The run logs: "run.log" for events and errors, "run_pnt.log" for check points.
// Both start afresh at every program start.
#pragma once
#include <cstdint>
#include <deque>
#include <functional>
#include <string>

namespace bm {

class Logs {
 public:
  // dataDir: the folder that holds the logs (no trailing slash needed).
  explicit Logs(std::string dataDir = ".");

  // Deletes the logs of the previous run ("run.log", "run_pnt.log", "debug.log").
  void StartRun();

  void WriteRunLog(const std::string& place, const std::string& message, bool critical = false);
  // The run log's last lines ("place message"), for cheat mode's debug panel; cleared on demand.
  static constexpr std::size_t kRecentLines = 24;
  const std::deque<std::string>& Recent() const { return recent_; }
  void ClearRecent() { recent_.clear(); }
  void WriteRunPoint(const std::string& place, const std::string& message);

  // Tests and headless runs pin the date-time text so lines are reproducible.
  void SetTimeSource(std::function<std::string()> now) { now_ = std::move(now); }

  std::string RunLogPath() const;
  std::string RunPointPath() const;
  // Echo every line to stderr as well (the --verbose flag).
  void SetEcho(bool echo) { echo_ = echo; }
  // Lines that could not be written (full disk, a folder gone read-only). The
  // first failure is told on stderr; the later ones are only counted.
  long Failures() const { return failures_; }

  static std::string FormatLine(const std::string& dateTime, const std::string& place, const std::string& message,
                                bool critical);

 private:
  void Append(const std::string& path, const std::string& line);
  std::string dir_;
  std::function<std::string()> now_;
  bool echo_ = false;
  long failures_ = 0;
  std::deque<std::string> recent_;
};

// Lines written to the logs in this process so far: the browser build copies
// the folder to the browser's persistent storage when it moved.
std::uint64_t LogLinesWritten();

}  // namespace bm

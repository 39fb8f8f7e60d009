#include "shell/Report.h"

#include <chrono>
#include <cstdio>

#include "match/MatchReport.h"
#include "match/Match.h"
#include "shell/Services.h"
#include "io/AtomicWrite.h"

namespace bm {

bool WriteReport(Services& s, const Match& m, const std::string& path) {
  const LoopState& loop = s.loop;
  double gameSeconds = (s.Now() - loop.StartMs) / 1000.0;
  double wallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - loop.WallStart).count();
  char saves[128];
  std::snprintf(saves, sizeof saves, "  \"saves\": %ld,\n  \"save_failures\": %ld,\n  \"log_failures\": %ld,\n",
                s.saves.counters.games, s.saves.counters.failures, s.logs.Failures());
  char run[256];
  // The run's own figures come last: a replay of this game repeats everything above them.
  std::snprintf(run, sizeof run, "  \"game_seconds\": %.3f,\n  \"wall_seconds\": %.3f,\n  \"first_frame_ms\": %.1f\n",
                gameSeconds, wallSeconds, loop.FirstFrameMs < 0 ? -1.0 : loop.FirstFrameMs - loop.StartMs);
  std::string text = "{\n" + MatchReportFields(m, s.options.seed) + saves + run + "}\n";
  std::string err;
  if (WriteFileAtomic(path, text, &err)) return true;
  s.logs.WriteRunLog("WriteReport", "Cannot write " + path + ": " + err, true);
  std::fprintf(stderr, "brinemoor: cannot write the report: %s\n", err.c_str());
  return false;
}

bool CanWriteReport(const std::string& path, std::string& error) {
  // A temporary file beside it, dropped at once: the folder takes new files and nothing unreadable stands there.
  AtomicFile probe;
  return probe.Open(path, &error);
}

}  // namespace bm

#include "shell/Report.h"

#include <chrono>
#include <cstdio>

#include "match/MatchReport.h"
#include "shell/Game.h"
#include "io/AtomicWrite.h"

namespace bm {

void WriteReport(Game& g, const std::string& path) {
  double gameSeconds = (g.Now() - g.startMs) / 1000.0;
  double wallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - g.stats.wallStart).count();
  char saves[96];
  std::snprintf(saves, sizeof saves, "  \"saves\": %ld,\n  \"save_failures\": %ld,\n", g.saveCounters.games,
                g.saveCounters.failures);
  char run[256];
  // The run's own figures come last: a replay of this game repeats everything above them.
  std::snprintf(run, sizeof run, "  \"game_seconds\": %.3f,\n  \"wall_seconds\": %.3f,\n  \"first_frame_ms\": %.1f\n",
                gameSeconds, wallSeconds, g.firstFrameMs < 0 ? -1.0 : g.firstFrameMs - g.startMs);
  std::string text = "{\n" + MatchReportFields(g.match, g.options.seed) + saves + run + "}\n";
  std::string err;
  if (!WriteFileAtomic(path, text, &err)) g.logs.WriteRunLog("WriteReport", "Cannot write " + path + ": " + err);
}

}  // namespace bm

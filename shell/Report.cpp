#include "shell/Report.h"

#include <chrono>
#include <cstdio>
#include <fstream>

#include "shell/Game.h"
#include "storage/AtomicWrite.h"

namespace bm {

void WriteReport(Game& g, const std::string& path) {
  const RunStats& s = g.stats;
  double gameSeconds = (g.Now() - g.startMs) / 1000.0;
  double wallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - s.wallStart).count();
  char buf[1024];
  std::snprintf(buf, sizeof buf,
                "{\n  \"seed\": %llu,\n  \"levels_played\": %d,\n  \"levels_won\": %d,\n  \"score\": %d,\n"
                "  \"moves\": %ld,\n  \"lines\": %ld,\n  \"longest_cascade\": %d,\n  \"reshuffles\": %d,\n"
                "  \"frames\": %ld,\n  \"game_seconds\": %.3f,\n  \"wall_seconds\": %.3f,\n"
                "  \"invariant_violations\": %ld,\n  \"first_frame_ms\": %.1f\n}\n",
                g.options.seed, s.levelsPlayed, s.levelsWon, g.session.Score, s.moves, s.lines, s.longestCascade,
                s.reshuffles, s.frames, gameSeconds, wallSeconds, s.invariantViolations,
                g.firstFrameMs < 0 ? -1.0 : g.firstFrameMs - g.startMs);
  std::string err;
  if (!WriteFileAtomic(path, buf, &err)) g.logs.WriteRunLog("WriteReport", "Cannot write " + path + ": " + err);
}

}  // namespace bm

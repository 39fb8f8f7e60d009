// Options for a whole headless game played by the bot from the main menu, its
// report written to report.json in the test's folder.
#pragma once
#include "TestDirs.h"
#include "shell/Options.h"

namespace bm::test {

inline RunOptions HeadlessBot(const TempDir& dir, unsigned long long seed, double maxSeconds) {
  RunOptions o;
  o.headless = true;
  o.autoplay = true;
  o.dataDir = dir.str();
  o.gameDir = BM_GAME_DIR;
  o.seedGiven = true;
  o.seed = seed;
  o.maxSeconds = maxSeconds;
  o.reportPath = (dir.path / "report.json").string();
  return o;
}

}  // namespace bm::test

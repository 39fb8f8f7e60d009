// Options for a whole headless run from the main menu: seed 0 leaves the seed
// to the clock, 0 seconds sets no limit; the bot's runs write their report to
// report.json in the test's folder.
#pragma once
#include "shell/Options.h"
#include "tests/TempDir.h"

namespace bm::test {

inline RunOptions HeadlessRun(const TempDir& dir, unsigned long long seed = 0, double maxSeconds = 0) {
  RunOptions o;
  o.headless = true;
  o.dataDir = dir.str();
  o.gameDir = BM_GAME_DIR;
  o.seedGiven = seed != 0;
  o.seed = seed;
  o.maxSeconds = maxSeconds;
  return o;
}

inline RunOptions HeadlessBot(const TempDir& dir, unsigned long long seed, double maxSeconds) {
  RunOptions o = HeadlessRun(dir, seed, maxSeconds);
  o.autoplay = true;
  o.reportPath = (dir.path / "report.json").string();
  return o;
}

}  // namespace bm::test

// A short soak: every shipped level loaded from its files and played by the bot
// for a minute of game clock, every board promise checked every frame. It catches
// a level that crashes, soft-locks or breaks the rules; the long soak over many
// seeds is scripts/soak.sh.
#include <gtest/gtest.h>

#include <memory>

#include "bot/Autoplay.h"
#include "board/GameFrame.h"
#include "board/Invariants.h"
#include "board/StartMatches.h"
#include "diag/Logs.h"
#include "progress/LoadLevel.h"
#include "tests/TempDir.h"

namespace bm {
namespace {

struct LevelRun {
  bool won = false;
  int moves = 0;
  int violations = 0;
  std::string report;
};

LevelRun PlayLevelForAMinute(int n, Logs& logs, std::uint64_t seed) {
  auto cells = std::make_unique<Cells>();
  BoardState st;
  LevelState level;
  BoardPlayer player;
  Rng rng(seed);
  ScreenMetrics metrics = ScreenMetrics::For(1280, 1024);
  LoadLevel(n, std::string(BM_GAME_DIR) + "/levels", *cells, level, rng, metrics.XScale, logs);
  RemoveStartMatches(*cells, level, rng);
  double now = 1000;
  BeginLevelPlay(st, now);
  AutoplayOptions bo;
  bo.seed = seed;
  Autoplay bot(bo);
  InvariantChecker checker;
  LevelRun r;
  Rng jitter(seed * 31 + 7);
  while (now - 1000 < 60000 && !r.won) {
    double dt = 16 * (0.5 + jitter.Next());
    now += dt;
    PointerFeed feed = bot.Step(now, *cells, st, metrics);
    FrameInput in;
    in.now = now;
    in.frameFactor = dt / 35;
    in.pointerX = feed.x;
    in.pointerY = feed.y;
    in.leftDown = feed.left;
    in.rightDown = feed.right;
    in.metrics = metrics;
    GameFrame(in, *cells, st, level, player, rng);
    for (const BoardEvent& e : st.Events)
      if (e.kind == BoardEvent::Kind::LevelComplete) r.won = true;
    st.Events.clear();
    checker.Check(*cells, st, now);
  }
  r.moves = bot.MovesMade();
  r.violations = checker.Violations();
  r.report = checker.Report();
  return r;
}

TEST(LevelSoak, EveryShippedLevelPlaysAMinuteWithEveryPromiseKept) {
  test::TempDir dir;
  Logs logs(dir.str());
  int won = 0;
  for (int n = 1; n <= kLevelCount; ++n) {
    LevelRun r = PlayLevelForAMinute(n, logs, 1);
    EXPECT_EQ(r.violations, 0) << "level " << n << "\n" << r.report;
    EXPECT_GT(r.moves, 5) << "level " << n << ": the bot found almost nothing to play";
    won += r.won;
  }
  EXPECT_EQ(dir.Read("run.log"), "") << "the shipped levels load without a repair";
  RecordProperty("levels_won_in_a_minute", won);
}

}  // namespace
}  // namespace bm

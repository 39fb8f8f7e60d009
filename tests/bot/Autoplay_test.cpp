#include "bot/Autoplay.h"

#include <gtest/gtest.h>

#include "bench/harness/BotRun.h"
#include "board/Invariants.h"
#include "tests/board/BoardKit.h"

namespace bm {
namespace {

using testing::BoardKit;

// Feeds the bot's pointer into kit frames.
void BotFrames(BoardKit& kit, Autoplay& bot, int n, double dt = 35) {
  for (int k = 0; k < n; ++k) {
    PointerFeed f = bot.Step(kit.now + dt, kit.cells, kit.st, kit.metrics);
    kit.px = f.x;
    kit.py = f.y;
    kit.left = f.left;
    kit.right = f.right;
    kit.Frame(dt);
  }
}

TEST(Autoplay, PrefersTheMoveThatGildsAndBursts) {
  BoardKit kit;
  // Two moves: 28<->22 completes column 0 on gold tiles; 35<->24 completes
  // 2-13-24 on new tiles with a bubble at 13.
  for (int i : {0, 11, 28}) kit.Set(i, 1);
  for (int i : {0, 11, 22}) kit.cells[i].Gnd = 1;
  for (int i : {2, 13, 35}) kit.Set(i, 2, i == 13);
  Rng rng(1);
  auto move = Autoplay::ChooseMove(kit.cells, rng);
  ASSERT_TRUE(move);
  EXPECT_EQ(std::pair(std::min(move->from, move->to), std::max(move->from, move->to)), std::pair(24, 35));
}

// One move, made by clicks, by a drag, or after clearing a selection the bot
// did not make (17 neighbours 22 and 28: pairing with it would be wrong).
TEST(Autoplay, ClicksOrDragsLikeAPlayerAndClearsAStaleSelectionFirst) {
  for (auto [drag, stale] : {std::pair{false, false}, {true, false}, {false, true}}) {
    BoardKit kit;
    for (int i : {0, 11, 28}) kit.Set(i, 1);
    if (stale) kit.Click(17);
    AutoplayOptions o;
    o.dragEvery = drag ? 1 : 0;
    if (drag) o.moveMs = 100;
    Autoplay bot(o);
    BotFrames(kit, bot, drag ? 20 : 12);
    EXPECT_EQ(bot.MovesMade(), 1) << drag << stale;
    EXPECT_EQ(bot.MovesMissed(), 0) << drag << stale;
    kit.Settle();
    EXPECT_EQ(kit.st.Score, 75) << drag << stale;
  }
}

TEST(Autoplay, WaitsWhileTheBoardIsBusyForItsThinkingTimeAndForAShuffle) {
  BoardKit kit;
  for (int i : {0, 11, 28}) kit.Set(i, 1);
  kit.Set(100, 9, 1);  // a bubble bursting
  kit.cells[100].Disappear = Removal::Removing;
  kit.cells[100].IsAvailable = false;
  AutoplayOptions o;
  o.thinkMs = 1000;
  Autoplay bot(o);
  BotFrames(kit, bot, 10);
  EXPECT_EQ(bot.MovesMade(), 0);
  BotFrames(kit, bot, 60);
  EXPECT_EQ(bot.MovesMade(), 1);
  // On a board without moves it does nothing until the board is shuffled.
  BoardKit still({}, true);
  Autoplay idle;
  BotFrames(still, idle, 116);
  EXPECT_EQ(idle.MovesMade(), 0);
  EXPECT_TRUE(still.st.NoMovesRunning);
}

// A holed, bubbled level at a player's pace, then other seeds, frame rates and kinds.
TEST(Autoplay, WinsGeneratedLevelsWithoutBreakingAnyRule) {
  for (std::uint64_t seed : {42u, 1u, 2u, 3u}) {
    BotRunOptions o;
    o.seed = seed;
    if (seed == 42) {
      o.holes = "5 10 60 61 110 115";
      o.bubbles = "40:2 62:1 84:3";
      o.bot.holdMs = 20;
      o.bot.moveMs = 60;
    } else {
      o.frameMs = seed == 2 ? 50 : 8;
      o.kinds = seed == 3 ? 6 : 4;
    }
    BotRunResult r = RunBotOnLattice(o);
    EXPECT_TRUE(r.won) << "seed " << seed << " after " << r.gameMs / 1000 << " s, " << r.moves << " moves";
    EXPECT_EQ(r.violations, 0) << "seed " << seed << "\n" << r.report;
    if (seed == 42) {
      EXPECT_GT(r.gameMs, 60000);  // a real level takes minutes, not seconds
      EXPECT_GT(r.score, 0);
    }
  }
}

}  // namespace
}  // namespace bm

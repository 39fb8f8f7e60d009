// Faults of the board that only show over several frames of a whole match:
// the move count against a running swap, the count's pace, slow frames,
// lines on a settled board, the cheat keys and the level start.
#include <gtest/gtest.h>

#include <memory>

#include "board/MoveSearch.h"
#include "board/Swap.h"
#include "match/Match.h"
#include "tests/board/BoardKit.h"

namespace bm {
namespace {

using testing::BoardKit;

// Exactly one move: 22 <-> 33 completes 0-11-22.
constexpr const char* kOneMove = "1 f f f f f  f f f f f\n1 f f f f f  f f f f f\nf f f f f f  f f f f f\n1";

TEST(MoveCountDuringSwap, ASwapNeverMakesTheCountMissAMove) {
  {
    BoardKit kit(kOneMove);
    ASSERT_EQ(ListMoves(kit.cells).size(), 2u) << "one move, listed from both cells";
  }
  // Swap 11 with 16 (no line, so it swaps back): while it runs, 11 holds
  // another code and the move 22-33 is not there. Start it at every point of
  // the count: it must never end with a count of 0.
  for (int offset = 0; offset < 130; offset += 3) {
    BoardKit kit(kOneMove);
    kit.PointAt(0);
    kit.px = -1000;  // the pointer rests outside the board
    kit.Frames(offset);
    ASSERT_TRUE(StartSwap(kit.cells, kit.st, 11, 16));
    for (int k = 0; k < 400; ++k) {
      kit.Frame();
      ASSERT_FALSE(kit.st.NoMovesRunning) << "false \"NO MORE MOVES\" with the swap started at frame " << offset;
    }
    EXPECT_EQ(kit.st.MovesAvailable, 1) << offset;
  }
}

// After a move the count runs again at full rate: the loop must not sleep
// between its frames, wherever the pointer rests.
TEST(MoveCountPace, TheCountRunsAtFullRateOnEverySettledBoard) {
  BoardKit kit("1 f f f f f  f f f f f\n1 f f f f f  f f f f f\nf f f f f f  f f f f f\n1");
  for (int i : {60, 71, 93}) kit.Set(i, 2);  // a second move, still there after the first
  kit.Frames(130);
  ASSERT_NE(kit.st.MovesText, "--");
  kit.Click(33);
  kit.Click(22);
  kit.px = kit.py = -1000;  // between moves the pointer rests off the board
  for (int k = 0; k < 50 && kit.st.MovesText != "--"; ++k) kit.Frame();  // the move's lines go
  ASSERT_EQ(kit.st.MovesText, "--");
  int quietWaits = 0, frames = 0;
  while (kit.st.MovesText == "--" && frames < 2000) {
    kit.Frame();
    ++frames;
    bool counting = kit.st.MovesText == "--";
    if (counting && kit.m.clock.quiet && MatchWakeAt(kit.m, kit.now) > kit.now + 1) ++quietWaits;
  }
  EXPECT_LT(frames, 2000);
  EXPECT_GT(kit.st.MovesAvailable, 0);
  EXPECT_EQ(quietWaits, 0) << "the loop would sleep while the count runs";
}

// The same move pays the same at any frame rate.
int ScoreOfOneLine(double dt) {
  BoardKit kit("1 f f f f f  f f f f f\n1 f f f f f  f f f f f\nf f f f f f  1");
  int before = kit.st.Score;
  kit.Click(28, dt);
  kit.Click(22, dt);
  kit.Settle(2000, dt);
  kit.Frames(3, dt);
  return kit.st.Score - before;
}

// A ready-made line on a settled board pays 25 a jewel; the combo starts afresh for each move.
TEST(SettledLines, AReadyMadeLinePays25AJewelTheComboStartsAfreshForEachMoveAndTheScoreIsTheSameAtAnyFrameRate) {
  BoardKit ready("1 f f f f f  f f f f f\n1 f f f f f  f f f f f\n1");
  ready.Settle();
  ready.Frames(5);
  EXPECT_EQ(ready.st.Score, 75);
  // Two separate moves, each one line of three new tiles.
  BoardKit kit("1 f f f f f  f f f f f\n1 f f f f f  f f f f f\nf f f f f f  1 f f f f\n"
               "f f f f f f  f f f f f\n2 f f f f f  f f f f f\n2 f f f f f  f f f f f\nf f f f f f  2");
  kit.Click(28);
  kit.Click(22);
  kit.Settle();
  kit.Frames(5);
  EXPECT_EQ(kit.st.Score, 75);
  kit.Click(72);
  kit.Click(66);
  kit.Settle();
  kit.Frames(5);
  EXPECT_EQ(kit.st.Score, 150);
  // The same move pays the same at any frame rate.
  for (double dt : {16, 35, 120, 200, 400}) EXPECT_EQ(ScoreOfOneLine(dt), 75) << dt;
}

TEST(CheatKeys, OneLevelPerPressOfUpOrDown) {
  BoardKit kit;
  kit.keys = mkey::CheatMode | mkey::Up;
  kit.Frames(10);  // a 350 ms press
  FollowFlowWithoutScreens(kit.m, kit.now);  // the skip runs its screens between the levels
  EXPECT_EQ(kit.m.session.CurrentLevel, 2);
  kit.keys = mkey::CheatMode;
  kit.Frame();
  kit.keys = mkey::CheatMode | mkey::Up;
  kit.Frames(3);
  FollowFlowWithoutScreens(kit.m, kit.now);
  EXPECT_EQ(kit.m.session.CurrentLevel, 3);
  kit.keys = mkey::CheatMode | mkey::Down;
  kit.Frames(10);
  FollowFlowWithoutScreens(kit.m, kit.now);
  EXPECT_EQ(kit.m.session.CurrentLevel, 2);
  // Without cheat mode the keys do nothing, and a key held when it comes on waits for its release.
  kit.keys = mkey::Up;
  kit.Frames(3);
  kit.keys = mkey::CheatMode | mkey::Up;
  kit.Frames(3);
  FollowFlowWithoutScreens(kit.m, kit.now);
  EXPECT_EQ(kit.m.session.CurrentLevel, 2);
}

TEST(LevelStart, ArmedAnchorAndSunGoBackToTheStock) {
  BoardKit kit;
  kit.st.AnchorArmed = kit.st.SunArmed = true;
  StartLevel(kit.m, kit.now);
  EXPECT_FALSE(kit.st.AnchorArmed || kit.st.SunArmed);
  EXPECT_EQ(std::pair(kit.player.anchorCount, kit.player.sunCount), std::pair(1, 1));
}

}  // namespace
}  // namespace bm

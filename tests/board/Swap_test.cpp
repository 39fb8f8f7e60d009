#include "board/Swap.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>

#include "board/ItemCodes.h"
#include "bonus/BonusKinds.h"
#include "tests/board/BoardKit.h"

namespace bm {
namespace {

using testing::BoardKit;
using testing::FillerCode;

// 22 and 28 are neighbours (28 is down-right of 22); on the filler board no
// swap makes a line.

int RunSwap(BoardKit& kit) {
  int frames = 0;
  while (kit.st.SwapState != SwapPhase::Idle && frames < 200) {
    kit.Frame();
    ++frames;
  }
  return frames;
}

TEST(Swap, WithoutALineItGoesBackWithItsSoundsAndTip) {
  BoardKit kit;
  kit.player.tipsOn = true;
  kit.Click(22);
  EXPECT_EQ(kit.st.SelectedCell, 22);
  kit.Click(28);
  EXPECT_NE(kit.st.SwapState, SwapPhase::Idle);
  EXPECT_EQ(kit.st.SelectedCell, kNoSelection);
  EXPECT_EQ(kit.st.SwapA, 28);  // the cell clicked last
  EXPECT_LT(RunSwap(kit), 200);
  EXPECT_TRUE(kit.st.IsReturnSwap);
  EXPECT_EQ(kit.cells[22].Gem, FillerCode(22));
  EXPECT_EQ(kit.cells[28].Gem, FillerCode(28));
  for (int i : {22, 28}) {
    EXPECT_TRUE(kit.cells[i].IsAvailable);
    EXPECT_FALSE(kit.cells[i].Front);
    EXPECT_EQ(kit.cells[i].Pos.Size, 0);
    EXPECT_EQ(kit.cells[i].Pos.CurX, kit.cells[i].Pos.X);
    EXPECT_EQ(kit.cells[i].Pos.CurY, kit.cells[i].Pos.Y);
  }
  auto sounds = kit.Sounds();
  std::vector<std::string> swaps;
  for (auto& s : sounds)
    if (s == "ev_game_swap" || s == "ev_game_wrong") swaps.push_back(s);
  EXPECT_EQ(swaps, (std::vector<std::string>{"ev_game_swap", "ev_game_wrong"}));
  auto tips = kit.Tips();
  EXPECT_NE(std::find(tips.begin(), tips.end(), 3), tips.end());
  EXPECT_EQ(kit.st.Score, 0);
}

TEST(Swap, ALineStaysAndIsRemoved) {
  BoardKit kit;
  for (int i : {0, 11, 28}) kit.Set(i, 1);
  kit.Click(22);
  kit.Click(28);
  RunSwap(kit);
  EXPECT_FALSE(kit.st.IsReturnSwap);
  EXPECT_EQ(kit.CountSound("ev_game_wrong"), 0);
  EXPECT_EQ(kit.cells[28].Gem, FillerCode(22));
  kit.Settle();
  for (int i : {0, 11, 22}) {
    EXPECT_EQ(kit.cells[i].Gem, 0) << i;
    EXPECT_EQ(kit.cells[i].Gnd, 1) << i;
    EXPECT_EQ(kit.cells.fx[std::size_t(i)].Text, "25") << i;
  }
  EXPECT_EQ(kit.st.Score, 75);
}

TEST(Swap, BonusItemsAreNeverSwappedBackAndTrigger) {
  BoardKit kit;
  kit.Set(22, item::Shuffle);
  kit.Click(22);
  kit.Click(28);
  RunSwap(kit);
  EXPECT_FALSE(kit.st.IsReturnSwap);
  EXPECT_EQ(kit.cells[28].Gem, item::Shuffle);
  EXPECT_EQ(kit.cells[28].Disappear, Removal::Start);
  EXPECT_EQ(kit.cells[28].Parent, 22);
  EXPECT_EQ(kit.cells[28].ParentGem, FillerCode(28));
  EXPECT_EQ(kit.cells[22].Disappear, Removal::None);
  kit.Settle();
  EXPECT_EQ(kit.cells[28].Gnd, 1);
  EXPECT_EQ(kit.cells[28].Gem, FillerCode(17));  // the item above fell in
}

TEST(Swap, TwoBonusItemsBothTrigger) {
  BoardKit kit;
  kit.Set(22, item::Parrot);
  kit.Set(28, 71);  // a key counts as a bonus
  ASSERT_TRUE(StartSwap(kit.cells, kit.st, 28, 22));
  RunSwap(kit);
  EXPECT_EQ(kit.cells[22].Disappear, Removal::Start);
  EXPECT_EQ(kit.cells[22].ParentGem, item::Parrot);
  EXPECT_EQ(kit.cells[28].Disappear, Removal::Start);
  EXPECT_EQ(kit.cells[28].ParentGem, 71);
}

TEST(Swap, StartRejectsEqualEmptyAndNonItemCodesAndASecondSwap) {
  BoardKit kit;
  kit.Set(23, kit.cells[22].Gem);
  EXPECT_FALSE(StartSwap(kit.cells, kit.st, 22, 23));
  kit.Set(23, 0);
  EXPECT_FALSE(StartSwap(kit.cells, kit.st, 22, 23));
  kit.Set(23, 65);
  EXPECT_FALSE(StartSwap(kit.cells, kit.st, 22, 23));
  EXPECT_FALSE(StartSwap(kit.cells, kit.st, 22, 22));
  EXPECT_FALSE(StartSwap(kit.cells, kit.st, 22, 501));
  kit.Set(28, item::Bomb);
  EXPECT_FALSE(StartJewelSwap(kit.cells, kit.st, 22, 28));
  EXPECT_TRUE(StartSwap(kit.cells, kit.st, 22, 28));
  EXPECT_FALSE(StartSwap(kit.cells, kit.st, 33, 39));
  EXPECT_EQ(kit.st.SwapA, 22);
}

TEST(Swap, CanSwapNeedsTwoDifferentFreeItems) {
  BoardKit kit;
  EXPECT_TRUE(CanSwap(kit.cells, 22, 28));
  kit.cells[28].Ice = 1;
  EXPECT_FALSE(CanSwap(kit.cells, 22, 28));
  kit.cells[28].Ice = 0;
  kit.Set(28, kit.cells[22].Gem);
  EXPECT_FALSE(CanSwap(kit.cells, 22, 28));
  kit.Set(28, 0);
  EXPECT_FALSE(CanSwap(kit.cells, 22, 28));
  EXPECT_FALSE(CanSwap(kit.cells, 22, -1));
}

TEST(Swap, RumSwapTurnsAboutTheMidpointAndStays) {
  BoardKit kit;
  kit.player.rumSwap = true;
  ASSERT_TRUE(StartJewelSwap(kit.cells, kit.st, 28, 22));
  double mx = (kit.cells[22].CenterX + kit.cells[28].CenterX) / 2;
  double my = (kit.cells[22].CenterY + kit.cells[28].CenterY) / 2;
  double r = std::hypot(kit.cells[22].CenterX - mx, kit.cells[22].CenterY - my);
  while (kit.st.SwapState != SwapPhase::Idle) {
    kit.Frame();
    if (kit.st.SwapState == SwapPhase::Exchange) {
      EXPECT_NEAR(std::hypot(kit.cells[28].Pos.CurX - mx, kit.cells[28].Pos.CurY - my), r, 1e-9);
    }
  }
  EXPECT_FALSE(kit.player.rumSwap);
  EXPECT_EQ(kit.cells[22].Gem, FillerCode(28));
  EXPECT_EQ(kit.cells[28].Gem, FillerCode(22));
  EXPECT_EQ(kit.CountSound("ev_game_wrong"), 0);
}

TEST(Swap, AnchorJoinsAnyTwoCellsEvenABubbledOne) {
  BoardKit kit;
  kit.cells[90].Ice = 2;
  kit.st.AnchorArmed = true;
  kit.st.SelectedCell = kNoCell;
  kit.Click(40);
  EXPECT_EQ(kit.st.SelectedCell, 40);
  kit.Click(90);
  EXPECT_EQ(kit.CountSound("bon_anc"), 1);
  EXPECT_FALSE(kit.st.AnchorArmed);
  EXPECT_TRUE(kit.st.AnchorSwap);
  RunSwap(kit);
  EXPECT_EQ(kit.cells[40].Gem, FillerCode(90));
  EXPECT_EQ(kit.cells[90].Gem, FillerCode(40));
  EXPECT_EQ(kit.cells[90].Ice, 2);  // the bubbles belong to the cell
  EXPECT_FALSE(kit.st.AnchorSwap);
}

TEST(Clicks, SelectionMovesAndClearsAsAPlayerExpects) {
  BoardKit kit;
  kit.Click(22);
  EXPECT_EQ(kit.st.SelectedCell, 22);
  kit.Click(22);
  EXPECT_EQ(kit.st.SelectedCell, kNoSelection);
  kit.Click(22);
  kit.Click(60);  // not a neighbour: the selection moves
  EXPECT_EQ(kit.st.SelectedCell, 60);
  kit.Set(66, kit.cells[60].Gem);  // 66 is below-right of 60, same code
  kit.Click(66);
  EXPECT_EQ(kit.st.SelectedCell, 66);
  EXPECT_EQ(kit.st.SwapState, SwapPhase::Idle);
  EXPECT_EQ(kit.CountSound("ev_game_click"), 4);
}

TEST(Clicks, BubbledItemsCannotBeSelectedNorClickedInto) {
  BoardKit kit;
  kit.cells[28].Ice = 1;
  kit.Click(28);
  EXPECT_EQ(kit.st.SelectedCell, kNoSelection);
  kit.Click(22);
  kit.Click(28);
  EXPECT_EQ(kit.st.SwapState, SwapPhase::Idle);
  EXPECT_EQ(kit.st.SelectedCell, 22);
}

TEST(Clicks, IgnoredWhileAnythingFallsOrIsRemoved) {
  {
    BoardKit kit;
    kit.Set(34, 0);  // the item in 23 falls; small steps keep it falling
    kit.Click(60, 5);
    EXPECT_EQ(kit.st.SelectedCell, kNoSelection);
  }
  {
    BoardKit kit;
    kit.cells[100].Disappear = Removal::Start;
    kit.cells[100].IsAvailable = false;
    kit.Click(60);
    EXPECT_EQ(kit.st.SelectedCell, kNoSelection);
  }
}

// A wrong swap runs out and back; meanwhile another item may be selected, and
// the swap still ends with both items where they were.
TEST(Clicks, SelectWhileAWrongSwapRunsOutAndBack) {
  BoardKit kit;
  int a = kit.cells[28].Gem, b = kit.cells[22].Gem;
  ASSERT_TRUE(StartSwap(kit.cells, kit.st, 28, 22));
  kit.Click(60);
  EXPECT_EQ(kit.st.SelectedCell, 60);
  EXPECT_NE(kit.st.SwapState, SwapPhase::Idle);
  kit.Click(28);  // a cell of the running swap is not available
  EXPECT_EQ(kit.st.SelectedCell, 60);
  kit.Settle();
  EXPECT_EQ(kit.cells[28].Gem, a);
  EXPECT_EQ(kit.cells[22].Gem, b);
  EXPECT_EQ(kit.CountSound("ev_game_wrong"), 1);
}

TEST(Clicks, OutsideTheClientAreaSelectNothing) {
  BoardKit kit;
  kit.inClient = false;
  kit.Click(22);
  EXPECT_EQ(kit.st.SelectedCell, kNoSelection);
  kit.inClient = true;
  kit.Click(22);
  EXPECT_EQ(kit.st.SelectedCell, 22);
}

// A drag toward a neighbour (a finger's swipe) swaps with it once it has gone a
// third of the way, in each of the lattice's six directions, 20 degrees off
// and with the button already up by the frame that sees it; toward a hole it
// does nothing.
TEST(Clicks, ASwipeTowardANeighbourSwapsWithIt) {
  std::string holed;
  for (int i = 0; i < 36; ++i) holed += i == 35 ? ". " : "x ";
  for (int offset : {-11, -6, -5, 5, 6, 11}) {
    BoardKit kit(offset == 11 ? holed : "");
    const int from = 24, to = from + offset;  // a cell with all six neighbours
    auto x = [&](int c) { return kit.metrics.CellScreenX(kit.cells[c].CenterX); };
    auto y = [&](int c) { return kit.metrics.CellScreenY(kit.cells[c].CenterY); };
    double dx = x(to) - x(from), dy = y(to) - y(from), turn = 20 * std::numbers::pi / 180;
    if (offset == 5) kit.Click(from);  // selected already: the press puts it down, the swipe still swaps
    kit.PointAt(from);
    kit.Frame();
    kit.left = true;
    kit.Frame();
    kit.px += dx * 0.3;
    kit.py += dy * 0.3;
    kit.Frame();
    EXPECT_EQ(kit.st.SwapState, SwapPhase::Idle) << offset << ": not a third of the way yet";
    kit.PointAt(from);
    kit.px += 0.45 * (dx * std::cos(turn) - dy * std::sin(turn));
    kit.py += 0.45 * (dx * std::sin(turn) + dy * std::cos(turn));
    kit.left = false;
    kit.Frame();
    if (offset == 11) {
      EXPECT_EQ(kit.st.SwapState, SwapPhase::Idle) << "toward a hole";
      continue;
    }
    EXPECT_NE(kit.st.SwapState, SwapPhase::Idle) << offset;
    EXPECT_EQ(kit.st.SwapA + kit.st.SwapB, from + to) << offset;
  }
}

TEST(Clicks, HeldButtonDoesNotClickAgain) {
  BoardKit kit;
  kit.PointAt(22);
  kit.Frame();
  kit.left = true;
  kit.Frames(5);
  EXPECT_EQ(kit.st.SelectedCell, 22);
}

}  // namespace
}  // namespace bm

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
  for (int i : {22, 28}) {
    const Cell& c = kit.cells[i];
    EXPECT_EQ(std::tuple(c.Gem, c.IsAvailable, c.Front, c.Pos.Size, c.Pos.CurX, c.Pos.CurY),
              std::tuple(FillerCode(i), true, false, 0.0, c.Pos.X, c.Pos.Y)) << i;
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
  const Cell& c = kit.cells[28];
  EXPECT_EQ(std::tuple(c.Gem, c.Disappear, c.Parent, c.ParentGem), std::tuple(int(item::Shuffle), Removal::Start, 22, FillerCode(28)));
  EXPECT_EQ(kit.cells[22].Disappear, Removal::None);
  kit.Settle();
  EXPECT_EQ(std::pair(c.Gnd, c.Gem), std::pair(1, FillerCode(17))) << "the item above fell in";

  // Two bonus items (a key counts as one) both trigger.
  BoardKit two;
  two.Set(22, item::Parrot);
  two.Set(28, 71);
  ASSERT_TRUE(StartSwap(two.cells, two.st, 28, 22));
  RunSwap(two);
  for (auto [cell, code] : {std::pair{22, item::Parrot}, std::pair{28, 71}})
    EXPECT_EQ(std::pair(two.cells[cell].Disappear, two.cells[cell].ParentGem), std::pair(Removal::Start, code)) << cell;
}

TEST(Swap, StartAndCanSwapRejectEqualEmptyBubbledAndNonItemCodesAndASecondSwap) {
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

  // Whether a swap could start: two different free items.
  kit.Load({});
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
  EXPECT_EQ(std::tuple(kit.cells[40].Gem, kit.cells[90].Gem, kit.cells[90].Ice), std::tuple(FillerCode(90), FillerCode(40), 2))
      << "the bubbles belong to the cell";
  EXPECT_FALSE(kit.st.AnchorSwap);
}

TEST(Clicks, SelectionMovesAndClearsAsAPlayerExpectsAndNeverOntoABubbledItem) {
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
  // Bubbled items can be neither selected nor clicked into.
  BoardKit bubbled;
  bubbled.cells[28].Ice = 1;
  bubbled.Click(28);
  EXPECT_EQ(bubbled.st.SelectedCell, kNoSelection);
  bubbled.Click(22);
  bubbled.Click(28);
  EXPECT_EQ(bubbled.st.SwapState, SwapPhase::Idle);
  EXPECT_EQ(bubbled.st.SelectedCell, 22);
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

// Outside the window nothing is selected; a held button clicks only once.
TEST(Clicks, OutsideTheClientAreaNothingAndAHeldButtonOnce) {
  BoardKit kit;
  kit.inClient = false;
  kit.Click(22);
  EXPECT_EQ(kit.st.SelectedCell, kNoSelection);
  kit.inClient = true;
  kit.PointAt(22);
  kit.Frame();
  kit.left = true;
  kit.Frames(5);
  EXPECT_EQ(kit.st.SelectedCell, 22);
}

}  // namespace
}  // namespace bm

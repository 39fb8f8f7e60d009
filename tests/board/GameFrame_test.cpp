#include "board/GameFrame.h"

#include <gtest/gtest.h>

#include "board/Swap.h"
#include "tests/board/BoardKit.h"

namespace bm {
namespace {

using testing::BoardKit;

TEST(GameFrame, ItemsGrowInOverTenFramesAndTheHourglassTicksAudiblyInTheLastHalfMinute) {
  BoardKit kit;
  for (int i = 0; i < kCellCount; ++i) kit.cells[i].Pos.Size = -40;
  kit.cells[7].Pos.Size = 0;  // e.g. a board restored at full size: the others still grow
  BeginLevelPlay(kit.st, kit.now);
  kit.Frames(9, 70);
  EXPECT_TRUE(kit.st.BoardGrowIn);
  EXPECT_DOUBLE_EQ(kit.cells[50].Pos.Size, -4);
  kit.Frame(3);
  EXPECT_FALSE(kit.st.BoardGrowIn);
  for (int i = 0; i < kCellCount; ++i) EXPECT_EQ(kit.cells[i].Pos.Size, 0);
  EXPECT_FALSE(kit.st.BoardIdle);  // the last grow-in frame is not a settled one
  // The hourglass ticks audibly in the last half minute.
  BoardKit glass;
  glass.level.TimeLimit = 100;
  glass.level.SandLeft = 0.215;  // 21.5 s: odd second
  glass.Frame();
  ASSERT_FALSE(glass.m.events.empty());
  const BoardEvent& e = glass.m.events.back();
  EXPECT_EQ(e.text, "ev_game_timeout");
  EXPECT_EQ(e.mode, SfxMode::Once);
  glass.level.SandLeft = 0.205;
  glass.Frame();
  EXPECT_EQ(glass.m.events.back().mode, SfxMode::Rearm);
}

TEST(GameFrame, TilesTurnGoldWithAFlashThenTipOneAndTipTwoWhenOneToThreeAreLeft) {
  BoardKit kit;
  kit.player.tipsOn = true;
  for (int i : {11, 22, 33}) kit.Set(i, 1);
  // Tip 1 not yet seen: the emptied cell waits one frame in state 22.
  bool saw22 = false;
  for (int k = 0; k < 40; ++k) {
    kit.Frame();
    saw22 = saw22 || kit.cells[11].Disappear == Removal::EmptyAfterTip;
  }
  EXPECT_TRUE(saw22);
  EXPECT_EQ(kit.cells[11].Gnd, 1);
  auto tips = kit.Tips();
  EXPECT_NE(std::find(tips.begin(), tips.end(), 1), tips.end());
  EXPECT_EQ(kit.cells[11].Shine, 0);
  // Tip two when one to three tiles are left.
  for (int left : {4, 3, 1}) {
    BoardKit kit;
    kit.player.tipsOn = true;
    for (int i = 0; i < kCellCount; ++i) kit.cells[i].Gnd = i >= 5 && i < 5 + left ? 0 : 1;
    kit.Frame();
    EXPECT_EQ(kit.st.TilesLeft, left);
    EXPECT_EQ(kit.Tips(), left <= 3 ? std::vector<int>{2} : std::vector<int>{}) << left << " tiles left";
    kit.player.tipSeen[2] = true;
    kit.ClearEvents();
    kit.Frame();
    EXPECT_TRUE(kit.Tips().empty());
  }
}

TEST(GameFrame, HoverNeedsThePointerNearACentreAndOnlyTheHoveredItemShimmers) {
  BoardKit kit;
  auto lit = [&] {
    int n = 0;
    for (int i = 0; i < kCellCount; ++i) n += kit.cells[i].IsExists && kit.cells[i].GemCol[0] != 0xDDDDDDu;
    return n;
  };
  // Far above the board: the nearest cell is still some cell, but out of reach.
  kit.px = 640, kit.py = 2;
  kit.Frames(3);
  EXPECT_EQ(kit.st.HoveredCell, kNoCell);
  EXPECT_EQ(lit(), 0) << "the pointer far from the board lights nothing";
  kit.PointAt(50);
  kit.Frame();
  EXPECT_EQ(kit.st.HoveredCell, 50);
  EXPECT_NE(kit.cells[50].GemCol[0], 0xDDDDDDu);
  EXPECT_EQ(lit(), 1);
  EXPECT_EQ(kit.cells[51].GndCol[0], 0xEEEEEEu);
  double reach = HoverReach(kit.cells, kit.metrics);
  kit.px += reach * 0.9;
  kit.Frame();
  EXPECT_EQ(kit.st.HoveredCell, 50);
  kit.px += reach * 0.2;
  kit.Frame();
  EXPECT_EQ(kit.st.HoveredCell, kNoCell);
}

// xdotool and fast hands move the pointer and press in the same frame: the
// click belongs to the cell under the pointer now, not the one hovered before.
TEST(GameFrame, AClickThatArrivesWithAJumpOfThePointerHitsTheNewCell) {
  BoardKit k;
  k.px = k.py = 0;  // far from the board
  k.Frames(12);
  k.Settle();
  k.Click(40);
  ASSERT_EQ(k.st.SelectedCell, 40);
  // Jump to the cell below and press in the same frame: that is a swap, not a
  // second click on the selected cell.
  k.PointAt(51);
  k.left = true;
  k.Frame();
  EXPECT_NE(k.st.SwapState, SwapPhase::Idle);
  k.left = false;
  k.Frame();
}

}  // namespace
}  // namespace bm

// Playing with the keyboard: the cursor's steps over the lattice and across
// holes, a swap made with Enter and an arrow, the stock keys and the pointer
// taking the board back.
#include <gtest/gtest.h>

#include <cmath>

#include "board/ItemCodes.h"
#include "match/KeyCursor.h"
#include "match/Match.h"
#include "tests/board/BoardKit.h"

namespace bm {
namespace {

using testing::BoardKit;

// Exactly one move: 22 <-> 33 completes 0-11-22 (22 lies straight above 33).
constexpr const char* kOneMove = "1 f f f f f  f f f f f\n1 f f f f f  f f f f f\nf f f f f f  f f f f f\n1";

// Holds a key for one pass, then lets it go for one.
void Tap(BoardKit& kit, std::uint32_t key) {
  kit.keys |= key;
  kit.Frame();
  kit.keys &= ~key;
  kit.Frame();
}

TEST(KeyCursor, ArrowsStepToTheNearestCellFollowARowAndCrossHoles) {
  BoardKit kit;
  int lean = 1;
  const Cells& c = kit.cells;
  int from = 60;
  int up = CellInDirection(c, from, 0, -1, lean);
  ASSERT_NE(up, kNoCell);
  EXPECT_EQ(c[up].CenterX, c[from].CenterX) << "up stays in the column";
  EXPECT_LT(c[up].CenterY, c[from].CenterY);
  int down = CellInDirection(c, up, 0, 1, lean);
  EXPECT_EQ(down, from) << "down comes back";
  // Sideways steps zigzag along the row: after six steps right the cursor is
  // six columns on and no further from its row than half a row.
  int at = 55;
  double y0 = c[at].CenterY, x0 = c[at].CenterX;
  for (int k = 0; k < 6; ++k) {
    int next = CellInDirection(c, at, 1, 0, lean);
    ASSERT_NE(next, kNoCell) << k;
    EXPECT_GT(c[next].CenterX, c[at].CenterX);
    at = next;
  }
  double column = std::abs(c[6].CenterX - c[0].CenterX);
  EXPECT_NEAR(c[at].CenterX - x0, 6 * column, 1);
  EXPECT_LE(std::abs(c[at].CenterY - y0), std::abs(c[11].CenterY - c[0].CenterY) / 2 + 0.5);
  // At the edge of the board there is nowhere to go.
  EXPECT_EQ(CellInDirection(c, 0, 0, -1, lean), kNoCell);
  // A hole is crossed to the next cell: 49 above 60 is one, 38 above it exists.
  std::string layout;
  for (int i = 0; i < kCellCount; ++i) layout += i == 49 ? ". " : "f ";
  kit.Load(layout);
  ASSERT_FALSE(c[49].IsExists);
  up = CellInDirection(c, 60, 0, -1, lean);
  ASSERT_NE(up, kNoCell);
  EXPECT_TRUE(up != 49 && c[up].IsExists && c[up].CenterY < c[60].CenterY);
}

TEST(KeyCursor, EnterAnArrowAndEnterMakeTheSwap) {
  BoardKit kit(kOneMove);
  kit.px = kit.py = -1000;  // the pointer rests off the board
  kit.Frames(150);          // the move count
  ASSERT_EQ(kit.st.MovesAvailable, 1);
  // The first arrow shows the cursor in the middle of the board; walk it to 33.
  Tap(kit, mkey::ArrowDown);
  ASSERT_NE(kit.m.keyCursor.cell, kNoCell);
  for (int k = 0; k < 30 && kit.m.keyCursor.cell != 33; ++k) {
    const Cell& at = kit.cells[kit.m.keyCursor.cell];
    const Cell& goal = kit.cells[33];
    std::uint32_t key = goal.CenterX < at.CenterX - 1   ? mkey::ArrowLeft
                        : goal.CenterX > at.CenterX + 1 ? mkey::ArrowRight
                        : goal.CenterY < at.CenterY     ? mkey::ArrowUp
                                                        : mkey::ArrowDown;
    Tap(kit, key);
  }
  ASSERT_EQ(kit.m.keyCursor.cell, 33);
  EXPECT_EQ(kit.st.HoveredCell, 33) << "the board sees the cursor's cell hovered";
  Tap(kit, mkey::Select);
  kit.Frame();
  EXPECT_EQ(kit.st.SelectedCell, 33);
  Tap(kit, mkey::ArrowUp);
  EXPECT_EQ(kit.m.keyCursor.cell, 22);
  EXPECT_EQ(kit.st.SelectedCell, 33) << "moving the cursor keeps the selection";
  int before = kit.st.Score;
  Tap(kit, mkey::Select);
  kit.Settle();
  EXPECT_GT(kit.st.Score, before) << "the swap made its line";
}

TEST(KeyCursor, ThePointerTakesTheBoardBackWhenItMovesAndHeldArrowsRepeatAfterADelay) {
  BoardKit kit;
  kit.PointAt(5);
  kit.Frame();
  Tap(kit, mkey::ArrowLeft);
  EXPECT_EQ(kit.m.keyCursor.cell, 5) << "the keys start where the pointer hovers";
  Tap(kit, mkey::ArrowDown);
  ASSERT_NE(kit.m.keyCursor.cell, 5);
  kit.Frames(3);
  EXPECT_NE(kit.m.keyCursor.cell, kNoCell) << "a resting pointer leaves the keys in charge";
  kit.px += 3;
  kit.Frame();
  EXPECT_EQ(kit.m.keyCursor.cell, kNoCell);
  // Held arrows repeat after a delay.
  BoardKit held;
  held.px = held.py = -1000;
  held.Frame();
  Tap(held, mkey::ArrowLeft);
  int start = held.m.keyCursor.cell;
  held.keys = mkey::ArrowDown;
  held.Frame(10);
  int first = held.m.keyCursor.cell;
  EXPECT_NE(first, start);
  held.Frames(20, 10);  // 200 ms: still within the delay
  EXPECT_EQ(held.m.keyCursor.cell, first);
  held.Frames(30, 10);  // 300 ms more: a few repeats
  EXPECT_NE(held.m.keyCursor.cell, first);
  held.keys = 0;
}

TEST(KeyCursor, DigitKeysPressTheStockButtons) {
  BoardKit kit(kOneMove);  // a board with a move, so that no reshuffle runs
  kit.m.bonusesOn = true;
  kit.player.shuffleCount = 2;
  kit.px = kit.py = -1000;
  kit.Frames(150);
  Tap(kit, mkey::StockShuffle);
  kit.Frame();
  EXPECT_EQ(kit.player.shuffleCount, 1);
  // The hook is armed by its key and given back by the right press.
  kit.Settle();
  kit.player.anchorCount = 1;
  Tap(kit, mkey::StockHook);
  kit.Frame();
  ASSERT_TRUE(kit.st.AnchorArmed);
  EXPECT_EQ(kit.player.anchorCount, 0);
  Tap(kit, mkey::Cancel);
  kit.Frame();
  EXPECT_FALSE(kit.st.AnchorArmed);
  EXPECT_EQ(kit.player.anchorCount, 1);
}

}  // namespace
}  // namespace bm

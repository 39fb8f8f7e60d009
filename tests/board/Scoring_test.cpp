#include <gtest/gtest.h>

#include "board/ItemCodes.h"
#include "board/RemovalStates.h"
#include "board/Swap.h"
#include "tests/board/BoardKit.h"

namespace bm {
namespace {

using testing::BoardKit;

void SwapAndSettle(BoardKit& kit, int a, int b) {
  ASSERT_TRUE(StartSwap(kit.cells, kit.st, a, b));
  kit.Settle();
}

// A line of three new tiles pays 25 each: Swap.ALineStaysAndIsRemoved.
TEST(Points, TwoLinesAtOnceAdd13PerNewTileAndAGoldTileMatchedAgainOne) {
  BoardKit kit;
  // Moving a 1 from 35 into 24 completes 2-13-24 (vertical) and 19-24-29 (axis 5).
  for (int i : {2, 13, 19, 29, 35}) kit.Set(i, 1);
  ASSERT_TRUE(StartSwap(kit.cells, kit.st, 35, 24));
  while (kit.st.SwapState != SwapPhase::Idle) kit.Frame();
  EXPECT_EQ(kit.st.MatchLines, 2);
  EXPECT_EQ(kit.st.GoldSum, 150);
  kit.Settle();
  for (int i : {2, 13, 24, 19, 29}) EXPECT_EQ(kit.cells.fx[std::size_t(i)].Text, "38") << i;
  EXPECT_EQ(kit.st.Score, 5 * 38);
  // A gold tile matched again shows one point.
  BoardKit gold("1g f f f f f  f f f f f\n"
               "1g f f f f f  f f f f f\n"
               "f f f f f f  1 f f f f\n");
  gold.Set(22, testing::FillerCode(22));
  gold.cells[22].Gnd = 1;
  SwapAndSettle(gold, 28, 22);
  EXPECT_EQ(gold.cells.fx[0].Text, "1");
  EXPECT_EQ(gold.st.Score, 3);
  EXPECT_EQ(gold.cells[0].Shine, 0);  // no new flash on an old gold tile
}

TEST(Points, PointsTextRisesFadesAndEndsOnTheClock) {
  BoardKit kit;
  for (int i : {0, 11, 28}) kit.Set(i, 1);
  SwapAndSettle(kit, 28, 22);
  const CellFx& fx = kit.cells.fx[0];
  ASSERT_TRUE(fx.Active);
  double y0 = fx.Y;
  int a0 = fx.Alpha;
  ASSERT_GE(a0, 70);
  kit.Frame(100);  // ten steps of 10 ms
  EXPECT_LT(fx.Y, y0);
  EXPECT_EQ(fx.Alpha, a0 - 70);
  // 255 / 7 steps after it started it has ended, however the frames fall.
  for (int k = 0; k < 100 && fx.Active; ++k) kit.Frame(3);
  for (int k = 0; k < 100 && fx.Active; ++k) kit.Frame(35);
  EXPECT_FALSE(fx.Active);
  EXPECT_EQ(fx.Alpha, 255);
}

TEST(Points, ScoreOfACascadeCarriesTheComboAndNeverDropsForABurstWithoutALine) {
  // Column 0 from the top: 0 11 22 33 44. Swapping 1 into 33 clears 11-22-33;
  // 0 (a 2) then falls onto 33 and meets 2s at 38 and 49... built below.
  BoardKit kit;
  // First line: 11, 22 hold 1, 39 (down-right of 33) holds 1; swap 33 and 39.
  for (int i : {11, 22, 39}) kit.Set(i, 1);
  // After the removal the 2 in cell 0 drops three rows into 33; there it
  // completes 33-44-55.
  for (int i : {0, 44, 55}) kit.Set(i, 2);
  SwapAndSettle(kit, 39, 33);
  EXPECT_EQ(kit.cells.fx[11].Text, "25");
  EXPECT_EQ(kit.cells.fx[55].Text, "26");
  EXPECT_EQ(kit.cells.fx[33].Text, "2");  // gilded by the first line: 1 + 2 - 1
  EXPECT_EQ(kit.st.Score, 75 + 26 + 26 + 2);
  // The score never drops for a burst no line search scored.
  BoardKit burst;
  burst.st.GoldSum = 75;  // left from an earlier search
  burst.cells[50].Ice = 1;
  burst.cells[50].Disappear = Removal::Removing;  // hit by an effect, never scored by a line
  burst.Settle();
  EXPECT_EQ(burst.st.Score, 0);
  EXPECT_EQ(burst.cells[50].Ice, 0);
}

}  // namespace
}  // namespace bm

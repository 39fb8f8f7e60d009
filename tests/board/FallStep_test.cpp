#include "board/FallStep.h"

#include <gtest/gtest.h>

#include "tests/board/BoardKit.h"

namespace bm {
namespace {

using testing::BoardKit;
using testing::FillerCode;

// Column 2 from the top: 1, 12, 23, 34, 45 ...

TEST(Falls, AnItemFallsIntoTheEmptyCellBelowAndLandsExactlyWhereverItsX) {
  BoardKit kit;
  kit.Set(23, 0);
  int code = kit.cells[12].Gem;
  kit.Frame();
  EXPECT_TRUE(kit.cells[12].Move);
  EXPECT_FALSE(kit.st.NoFall);
  EXPECT_DOUBLE_EQ(kit.cells[12].Pos.CurY, kit.cells[12].Pos.Y + 27);  // half a row per 35 ms
  kit.Frame();
  EXPECT_FALSE(kit.cells[12].Move);
  EXPECT_EQ(kit.cells[23].Gem, code);
  EXPECT_EQ(kit.cells[12].Pos.CurY, kit.cells[12].Pos.Y);
  EXPECT_EQ(kit.cells[12].Pos.SpeedY, 0);
  // Twice the frame factor moves twice as far: one frame of 70 ms lands the next.
  int next = kit.cells[1].Gem;
  kit.Frame(70);
  EXPECT_EQ(kit.cells[12].Gem, next);
  BoardKit left;
  // A layout whose cell below stands a little to the left: the fall runs in
  // the negative X direction and must still arrive.
  left.cells[23].Pos.X = left.cells[23].Pos.CurX = left.cells[23].CenterX - 3;
  left.Set(23, 0);
  int leftCode = left.cells[12].Gem;
  left.Frames(3);
  EXPECT_FALSE(left.cells[12].Move);
  EXPECT_EQ(left.cells[23].Gem, leftCode);
}

// Bonus items, keys and bubbles travel with the item.
TEST(Falls, TwoEmptyCellsBelowMeanTwoLandingsAndAColumnCollapses) {
  BoardKit kit;
  kit.Set(12, 44, 2);
  kit.Set(1, 75);
  for (int i : {23, 34}) kit.Set(i, 0);
  kit.Settle();
  EXPECT_EQ(std::pair(kit.cells[34].Gem, kit.cells[34].Ice), std::pair(44, 2));
  EXPECT_EQ(kit.cells[23].Gem, 75);
  EXPECT_EQ(kit.cells[12].Ice, 0);
  EXPECT_EQ(kit.cells[12].Gem, 0);  // nothing refills without top cells
  EXPECT_EQ(kit.cells[1].Gem, 0);
  EXPECT_EQ(kit.CountSound("ev_game_fall"), 4);
}

TEST(Falls, AnItemAboveAHoleStaysAndTheCellBelowTheHoleIsATopCell) {
  BoardKit kit("f f f f f f  f f f f f\n"
               ". f f f f f  f f f f f\n"
               "_ f f f f f  f f f f f\n",
               true);
  int above = kit.cells[0].Gem;
  EXPECT_TRUE(kit.cells[22].IsUpper);
  kit.Frame();
  EXPECT_NE(kit.cells[22].Gem, 0);  // refilled where it stands
  EXPECT_FALSE(kit.cells[0].Move);
  kit.Settle();
  EXPECT_EQ(kit.cells[0].Gem, above);
  EXPECT_EQ(kit.cells[11].Gem, 0);
}


TEST(Falls, NoFallStartsAfterARemovalMetEarlierInThePass) {
  BoardKit kit;
  kit.cells[0].Disappear = Removal::Removing;  // cell 0 is met first
  kit.cells[0].IsAvailable = false;
  kit.Set(23, 0);
  kit.Frame();
  EXPECT_FALSE(kit.cells[12].Move);
  // A removal later in the pass does not hold back cells met before it.
  BoardKit late;
  late.cells[100].Disappear = Removal::Removing;
  late.cells[100].IsAvailable = false;
  late.Set(23, 0);
  late.Frame();
  EXPECT_TRUE(late.cells[12].Move);
  // Nor does an item held by a swap start to fall.
  BoardKit held;
  held.cells[12].IsAvailable = false;
  held.Set(23, 0);
  held.Frame();
  EXPECT_FALSE(held.cells[12].Move);
}

}  // namespace
}  // namespace bm

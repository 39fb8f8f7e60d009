#include <gtest/gtest.h>

#include "tests/board/BoardKit.h"

namespace bm {
namespace {

using testing::BoardKit;

// Column 0 from the top: 0 11 22 33 44 ...; a line at its foot keeps the
// bubbled jewel in place (nothing below it can empty).

TEST(Bubbles, ALineBurstsOneBubbleAndRemovesTheFreeJewels) {
  BoardKit kit;
  for (int i : {11, 22}) kit.Set(i, 1);
  kit.Set(33, 1, 2);
  kit.Settle();  // the settled frame finds the line by itself
  const Cell& c = kit.cells[33];
  EXPECT_EQ(std::tuple(c.Gem, c.Ice, c.Gnd, c.IsAvailable, c.ColFade), std::tuple(1, 1, 0, true, 255));
  EXPECT_EQ(kit.cells[11].Gnd + kit.cells[22].Gnd, 2);
  EXPECT_EQ(std::pair(kit.CountSound("ev_game_bal_fill"), kit.CountSound("ev_game_bal_pop")), std::pair(1, 0));
  EXPECT_TRUE(kit.cells.fx[33].Active);  // the burst shows its points
}

TEST(Bubbles, ALineOfBubbledJewelsBurstsAgainUntilFreeThenGoes) {
  BoardKit kit;
  kit.Set(11, 1, 1);
  kit.Set(22, 1, 2);
  kit.Set(33, 1, 1);
  for (int k = 0; k < 100 && kit.cells[22].Ice == 2; ++k) kit.Frame();
  kit.Frame();
  // First search: every jewel of the line loses one bubble and stays.
  EXPECT_EQ(kit.cells[11].Ice, 0);
  EXPECT_EQ(kit.cells[33].Ice, 0);
  EXPECT_EQ(kit.cells[33].Gem, 1);
  EXPECT_EQ(kit.cells[33].Gnd, 0);
  // The line is still there: the next search removes the free two and bursts
  // the last bubble of the middle one, which then falls into the gap below.
  kit.Settle();
  EXPECT_EQ(std::tuple(kit.cells[11].Gnd, kit.cells[33].Gnd, kit.cells[22].Gnd), std::tuple(1, 1, 0));
  EXPECT_EQ(std::pair(kit.cells[33].Gem, kit.cells[33].Ice), std::pair(1, 0));
  EXPECT_EQ(kit.CountSound("ev_game_bal_pop"), 3);
}

TEST(Bubbles, TheLevelCompletesOnlyWhenTheBubbledTileIsGold) {
  BoardKit kit;
  for (int i = 0; i < kCellCount; ++i) kit.cells[i].Gnd = 1;
  for (int i : {11, 22}) kit.Set(i, 1);
  kit.Set(33, 1, 1);
  for (int i : {11, 22, 33}) kit.cells[i].Gnd = 0;
  kit.Settle();
  kit.Frames(3);
  EXPECT_FALSE(kit.st.LevelComplete);
  EXPECT_EQ(kit.cells[33].Ice, 0);
  // The golden sun takes the last item and gilds its tile.
  kit.st.SunArmed = true;
  kit.Click(33);
  EXPECT_EQ(kit.CountSound("bon_sun"), 1);
  EXPECT_FALSE(kit.st.SunArmed);
  kit.Frames(4);
  EXPECT_EQ(kit.cells[33].Gnd, 1);
  EXPECT_TRUE(kit.st.LevelComplete);
}

}  // namespace
}  // namespace bm

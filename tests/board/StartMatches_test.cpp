#include "board/StartMatches.h"

#include <gtest/gtest.h>

#include "board/LineRule.h"
#include "tests/board/BoardKit.h"

namespace bm {
namespace {

using testing::BoardKit;

bool AnyLine(const Cells& cells) {
  for (int i = 0; i < kCellCount; ++i)
    for (int d : {11, 5, 6})
      if (IsLineAt(cells, i, d, true)) return true;
  return false;
}

TEST(StartMatches, AFreshBoardNeverStartsWithALine) {
  for (int kinds : {2, 3, 5}) {
    for (std::uint64_t seed = 1; seed <= 20; ++seed) {
      BoardKit kit;
      Rng rng(seed);
      kit.level.JewelKinds.clear();
      for (int k = 1; k <= kinds; ++k) kit.level.JewelKinds.push_back(k);
      for (int i = 0; i < kCellCount; ++i) kit.cells[i].Gem = 1 + rng.Below(kinds);
      RemoveStartMatches(kit.cells, kit.level, rng);
      ASSERT_FALSE(AnyLine(kit.cells)) << kinds << " kinds, seed " << seed;
      for (int i = 0; i < kCellCount; ++i) ASSERT_TRUE(kit.cells[i].Gem >= 1 && kit.cells[i].Gem <= kinds);
    }
  }
}

TEST(StartMatches, OnlyLinesAreRerolledHolesAreLeftAloneAndASingleKindEnds) {
  BoardKit kit("1 f f f f f  f f f f f\n"
               ". f f f f f  f f f f f\n"
               "1 f f f f f  f f f f f\n");
  kit.cells[11].Gem = 0;
  for (int i : {2, 13, 24}) kit.Set(i, 7);
  Rng rng(4);
  Cells before = kit.cells;
  RemoveStartMatches(kit.cells, kit.level, rng);
  EXPECT_EQ(kit.cells[0].Gem, 1);  // the hole at 11 breaks column 0
  EXPECT_EQ(kit.cells[22].Gem, 1);
  EXPECT_FALSE(AnyLine(kit.cells));
  int changed = 0;
  for (int i = 0; i < kCellCount; ++i) changed += kit.cells[i].Gem != before[i].Gem;
  EXPECT_LE(changed, 3 * 4);  // the first pass touches only 2, 13, 24
  // A single kind's list ends instead of looping for ever.
  BoardKit one;
  one.level.JewelKinds = {3};
  for (int i = 0; i < kCellCount; ++i) one.cells[i].Gem = 3;
  Rng oneRng(1);
  RemoveStartMatches(one.cells, one.level, oneRng);
  EXPECT_EQ(one.cells[50].Gem, 3);
}

}  // namespace
}  // namespace bm

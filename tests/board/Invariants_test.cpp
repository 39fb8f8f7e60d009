#include "board/Invariants.h"

#include <gtest/gtest.h>

#include "board/Swap.h"
#include "tests/board/BoardKit.h"

namespace bm {
namespace {

using testing::BoardKit;

// A healthy board passes frame after frame: every bot run counts its violations (Autoplay, BonusSoak).
TEST(Invariants, EachBrokenRuleIsCountedUnderItsName) {
  BoardKit kit;
  InvariantChecker check;
  kit.st.Score = 100;
  check.Check(kit.cells, kit.st, kit.now);
  ASSERT_EQ(check.Violations(), 0);

  kit.cells[300].Gem = 5;             // an item outside the board
  kit.cells[10].Ice = 9;              // too many bubbles
  kit.cells[11].Gnd = 2;
  kit.cells[12].Disappear = Removal(7);
  kit.st.Score = 90;
  check.Check(kit.cells, kit.st, kit.now);
  for (Invariant broken : {Invariant::ItemInHole, Invariant::BubbleCount, Invariant::GroundValue, Invariant::RemovalState,
                           Invariant::ScoreMonotonic})
    EXPECT_EQ(check.Count(broken), 1) << int(broken);
  EXPECT_NE(check.Report().find("the score never decreases: 1"), std::string::npos);

  // A new level may start from any score.
  check.NewLevel();
  kit.st.Score = 0;
  kit.cells[300].Gem = 0;
  kit.cells[10].Ice = 0;
  kit.cells[11].Gnd = 0;
  kit.cells[12].Disappear = Removal::None;
  check.Check(kit.cells, kit.st, kit.now);
  EXPECT_EQ(check.Count(Invariant::ScoreMonotonic), 1);
}

TEST(Invariants, StuckFallsEmptyCellsAndLostSwapItemsAreCaught) {
  BoardKit kit;
  InvariantChecker check;
  // A fall that never moves on.
  kit.cells[40].Move = true;
  for (int k = 0; k < 40; ++k) check.Check(kit.cells, kit.st, kit.now += 35);
  EXPECT_GE(check.Count(Invariant::FallLands), 1);
  kit.cells[40].Move = false;

  // An existing cell left empty while the board claims to be settled.
  kit.cells[60].Gem = 0;
  for (int k = 0; k < 10; ++k) check.Check(kit.cells, kit.st, kit.now += 35);
  EXPECT_EQ(check.Count(Invariant::CellRefilled), 1);
  kit.cells[60].Gem = 3;

  // A swap whose item vanished.
  ASSERT_TRUE(StartSwap(kit.cells, kit.st, 28, 22));
  check.Check(kit.cells, kit.st, kit.now += 35);
  kit.cells[22].Gem = kit.cells[28].Gem;
  check.Check(kit.cells, kit.st, kit.now += 35);
  EXPECT_EQ(check.Count(Invariant::SwapKeepsCodes), 1);
}

}  // namespace
}  // namespace bm

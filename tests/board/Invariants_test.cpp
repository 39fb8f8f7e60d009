#include "board/Invariants.h"

#include <gtest/gtest.h>

#include "board/Swap.h"
#include "tests/board/BoardKit.h"

namespace bm {
namespace {

using testing::BoardKit;

// A healthy board passes frame after frame: every bot run counts its violations (Autoplay, BonusSoak).
TEST(Invariants, EachBrokenRuleIsCountedUnderItsNameStuckFallsAndLostItemsToo) {
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
  // Stuck falls, empty cells and lost swap items are caught.
  BoardKit moving;
  InvariantChecker watch;
  // A fall that never moves on.
  moving.cells[40].Move = true;
  for (int k = 0; k < 40; ++k) watch.Check(moving.cells, moving.st, moving.now += 35);
  EXPECT_GE(watch.Count(Invariant::FallLands), 1);
  moving.cells[40].Move = false;

  // An existing cell left empty while the board claims to be settled.
  moving.cells[60].Gem = 0;
  for (int k = 0; k < 10; ++k) watch.Check(moving.cells, moving.st, moving.now += 35);
  EXPECT_EQ(watch.Count(Invariant::CellRefilled), 1);
  moving.cells[60].Gem = 3;

  // A swap whose item vanished.
  ASSERT_TRUE(StartSwap(moving.cells, moving.st, 28, 22));
  watch.Check(moving.cells, moving.st, moving.now += 35);
  moving.cells[22].Gem = moving.cells[28].Gem;
  watch.Check(moving.cells, moving.st, moving.now += 35);
  EXPECT_EQ(watch.Count(Invariant::SwapKeepsCodes), 1);
}

}  // namespace
}  // namespace bm

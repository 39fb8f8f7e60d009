#include "bot/BotBonuses.h"

#include <gtest/gtest.h>

#include "board/ItemCodes.h"
#include "bonus/BonusKinds.h"
#include "tests/bonus/BonusKit.h"

namespace bm {
namespace {

using testing::BonusKit;

// Every tile gold but one: the last tile of a level.
void AllGoldBut(BonusKit& kit, int plain) {
  for (int i = 0; i < kCellCount; ++i)
    if (kit.cells[i].IsExists) kit.cells[i].Gnd = i == plain ? 0 : 1;
}

TEST(BotBonuses, RumWaitsWhileMovesGildStirsTheLastFewTilesAndABonusOnTheLastTileIsTaken) {
  BonusKit kit;
  kit.Set(40, item::Rum);
  // Plenty of plain tiles and a move that gilds three of them: no rum.
  BonusPlan plan = PlanBonus(kit.cells, kit.st, kit.player, kit.metrics, 1.0, 300);
  EXPECT_NE(plan.kind, BonusPlan::Kind::Swap);
  // Rum on gold with the last tile waiting and no move reaching it: take it.
  AllGoldBut(kit, 90);
  plan = PlanBonus(kit.cells, kit.st, kit.player, kit.metrics, 1.0, 0);
  EXPECT_EQ(plan.kind, BonusPlan::Kind::Swap);
  EXPECT_EQ(plan.a, 40);
  // A bonus on the last plain tile is taken, even the rum.
  for (int code : {int(item::Rum), int(item::Chest), int(item::Shuffle)}) {
    BonusKit kit;
    AllGoldBut(kit, 40);
    kit.Set(40, code);
    BonusPlan plan = PlanBonus(kit.cells, kit.st, kit.player, kit.metrics, 1.0, 0);
    EXPECT_EQ(plan.kind, BonusPlan::Kind::Swap) << "code " << code;
    EXPECT_EQ(plan.a, 40) << "code " << code;
  }
}

TEST(BotBonuses, TheSunGoesOnTheLastTilesWhenNoMoveGildsThem) {
  BonusKit kit;
  AllGoldBut(kit, 90);
  kit.player.sunCount = 1;
  BonusPlan plan = PlanBonus(kit.cells, kit.st, kit.player, kit.metrics, 1.0, 0);
  EXPECT_EQ(plan.kind, BonusPlan::Kind::PressAndClick);
  EXPECT_EQ(plan.button, StockButton::Sun);
  EXPECT_EQ(plan.a, 90);
  // A move that gilds comes first; the sun waits.
  plan = PlanBonus(kit.cells, kit.st, kit.player, kit.metrics, 1.0, 100);
  EXPECT_NE(plan.button, StockButton::Sun);
}

TEST(BotBonuses, AClockComesFirstWhenTheGlassRunsLowAndNoBubbledItemIsSwapped) {
  BonusKit kit;
  kit.Set(40, item::Clock);
  kit.Set(90, item::FirstKey);
  for (double sand : {0.9, 0.2})
    EXPECT_EQ(PlanBonus(kit.cells, kit.st, kit.player, kit.metrics, sand, 0).a, sand < 0.35 ? 40 : 90) << sand;
  // With every neighbour of the clock in bubbles it cannot be swapped at all.
  kit.Set(90, 22);
  for (int d : {-11, -6, -5, 5, 6, 11}) kit.cells[40 + d].Ice = 1;
  EXPECT_NE(PlanBonus(kit.cells, kit.st, kit.player, kit.metrics, 0.2, 0).kind, BonusPlan::Kind::Swap);
}

}  // namespace
}  // namespace bm

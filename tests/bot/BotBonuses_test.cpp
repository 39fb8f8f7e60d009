#include "bot/BotBonuses.h"

#include <gtest/gtest.h>

#include "board/ItemCodes.h"
#include "tests/bonus/BonusKit.h"

namespace bm {
namespace {

using testing::BonusKit;

// Every tile gold but one: the last tile of a level.
void AllGoldBut(BonusKit& kit, int plain) {
  for (int i = 0; i < kCellCount; ++i)
    if (kit.cells[i].IsExists) kit.cells[i].Gnd = i == plain ? 0 : 1;
}

TEST(BotBonuses, ABonusOnTheLastPlainTileIsTakenEvenRum) {
  for (int code : {int(item::Rum), int(item::Chest), int(item::Shuffle)}) {
    BonusKit kit;
    AllGoldBut(kit, 40);
    kit.Set(40, code);
    BonusPlan plan = PlanBonus(kit.cells, kit.st, kit.player, kit.metrics, 1.0, 0);
    EXPECT_EQ(plan.kind, BonusPlan::Kind::Swap) << "code " << code;
    EXPECT_EQ(plan.a, 40) << "code " << code;
  }
}

TEST(BotBonuses, RumWaitsWhileMovesGildAndStirsTheLastFewTiles) {
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

}  // namespace
}  // namespace bm

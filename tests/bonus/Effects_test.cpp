#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "BonusKit.h"
#include "bonus/Effects.h"

namespace bm::testing {
namespace {

std::set<int> TargetsOf(const BonusState& b, EffectKind kind) {
  std::set<int> out;
  for (const EffectObject& e : b.Effects)
    if (e.Active && e.Kind == kind) out.insert(e.Target);
  return out;
}

TEST(Effects, GunShootsDistinctTargetsByGradeDestroysEachAndEachOnlyOnce) {
  for (int grade : {0, 3}) {
    BonusKit k;
    k.Grades().PowerGrade[2] = std::int16_t(grade);
    k.Trigger(57, 50);
    k.Frame();
    std::set<int> targets = TargetsOf(*k.bonus, EffectKind::Gun);
    EXPECT_EQ(int(targets.size()), 2 * (grade + 1));
    EXPECT_EQ(k.bonus->EffectsAlive, 2 * (grade + 1));
    EXPECT_EQ(k.CountSound("bon_gun"), 1);
    k.RunOut();
    for (int t : targets) {
      EXPECT_EQ(k.cells[t].Gnd, 1) << "target " << t;
    }
    EXPECT_EQ(k.bonus->EffectsAlive, 0);
  }
  // With fewer items than shots the gun shoots each once.
  BonusKit k;
  for (int i = 0; i < kCellCount; ++i) k.cells[i].Gem = 0;
  // On the bottom row, where nothing falls.
  k.cells[110].Gem = 21;
  k.cells[113].Gem = 22;
  k.Grades().PowerGrade[2] = 3;
  k.Trigger(57, 50);
  k.Frame();
  EXPECT_EQ(TargetsOf(*k.bonus, EffectKind::Gun), (std::set<int>{110, 113}));
}

TEST(Effects, SeismicGemTakesEveryJewelOfThePartnersKindAndOneBubble) {
  BonusKit k;
  const int red = 30;
  k.Set(0, red);       // the corner cell counts too
  k.Set(68, red, 2);   // bubbled: loses one bubble, stays
  k.Set(110, red);
  k.Trigger(57, 45, red, 56);
  k.Frame();
  EXPECT_EQ(TargetsOf(*k.bonus, EffectKind::Rainbow), (std::set<int>{0, 68, 110}));
  EXPECT_FALSE(k.st.BoardIdle);  // the rays hold the board
  k.RunOut();
  EXPECT_EQ(std::tuple(k.cells[0].Gem, k.cells[0].Gnd, k.cells[110].Gnd), std::tuple(0, 1, 1));
  EXPECT_EQ(std::tuple(k.cells[68].Gem, k.cells[68].Ice, k.cells[68].Gnd), std::tuple(red, 1, 0));
  for (int i = 0; i < kCellCount; ++i) {
    if (i != 68) {
      EXPECT_NE(k.cells[i].Gem, red) << "cell " << i;
    }
  }
}

TEST(Effects, CannonballShotsFollowTheSixLinesOfTheLatticeAndSetOffABombInTheirPath) {
  BonusKit k;
  k.Set(79, 44);  // two cells straight below the cannonball
  k.Trigger(57, 49);
  k.Frame();
  EXPECT_EQ(k.bonus->EffectsAlive, 6);
  k.RunOut();
  EXPECT_EQ(k.bonus->Figures.used[44], 1);
  EXPECT_EQ(k.CountSound("bon_bomb1"), 1);
  EXPECT_EQ(k.cells[79].Gnd, 1);
  // The flames around the bomb gild what the shots did not reach.
  EXPECT_EQ(k.cells[79 + 1].Gnd + k.cells[79 - 1].Gnd > 0, true);
  // The shots follow the six lines of the lattice.
  // From 57 (column 4, row 5): straight up and down the column (11 apart) and
  // along the two diagonals (6 and 5 apart); the cells beside it are spared.
  BonusKit lines;
  lines.Trigger(57, 49);
  lines.RunOut();
  for (int step : {11, 6, 5})
    for (int n = 1; n <= 3; ++n)
      for (int cell : {57 - n * step, 57 + n * step}) EXPECT_EQ(lines.cells[cell].Gnd, 1) << "cell " << cell;
  for (int spared : {56, 58, 34, 36, 78, 80}) EXPECT_EQ(lines.cells[spared].Gnd, 0) << "cell " << spared;
}

TEST(Effects, AnItemInMidFallOrMidSwapIsPassedOver) {
  // The shots straight down and up from 57 cross 68 (its item falling) and 46
  // (its item held by a swap); the diagonal shots hit what they cross.
  BonusKit k;
  k.cells[68].Move = true;
  k.cells[46].IsAvailable = false;
  BoardCtx c = k.Ctx();
  ASSERT_EQ(StartEffect(c, 57, EffectKind::Core), 6);
  for (int f = 0; f < 100 && k.bonus->EffectsAlive > 0; ++f) RunEffects(c);
  EXPECT_EQ(k.cells[68].Disappear, Removal::None);
  EXPECT_EQ(k.cells[46].Disappear, Removal::None);
  for (int cell : {79, 35, 63, 51, 62, 52}) EXPECT_EQ(k.cells[cell].Disappear, Removal::Start) << "cell " << cell;
}

TEST(Effects, BombHoldsTheBoardUntilItsFlamesEndAndReachesByGrade) {
  int gilded[4] = {};
  for (int grade : {0, 1, 2, 3}) {
    BonusKit k;
    k.Grades().PowerGrade[1] = std::int16_t(grade);
    k.Trigger(57, 44);
    k.Frame();
    EXPECT_EQ(k.bonus->EffectsAlive, 3);
    int frames = 0;
    while (k.bonus->EffectsAlive > 0 && frames < 500) {
      EXPECT_TRUE(EffectsHoldBoard(*k.bonus));
      k.Frame();
      EXPECT_FALSE(k.st.BoardIdle) << "frame " << frames;
      ++frames;
    }
    EXPECT_LT(frames, 500);
    k.RunOut();
    gilded[grade] = k.Gilded();
    EXPECT_EQ(k.CountSound("bon_bomb" + std::to_string(grade + 1)), 1);
  }
  // Rings 1, 1.5, 2 and 3 on a full board: the tiles each grade gilds.
  EXPECT_EQ(std::vector<int>(gilded, gilded + 4), (std::vector<int>{13, 19, 21, 33}));
}

// Slots taken far off the board: a gun with none free shoots nothing but still goes and pays; a bomb's flames
// hold the board whatever slot they take.
TEST(Effects, FullOrCrowdedSlotTables) {
  for (int taken : {kEffectSlots, 101}) {
    BonusKit k;
    for (int s = 0; s < taken; ++s) {
      EffectObject& e = k.bonus->Effects[std::size_t(s)];
      e.Active = true;
      e.Kind = taken == kEffectSlots ? EffectKind::Core : EffectKind::Gun;
      e.FromX = e.ToX = e.FromY = e.ToY = -5000;
    }
    k.bonus->EffectsAlive = taken;
    k.Trigger(57, taken == kEffectSlots ? 50 : 44);
    k.Frame();
    if (taken == kEffectSlots) {
      EXPECT_TRUE(TargetsOf(*k.bonus, EffectKind::Gun).empty());
      k.RunOut();
      EXPECT_EQ(k.cells[57].Gnd, 1);
      EXPECT_GT(k.st.Score, 0);
    } else {
      k.Frame();
      EXPECT_TRUE(EffectsHoldBoard(*k.bonus));
      EXPECT_FALSE(k.st.BoardIdle);
    }
  }
}

TEST(Effects, NoObjectHitsAHoleEveryObjectEndsAndALevelStartFreesEverySlot) {
  // Holes all round the cannonball's cell and along its rows.
  BonusKit k;
  std::string layout;
  for (int i = 0; i < kCellCount; ++i) layout += (i % 3 == 0 && i != 57) ? ". " : "f ";
  k.Load(layout);
  k.Trigger(57, 49);
  for (int f = 0; f < 400; ++f) {
    k.Frame();
    for (int i = 0; i < kCellCount; ++i) {
      if (!k.cells[i].IsExists) {
        ASSERT_EQ(k.cells[i].Disappear, Removal::None) << "hole " << i;
      }
    }
  }
  EXPECT_EQ(k.bonus->EffectsAlive, 0);
  // A level's start frees every slot.
  BonusKit start;
  start.Trigger(57, 49);
  start.Frame();
  ASSERT_GT(start.bonus->EffectsAlive, 0);
  ResetBonusLevel(*start.bonus, start.now);
  EXPECT_EQ(start.bonus->EffectsAlive, 0);
  for (const EffectObject& e : start.bonus->Effects) EXPECT_FALSE(e.Active);
  EXPECT_FALSE(EffectsHoldBoard(*start.bonus));
}

}  // namespace
}  // namespace bm::testing

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <vector>

#include "BonusKit.h"
#include "board/FallStep.h"
#include "bonus/Rewards.h"
#include "bonus/ShopCatalogue.h"
#include "bonus/ShopItems.h"
#include "bonus/Spawn.h"
#include "diag/Logs.h"
#include "lang/Language.h"
#include "lang/Tr.h"
#include "tests/TempDir.h"

namespace bm::testing {
namespace {

TEST(BonusChances, NothingOneAndTenItemsUnlocked) {
  BonusKit k;
  BonusChanceTable t{};
  RecomputeBonusChances(t, k.items, 1);
  EXPECT_EQ(t[0], 12);
  EXPECT_DOUBLE_EQ(t[20], 4.0);
  for (int code = 41; code <= 55; ++code) {
    double want = code == 46 || code == 48 ? 5 : code >= 54 ? 3 : 0;
    EXPECT_EQ(t[std::size_t(code)], want) << code;
  }
  k.Unlock(7);  // golden sun
  k.Grades().ChanceGrade[7] = 3;
  RecomputeBonusChances(t, k.items, 1);
  EXPECT_EQ(t[0], 14);
  EXPECT_DOUBLE_EQ(t[20], 4.0 / 1.2);
  EXPECT_EQ(t[52], 40);
  EXPECT_EQ(FormatChance(ItemChancePercent(t, 7)), "1.33");
  for (int s = 1; s <= 10; ++s) k.Unlock(s);
  RecomputeBonusChances(t, k.items, 1);
  EXPECT_NEAR(t[20], 4.0 / std::pow(1.2, 10), 1e-12);
  EXPECT_EQ(t[44], 10);
  EXPECT_EQ(FormatChance(ItemChancePercent(t, 1)), "0.06");
  // Another player's shop is not read.
  RecomputeBonusChances(t, k.items, 2);
  EXPECT_EQ(t[0], 12);
}

// Spawns into one top cell many times and counts the codes placed.
std::array<long, 101> SpawnMany(BonusKit& k, int n) {
  std::array<long, 101> placed{};
  BoardCtx c = k.Ctx();
  for (int i = 0; i < n; ++i) {
    k.cells[5].Gem = 0;
    FillTopCell(c, 5);
    int g = k.cells[5].Gem;
    if (g >= 0 && g <= 100) ++placed[std::size_t(g)];
  }
  return placed;
}

TEST(Spawning, WithEverythingLockedOnlyShuffleAndRumAppearAndNoStar) {
  BonusKit k;
  k.level.Number = 1;
  RecomputeBonusChances(k.bonus->BonusChance, k.items, 1);
  auto placed = SpawnMany(k, 200000);
  for (int code = 41; code <= 80; ++code) {
    if (code == 46 || code == 48) continue;
    EXPECT_EQ(placed[std::size_t(code)], 0) << code;
  }
  // 4 x 12 percent draw a code, 1 in 12 of them is the shuffle, 5 percent of those stay.
  double expect = 200000 * 0.48 / 12 * 0.05;
  EXPECT_NEAR(double(placed[46]), expect, expect * 0.25);
  EXPECT_NEAR(double(placed[48]), expect, expect * 0.25);
}

TEST(Spawning, LifeAndClockAreDampedByLivesAndSand) {
  // Every attempt draws a code; life and clock both at 100 percent.
  auto count = [](int lives, double sand, int code) {
    BonusKit k;
    k.lives = lives;
    k.level.SandLeft = sand;
    k.bonus->BonusChance.fill(0);
    k.bonus->BonusChance[0] = 12;
    k.bonus->BonusChance[20] = 10;
    k.bonus->BonusChance[42] = 100;
    k.bonus->BonusChance[43] = 100;
    return double(SpawnMany(k, 120000)[std::size_t(code)]);
  };
  double life0 = count(0, 1, 42), life3 = count(3, 1, 42);
  EXPECT_NEAR(life0 / life3, 4, 0.4);
  double clockEmpty = count(0, 0, 43), clockFull = count(0, 1, 43), clockHalf = count(0, 0.625, 43);
  EXPECT_NEAR(clockEmpty / clockFull, 5, 0.6);
  EXPECT_NEAR(clockEmpty / clockHalf, 3, 0.35);  // 2.5 rounds to 2
}

TEST(Spawning, NoStarIntoAFullRowOfSlotsButWithEveryGradeAtTheTopBothComeAlike) {
  BonusKit k;
  k.Unlock(1);
  RecomputeBonusChances(k.bonus->BonusChance, k.items, 1);
  k.bonus->BonusChance[20] = 10;
  for (int j = 1; j <= 6; ++j) k.Stars().Object[std::size_t(j)].Flag = -1;
  auto placed = SpawnMany(k, 100000);
  EXPECT_EQ(placed[54], 0);
  EXPECT_GT(placed[55], 0);
  for (int j = 12; j <= 17; ++j) k.Stars().Object[std::size_t(j)].Flag = -1;
  placed = SpawnMany(k, 100000);
  EXPECT_EQ(placed[55], 0);
  // A shop with nothing left to raise still has empty star slots: the stars keep coming, one colour as often as the other.
  // A shop with nothing left to raise still has empty star slots: the stars
  // keep coming, one colour as often as the other.
  BonusKit top;
  UnlockEveryItem(*top.items, 1);
  RecomputeBonusChances(top.bonus->BonusChance, top.items, 1);
  auto topPlaced = SpawnMany(top, 1000000);
  // 4 / 1.2^10 x 14 percent draw a code, 1 in 14 is each star, 3 percent stay.
  double expect = 1000000 * 4 / std::pow(1.2, 10) * 0.14 / 14 * 0.03;
  EXPECT_NEAR(double(topPlaced[54]), expect, expect * 0.3);
  EXPECT_NEAR(double(topPlaced[55]), expect, expect * 0.3);
}

TEST(Spawning, KeysByLevelOncePerLevelAndNeverOnceFound) {
  auto keysOn = [](int level, BonusKit& k) {
    k.level.Number = level;
    k.level.KeyPlaced = {};
    std::array<long, 101> placed{};
    BoardCtx c = k.Ctx();
    for (int i = 0; i < 20000; ++i) {
      k.cells[5].Gem = 0;
      FillTopCell(c, 5);
      ++placed[std::size_t(k.cells[5].Gem)];
    }
    return placed;
  };
  BonusKit k;
  auto l4 = keysOn(4, k);
  for (int code = 71; code <= 80; ++code) EXPECT_EQ(l4[std::size_t(code)], code == 74 ? 1 : 0) << code;
  // Each key from its first level on, none the level before: red from 6, orange from 56.
  const std::map<int, int> firstLevel = {{4, 4}, {1, 6}, {6, 8},   {8, 13}, {9, 16},
                                         {7, 23}, {3, 29}, {10, 36}, {5, 46}, {2, 56}};
  for (auto [key, first] : firstLevel)
    for (int level : {first - 1, first}) {
      keysOn(level, k);
      for (auto [other, from] : firstLevel)
        EXPECT_EQ(k.level.KeyPlaced[std::size_t(other)], level >= from) << "key " << other << " on level " << level;
    }
  // Every key appears on the last level, at most once; a key drawn in the same
  // call as a later one is overwritten, and still counts as appeared.
  auto l65 = keysOn(65, k);
  long keys = 0;
  for (int code = 71; code <= 80; ++code) {
    EXPECT_LE(l65[std::size_t(code)], 1) << code;
    keys += l65[std::size_t(code)];
  }
  EXPECT_GE(keys, 7);
  Key(k.Keys(), 4).Flag = -1;
  auto found = keysOn(65, k);
  EXPECT_EQ(found[74], 0);
  EXPECT_FALSE(k.level.KeyPlaced[4]);
}

// The same seed drops the same items: how often each kind comes, with every
// item open at the grades below, two lives and half a glass of sand.
TEST(Spawning, AFixedSeedDropsEachKindAsOftenAsEverAndEachOffersTipFive) {
  BonusKit k;
  k.level.Number = 65;
  k.lives = 2;
  k.level.SandLeft = 0.5;
  UnlockEveryItem(*k.items, 1);
  for (int s = 1; s <= 10; ++s) k.Grades().ChanceGrade[std::size_t(s)] = std::int16_t(s % 4);
  RecomputeBonusChances(k.bonus->BonusChance, k.items, 1);
  auto placed = SpawnMany(k, 400000);
  std::vector<long> counts(placed.begin() + 41, placed.begin() + 56);
  EXPECT_EQ(counts, (std::vector<long>{264, 192, 355, 511, 497, 131, 711, 134, 776, 781, 280, 1049, 0, 83, 68}));
  // A bonus or a key offers tip five and is counted.
  BonusKit tipped;
  tipped.player.tipsOn = true;
  tipped.level.Number = 65;
  SpawnMany(tipped, 2000);
  long spawned = 0;
  for (long n : tipped.bonus->Figures.spawned) spawned += n;
  EXPECT_GT(spawned, 0);
  EXPECT_FALSE(tipped.Tips().empty());
  for (int tip : tipped.Tips()) EXPECT_EQ(tip, 5);
}

TEST(ShopCatalogue, TextsByGrade) {
  for (auto [item, chance, grade, text] : {std::tuple{3, 0.333333, 2, "Chance: 0.33%|plus 90 seconds|per action"},
                                           {1, 1.5, 3, "Chance: 1.50%|Triple Wave|Detonation"},
                                           {2, 1.0, 3, "Chance: 1.00%|eight shots|per action"},
                                           {4, 1.0, 2, "Chance: 1.00%|score increases|by 4000 points"}, {9, 1.0, 3, "Chance: 1.00%|"}})
    EXPECT_EQ(ChanceText(item, chance, grade), text);
  BonusKit k;
  EXPECT_EQ(LockedText(*k.items, 1, 8), "bonus locked|Find violet key|to unlock it");
  Key(k.Keys(), 8).Flag = -1;
  EXPECT_EQ(LockedText(*k.items, 1, 8), "to unlock bonus|Drag-n-Drop|violet key here");
  std::vector<std::string> words;
  for (int key = 1; key <= 10; ++key) words.push_back(KeyColourWord(key));
  EXPECT_EQ(words, (std::vector<std::string>{"red", "orange", "yellow", "lettuce", "green", "cyan", "blue", "violet",
                                             "magenta", "tan"}));
  EXPECT_EQ(FormatChance(0.005), "0.01");
  EXPECT_EQ(ShownPopupText("+2 minutes"), "+2 minutes");
  // In Polish: the number's plural form, the decimal comma, the key inside its sentence. A popup keeps its
  // English (it decides the reward) and reads in the language where it is drawn.
  test::TempDir dir;
  Logs logs(dir.str());
  ASSERT_EQ(LoadLanguage(BM_GAME_DIR, "pl", logs), "pl");
  EXPECT_EQ(ChanceText(3, 1.5, 0), "Szansa: 1,50%|plus 30 sekund|na użycie");
  EXPECT_EQ(ChanceText(4, 1, 1), "Szansa: 1,00%|wynik rośnie|o 2000 punktów");
  EXPECT_EQ(LockedText(*k.items, 1, 8), "aby go odblokować,|przeciągnij tutaj|fioletowy klucz");
  std::vector<std::string> shown;
  for (const char* popup : {"+1 minute", "+2 minutes", "+90 seconds", "+4000 Points", "Purple Key Revealed"})
    shown.push_back(ShownPopupText(popup));
  EXPECT_EQ(shown, (std::vector<std::string>{"+1 minuta", "+2 minuty", "+90 sekund", "+4000 punktów",
                                             "Fioletowy klucz odkryty"}));
  UseCatalogue(nullptr, kEnglish);
}

}  // namespace
}  // namespace bm::testing

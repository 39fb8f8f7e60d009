// A short run of the balance table (bench/balance.cpp): levels from every
// stage, two seeds each, the bot at a player's pace. Each game must be won with
// the lives a player has, no level may spend its time reshuffling, and the late
// levels ask for more of the hourglass than the early ones. A level made too
// hard, or a rule that breaks its balance, fails here; the whole table is
// tools/balance.sh.
#include <gtest/gtest.h>

#include "bench/harness/ArrivalShop.h"
#include "bench/harness/LevelTrial.h"

namespace bm {
namespace {

TEST(BalanceSoak, LevelsFromEveryStageAreWonWithTheLivesAPlayerHas) {
  int firstWins = 0, games = 0;
  double early = 0, late = 0;
  int earlyWins = 0, lateWins = 0;
  for (int level : {4, 12, 22, 31, 41, 50, 61}) {
    for (std::uint64_t seed : {1, 2}) {
      LevelTrialOptions o;
      o.level = level;
      o.seed = seed;
      o.levelsDir = std::string(BM_GAME_DIR) + "/levels";
      LevelTrialResult r = RunLevelTrial(o);
      ++games;
      firstWins += r.attempts == 1 && r.won;
      if (r.firstShare >= 0 && level <= 12) {
        early += r.firstShare;
        ++earlyWins;
      }
      if (r.firstShare >= 0 && level >= 50) {
        late += r.firstShare;
        ++lateWins;
      }
      EXPECT_TRUE(r.won) << "level " << level << " seed " << seed << ": lost after " << r.attempts
                         << " attempts, " << r.plainAtTimeUp << " tiles left over the lost ones";
      EXPECT_LE(r.reshuffles, 4 * r.attempts) << "level " << level << " seed " << seed;
      EXPECT_GT(r.cells, 0);
    }
  }
  EXPECT_GE(firstWins, games / 2) << "most first attempts are won";
  ASSERT_GT(earlyWins, 0);
  ASSERT_GT(lateWins, 0);
  EXPECT_GT(late / lateWins, early / earlyWins + 0.15) << "the late levels ask for more of the hourglass";
  EXPECT_LT(early / earlyWins, 0.6) << "the first levels leave time to spare";
}

TEST(ArrivalShop, KeysFoundOnTheWayOpenTheirItemsAndStarsRaiseGrades) {
  ItemStatus first = ArrivalItemStatus(1, 1);
  EXPECT_EQ(first, NewGameItemStatus()) << "a new game arrives at level 1 with nothing";
  EXPECT_EQ(ArrivalItemsOpen(4), 0);
  EXPECT_EQ(ArrivalItemsOpen(5), 1);  // the lettuce key appears from level 4: the chest
  EXPECT_EQ(ArrivalItemsOpen(65), 10);

  ItemStatus s = ArrivalItemStatus(14, 3);
  const ItemRecord& items = s.items[3];
  for (int item : {4, 1, 6, 8}) {
    EXPECT_NE(Key(items, item).Flag, 0) << "key " << item << " stays found";
    EXPECT_EQ(Lock(items, item).Flag, 0) << "item " << item << " open";
  }
  for (int item : {2, 3, 5, 7, 9, 10}) EXPECT_NE(Lock(items, item).Flag, 0) << "item " << item << " still locked";
  EXPECT_EQ(s.items[1], NewGameItemStatus().items[1]) << "other slots untouched";

  ItemStatus last = ArrivalItemStatus(65, 1);
  int chance = 0, power = 0;
  for (int item = 1; item <= 10; ++item) {
    int c = last.grades[1].ChanceGrade[std::size_t(item)], p = last.grades[1].PowerGrade[std::size_t(item)];
    EXPECT_GE(c, 0);
    EXPECT_LE(c, 3);
    EXPECT_LE(p, 3);
    if (item > 4) {
      EXPECT_EQ(p, 0) << "only the first four items have power";
    }
    chance += c;
    power += p;
  }
  int stars = (65 - 5) / kLevelsPerStar;
  EXPECT_EQ(chance, stars);
  EXPECT_EQ(power, std::min(stars, 12));
}

}  // namespace
}  // namespace bm

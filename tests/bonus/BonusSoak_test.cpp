// Every level with every bonus open, played by the bot for a short while
// through the Match: the board and effect promises hold, and every kind of
// bonus appears and is used somewhere along the way. The kinds a game draws
// least (parrot, rum, stars: a few each in the whole soak at their own chances,
// so whether one is met depended on the luck of the course) are drawn here as
// often as the others, so every seed meets each of them many times.
#include <gtest/gtest.h>

#include <memory>

#include "bot/Autoplay.h"
#include "bonus/ShopItems.h"
#include "match/Match.h"

namespace bm {
namespace {

TEST(BonusSoak, EveryLevelWithEveryBonusOpen) {
  auto match = std::make_unique<Match>(21, std::string(BM_GAME_DIR) + "/levels");
  Match& m = *match;
  m.checkInvariants = true;
  m.clock.sandEnabled = false;
  UnlockEveryItem(m.items, m.itemSlot);
  Rng jitter(5);
  double now = 1000;
  long actions = 0;
  // Two rounds: the bot wins most levels well within its time, and rare
  // bonuses (rum) need the refills of both to turn up and be taken.
  for (int round = 0; round < 2; ++round)
  for (int level = 1; level <= 65; ++level) {
    m.session.CurrentLevel = level;
    StartLevel(m, now);
    for (int code : {46, 48, 54, 55}) m.bonus.BonusChance[std::size_t(code)] = 40;
    AutoplayOptions o;
    o.seed = std::uint64_t(level + 100 * round);
    Autoplay bot(o);
    // Stock for the bot to use as it sees fit.
    m.player.parrotCount = m.player.shuffleCount = m.player.anchorCount = m.player.sunCount = 1;
    double end = now + 25000;
    while (now < end && m.session.CurrentLevel == level && !m.session.Ended) {
      now += 16 * (0.5 + jitter.Next());
      PointerFeed f = bot.Step(now, m.cells, m.board, m.metrics, &m.player, m.level.SandLeft);
      MatchInput in;
      in.now = now;
      in.pointerX = f.x;
      in.pointerY = f.y;
      in.leftDown = f.left;
      in.rightDown = f.right;
      AdvanceFrame(m, in);
      TakeEvents(m);
      // The screens between levels are the shell's; here the next level follows at once.
      FollowFlowWithoutScreens(m, now);
    }
    actions += bot.BonusActions();
    ASSERT_EQ(m.invariants.Violations(), 0) << "level " << level << "\n" << m.invariants.Report();
  }
  const BonusFigures& f = m.bonus.Figures;
  for (int code : {41, 42, 43, 44, 45, 46, 47, 48, 49, 50, 51, 52}) {
    EXPECT_GT(f.spawned[std::size_t(code)], 0) << "code " << code << " never appeared";
    EXPECT_GT(f.used[std::size_t(code)], 0) << "code " << code << " never used, spawned " << f.spawned[std::size_t(code)];
  }
  // The stock bonuses are pressed on the panel too, not only collected.
  for (int code : {46, 47, 51, 52}) EXPECT_GT(f.pressed[std::size_t(code)], 0) << "code " << code << " never pressed";
  EXPECT_GT(f.keysFound, 0);
  EXPECT_GT(f.starsFound, 0);
  EXPECT_GT(actions, 0);
}

}  // namespace
}  // namespace bm

// Leave-and-continue soak: levels of every stage played by the bot with every
// shop item open, left at random moments every few seconds of game clock and
// continued from the files in a fresh match, as a player who closes the game
// and starts it again would (mid-swap, mid-fall, mid-removal): the board comes
// back as it was left, and every board promise is checked on every frame, the
// frames of each continued board included. The long run over many seeds
// is scripts/soak.sh with BM_SOAK_LEAVE.
#include <gtest/gtest.h>

#include <iostream>
#include <memory>

#include "bench/harness/BotRun.h"
#include "bonus/ShopItems.h"
#include "diag/Logs.h"
#include "match/Carryover.h"
#include "match/Match.h"
#include "saves/SaveGame.h"
#include "tests/TempDir.h"

namespace bm {
namespace {

using test::TempDir;

struct Soak {
  int leaves = 0;
  int violations = 0;
  std::string report;
};

Soak LeaveAndContinue(const TempDir& dir, int level, std::uint64_t seed) {
  Logs logs(dir.str());
  SaveFolder folder{dir.str(), dir.str(), &logs};
  PrepareSaveFolder(folder);
  SaveData data;
  data.players.slot[1].Name = "Soak";
  data.players.SetCurrent(1);
  const std::string levels = std::string(BM_GAME_DIR) + "/levels";
  auto m = std::make_unique<Match>(seed, levels);
  m->checkInvariants = true;
  double now = 1000;
  ItemStatus open = m->items;
  UnlockEveryItem(open, 1);
  SetShopState(*m, open, 1, now);
  NewGame(*m, level, now);
  Rng moments(seed * 7 + 1);
  Soak r;
  const double end = now + 90000;
  while (now < end) {
    AutoplayOptions bo;
    bo.seed = seed + std::uint64_t(r.leaves);
    Autoplay bot(bo);
    BotDrive drive;
    drive.jitter = true;
    drive.jitterSeed = bo.seed;
    drive.limitMs = 500 + 4500 * moments.Next();
    drive.onEvent = [](const BoardEvent& e) {
      return e.kind == BoardEvent::Kind::LevelComplete || e.kind == BoardEvent::Kind::TimeUp;
    };
    now = DriveBot(*m, bot, now, drive);
    if (!LevelInProgress(*m) || m->flow.pending != FlowStep::None) break;
    const std::uint64_t hash = BoardHash(m->cells);
    if (!SaveGame(folder, data, *m)) break;
    ++r.leaves;
    r.violations += m->invariants.Violations();
    if (m->invariants.Violations()) r.report += m->invariants.Report();
    m = std::make_unique<Match>(seed + 1000 + std::uint64_t(r.leaves), levels);
    m->checkInvariants = true;
    now += 100;
    if (!LoadSavedGame(folder, data, *m, now)) break;
    if (BoardHash(m->cells) != hash) r.report += "a board not as it was left, leave " + std::to_string(r.leaves) + "\n";
  }
  r.violations += m->invariants.Violations();
  if (m->invariants.Violations()) r.report += m->invariants.Report();
  return r;
}

TEST(LeaveContinueSoak, LevelsOfEveryStageLeftAtRandomMomentsKeepEveryPromise) {
  int leaves = 0;
  for (int level : {3, 12, 20, 29, 35, 41, 47, 58, 64}) {
    TempDir dir(true);  // hundreds of saves: what they leave, not how fast they flush
    const Soak r = LeaveAndContinue(dir, level, std::uint64_t(level) * 1000 + 7);
    EXPECT_TRUE(r.violations == 0 && r.report.empty()) << "level " << level << " after " << r.leaves << " leaves\n" << r.report;
    leaves += r.leaves;
  }
  std::cout << "[ figures  ] 9 levels, " << leaves << " leaves and continues\n";
  EXPECT_GT(leaves, 60) << "the levels ended too soon to be left often";
}

}  // namespace
}  // namespace bm

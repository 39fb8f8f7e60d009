#include "bench/harness/LevelTrial.h"

#include <memory>

#include "bench/harness/ArrivalShop.h"
#include "bench/harness/BotRun.h"
#include "board/BoardPhase.h"
#include "bot/Autoplay.h"
#include "match/Match.h"

namespace bm {

LevelTrialResult RunLevelTrial(const LevelTrialOptions& o) {
  auto match = std::make_unique<Match>(o.seed, o.levelsDir);
  Match& m = *match;
  m.checkInvariants = o.checkInvariants;
  m.bonusesOn = o.bonusesOn;
  m.itemSlot = 1;
  if (o.arrivalShop) m.items = ArrivalItemStatus(o.level, m.itemSlot);

  AutoplayOptions bo;
  bo.thinkMs = o.thinkMs;
  bo.seed = o.seed + 1;
  Autoplay bot(bo);
  const double start = 1000;
  NewGame(m, o.level, start);
  m.session.Lives = o.lives;
  m.clock.sandEnabled = !o.untimed;

  LevelTrialResult r;
  r.timeLimit = m.level.TimeLimit;
  r.kinds = int(m.level.JewelKinds.size());
  for (int i = 0; i < kCellCount; ++i)
    if (m.cells[i].IsExists) {
      ++r.cells;
      r.bubbles += m.cells[i].Ice;
    }
  r.attempts = 1;
  // A level is played out within lives + 1 hourglasses; the margin covers
  // clocks found on the board and the captions.
  const double limitMs =
      o.untimed ? o.untimedLimitS * 1000 : (o.lives + 2) * (m.level.TimeLimit + 60) * 1000.0 * 2;
  double usedSeconds = 0;
  int plain = 0;
  BotDrive d;
  d.frameMs = o.frameMs;
  d.sleepWhenQuiet = true;
  d.limitMs = limitMs;
  // A lost hourglass restarts the level at once: the map and shop are the shell's.
  d.followFlow = true;
  d.beforeFrame = [&] {
    // The hourglass time the level has run, clocks found included.
    usedSeconds = m.level.TimeLimit * (1 - m.level.SandLeft);
    if (PhaseOf(m.cells, m.board) == BoardPhase::TimeUp || m.level.SandLeft <= 0) {
      plain = 0;
      for (int i = 0; i < kCellCount; ++i) plain += m.cells[i].IsExists && m.cells[i].Gnd == 0;
    }
  };
  d.onEvent = [&](const BoardEvent& e) {
    switch (e.kind) {
      case BoardEvent::Kind::LevelWon:
        r.won = true;
        if (r.attempts == 1) r.firstShare = usedSeconds / r.timeLimit;
        r.finishSeconds = (m.clock.lastNow - start) / 1000;
        return true;
      case BoardEvent::Kind::GameOver: r.plainAtTimeUp += plain; return true;
      case BoardEvent::Kind::LevelLost:
        r.plainAtTimeUp += plain;
        ++r.attempts;
        return false;
      default: return false;
    }
  };
  const double now = DriveBot(m, bot, start, d);
  r.reshuffles = m.stats.reshuffles;
  for (long n : m.bonus.Figures.used) r.bonusesUsed += n;
  for (long n : m.bonus.Figures.spawned) r.bonusesSpawned += n;
  r.moves = bot.MovesMade();
  r.gameMs = now - start;
  r.frames = m.stats.frames;
  r.violations = m.invariants.Violations();
  return r;
}

}  // namespace bm

#include "bench/harness/LevelTrial.h"

#include <algorithm>
#include <memory>

#include "bot/Autoplay.h"
#include "board/BoardPhase.h"
#include "bench/harness/ArrivalShop.h"
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
  MatchInput in;
  in.screenW = m.metrics.width;
  in.screenH = m.metrics.height;
  double now = 1000;
  NewGame(m, o.level, now);
  m.session.Lives = o.lives;
  m.clock.sandEnabled = !o.untimed;

  LevelTrialResult r;
  r.timeLimit = m.level.TimeLimit;
  r.kinds = int(m.level.jewelKinds.size());
  for (int i = 0; i < kCellCount; ++i)
    if (m.cells[i].isExists) {
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
  bool over = false;
  while (!over && now - 1000 < limitMs) {
    // A quiet board sleeps until its next due time, as the game's loop does;
    // the bot's own pause ends a sleep too.
    double step = o.frameMs;
    if (m.clock.quiet) step = std::clamp(MatchWakeAt(m, now) - now, o.frameMs, 100.0);
    now += step;
    PointerFeed feed = bot.Step(now, m.cells, m.board, m.metrics, &m.player, m.level.SandLeft);
    in.now = now;
    in.pointerX = feed.x;
    in.pointerY = feed.y;
    in.leftDown = feed.left;
    in.rightDown = feed.right;
    // The hourglass time the level has run, clocks found included.
    usedSeconds = m.level.TimeLimit * (1 - m.level.SandLeft);
    if (PhaseOf(m.cells, m.board) == BoardPhase::TimeUp || m.level.SandLeft <= 0) {
      plain = 0;
      for (int i = 0; i < kCellCount; ++i) plain += m.cells[i].isExists && m.cells[i].Gnd == 0;
    }
    AdvanceFrame(m, in);
    for (const BoardEvent& e : TakeEvents(m)) {
      if (e.kind == BoardEvent::Kind::LevelWon) {
        r.won = true;
        if (r.attempts == 1) r.firstShare = usedSeconds / r.timeLimit;
        r.finishSeconds = (now - 1000) / 1000;
        over = true;
        break;
      }
      if (e.kind == BoardEvent::Kind::GameOver) {
        r.plainAtTimeUp += plain;
        over = true;
        break;
      }
      if (e.kind == BoardEvent::Kind::LevelLost) {
        r.plainAtTimeUp += plain;
        ++r.attempts;
      }
    }
    // A lost hourglass restarts the level at once: the map and shop are the shell's.
    if (!over) FollowFlowWithoutScreens(m, now);
  }
  r.reshuffles = m.stats.reshuffles;
  for (long n : m.bonus.figures.used) r.bonusesUsed += n;
  for (long n : m.bonus.figures.spawned) r.bonusesSpawned += n;
  r.moves = bot.MovesMade();
  r.gameMs = now - 1000;
  r.frames = m.stats.frames;
  r.violations = m.invariants.Violations();
  return r;
}

}  // namespace bm

#include "bench/harness/BotRun.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <sstream>

#include "board/LatticeBoard.h"
#include "bonus/ShopItems.h"
#include "match/Match.h"

namespace bm {

std::unique_ptr<Match> LatticeMatch(const BotRunOptions& o) {
  // The cell array is large; keep it off the stack.
  auto match = std::make_unique<Match>(o.seed);
  Match& m = *match;
  m.checkInvariants = o.checkInvariants;
  m.clock.sandEnabled = false;  // the bot plays each level to its end
  m.bonusesOn = o.bonusesOn;
  if (o.unlockAll) UnlockEveryItem(m.items, m.itemSlot);

  LayOutLattice(m.cells, m.level, o.holes);
  for (int k = 1; k <= o.kinds; ++k) m.level.JewelKinds.push_back(k);
  FillRandom(m.cells, m.level, m.rng);
  std::istringstream bubbles(o.bubbles);
  for (std::string pair; bubbles >> pair;) {
    int cell = 0, count = 0;
    if (std::sscanf(pair.c_str(), "%d:%d", &cell, &count) == 2 && cell >= 0 && cell < kCellCount &&
        m.cells[cell].IsExists)
      m.cells[cell].Ice = count;
  }
  for (int i = 0; i < kCellCount; ++i)
    if (m.cells[i].IsExists) m.cells[i].Pos.Size = -40 * m.metrics.XScale;
  BeginLevel(m, kLatticeStartMs);
  return match;
}

double DriveBot(Match& m, Autoplay& bot, double start, const BotDrive& d) {
  Rng jitter(d.jitterSeed);
  MatchInput in;
  in.screenW = m.metrics.Width;
  in.screenH = m.metrics.Height;
  double now = start;
  bool over = false;
  while (!over && now - start < d.limitMs) {
    double step = d.jitter ? d.frameMs * (0.5 + jitter.Next()) : d.frameMs;
    if (d.sleepWhenQuiet && m.clock.quiet) step = std::clamp(MatchWakeAt(m, now) - now, d.frameMs, 100.0);
    now += step;
    PointerFeed feed = bot.Step(now, m.cells, m.board, m.metrics, &m.player, m.level.SandLeft);
    in.now = now;
    in.pointerX = feed.x;
    in.pointerY = feed.y;
    in.leftDown = feed.left;
    in.rightDown = feed.right;
    if (d.record) d.record->push_back(in);
    if (d.beforeFrame) d.beforeFrame();
    AdvanceFrame(m, in);
    for (const BoardEvent& e : TakeEvents(m)) {
      over = d.onEvent && d.onEvent(e);
      if (over) break;
    }
    if (!over && d.followFlow) FollowFlowWithoutScreens(m, now);
  }
  return now;
}

BotRunResult RunBotOnLattice(const BotRunOptions& o) {
  auto match = LatticeMatch(o);
  Match& m = *match;
  Autoplay bot(o.bot);
  BotRunResult r;
  BotDrive d;
  d.frameMs = o.frameMs;
  d.jitter = true;
  d.jitterSeed = o.seed * 7919 + 1;
  d.limitMs = o.limitMs;
  d.record = o.record;
  // The level is played out: the frame that wins it ends the run.
  d.onEvent = [&](const BoardEvent& e) {
    if (e.kind == BoardEvent::Kind::Sound && e.text == "bon_reshuf") ++r.shuffles;
    r.won = e.kind == BoardEvent::Kind::LevelWon;
    return r.won;
  };
  double now = DriveBot(m, bot, kLatticeStartMs, d);
  r.boardHash = BoardHash(m.cells);
  r.frames = m.stats.frames;
  r.gameMs = now - kLatticeStartMs;
  r.moves = bot.MovesMade();
  r.missed = bot.MovesMissed();
  r.score = m.session.Score;
  r.violations = m.invariants.Violations();
  r.report = m.invariants.Report();
  for (long n : m.bonus.Figures.spawned) r.bonusesSpawned += n;
  for (long n : m.bonus.Figures.used) r.bonusesUsed += n;
  r.effectsPeak = m.bonus.Figures.effectsPeak;
  r.bonusActions = bot.BonusActions();
  return r;
}

}  // namespace bm

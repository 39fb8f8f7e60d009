#include "bench/harness/BotRun.h"

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
  for (int k = 1; k <= o.kinds; ++k) m.level.jewelKinds.push_back(k);
  FillRandom(m.cells, m.level, m.rng);
  std::istringstream bubbles(o.bubbles);
  for (std::string pair; bubbles >> pair;) {
    int cell = 0, count = 0;
    if (std::sscanf(pair.c_str(), "%d:%d", &cell, &count) == 2 && cell >= 0 && cell < kCellCount &&
        m.cells[cell].isExists)
      m.cells[cell].Ice = count;
  }
  for (int i = 0; i < kCellCount; ++i)
    if (m.cells[i].isExists) m.cells[i].Pos.Size = -40 * m.metrics.XScale;
  BeginLevel(m, kLatticeStartMs);
  return match;
}

BotRunResult RunBotOnLattice(const BotRunOptions& o) {
  auto match = LatticeMatch(o);
  Match& m = *match;
  Rng jitter(o.seed * 7919 + 1);
  double now = kLatticeStartMs;
  Autoplay bot(o.bot);
  BotRunResult r;
  MatchInput in;
  in.screenW = m.metrics.width;
  in.screenH = m.metrics.height;
  while (now - kLatticeStartMs < o.limitMs && !r.won) {
    now += o.frameMs * (0.5 + jitter.Next());
    PointerFeed feed = bot.Step(now, m.cells, m.board, m.metrics, &m.player, m.level.SandLeft);
    in.now = now;
    in.pointerX = feed.x;
    in.pointerY = feed.y;
    in.leftDown = feed.left;
    in.rightDown = feed.right;
    if (o.record) o.record->push_back(in);
    AdvanceFrame(m, in);
    for (const BoardEvent& e : TakeEvents(m)) {
      if (e.kind == BoardEvent::Kind::Sound && e.text == "bon_reshuf") ++r.shuffles;
      if (e.kind == BoardEvent::Kind::LevelWon) r.won = true;
    }
  }
  r.boardHash = BoardHash(m.cells);
  r.frames = m.stats.frames;
  r.gameMs = now - kLatticeStartMs;
  r.moves = bot.MovesMade();
  r.missed = bot.MovesMissed();
  r.score = m.session.Score;
  r.violations = m.invariants.Violations();
  r.report = m.invariants.Report();
  for (long n : m.bonus.figures.spawned) r.bonusesSpawned += n;
  for (long n : m.bonus.figures.used) r.bonusesUsed += n;
  r.effectsPeak = m.bonus.figures.effectsPeak;
  r.bonusActions = bot.BonusActions();
  return r;
}

}  // namespace bm

#include "board/BotRun.h"

#include <memory>
#include <sstream>

#include "board/GameFrame.h"
#include "board/Invariants.h"
#include "board/LatticeBoard.h"

namespace bm {

BotRunResult RunBotOnLattice(const BotRunOptions& o) {
  // The cell array is large; keep it off the stack.
  auto cells = std::make_unique<Cells>();
  BoardState st;
  LevelState level;
  BoardPlayer player;
  Rng rng(o.seed);
  Rng jitter(o.seed * 7919 + 1);
  ScreenMetrics metrics = ScreenMetrics::For(1280, 1024);

  LayOutLattice(*cells, level, o.holes);
  for (int k = 1; k <= o.kinds; ++k) level.jewelKinds.push_back(k);
  FillRandom(*cells, level, rng);
  std::istringstream bubbles(o.bubbles);
  for (std::string pair; bubbles >> pair;) {
    int cell = 0, count = 0;
    if (std::sscanf(pair.c_str(), "%d:%d", &cell, &count) == 2 && cell >= 0 && cell < kCellCount &&
        (*cells)[cell].isExists)
      (*cells)[cell].Ice = count;
  }
  for (int i = 0; i < kCellCount; ++i)
    if ((*cells)[i].isExists) (*cells)[i].Pos.Size = -40 * metrics.XScale;

  double now = 1000;
  BeginLevelPlay(st, now);
  Autoplay bot(o.bot);
  InvariantChecker checker;
  BotRunResult r;
  while (now - 1000 < o.limitMs) {
    double dt = o.frameMs * (0.5 + jitter.Next());
    now += dt;
    PointerFeed feed = bot.Step(now, *cells, st, metrics);
    FrameInput in;
    in.now = now;
    in.frameFactor = dt / 35;
    in.pointerX = feed.x;
    in.pointerY = feed.y;
    in.leftDown = feed.left;
    in.rightDown = feed.right;
    in.metrics = metrics;
    GameFrame(in, *cells, st, level, player, rng);
    ++r.frames;
    for (const BoardEvent& e : st.events) {
      if (e.kind == BoardEvent::Kind::Sound && e.text == "bon_reshuf") ++r.shuffles;
      if (e.kind == BoardEvent::Kind::LevelComplete) r.won = true;
    }
    st.events.clear();
    if (o.checkInvariants) checker.Check(*cells, st, now);
    if (r.won) break;
  }
  r.gameMs = now - 1000;
  r.moves = bot.MovesMade();
  r.missed = bot.MovesMissed();
  r.score = st.Score;
  r.violations = checker.Violations();
  r.report = checker.Report();
  return r;
}

}  // namespace bm

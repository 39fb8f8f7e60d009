// What the board rules cost: how fast the autoplay bot plays whole levels on
// the rules alone (simulated game seconds per wall second), the cost of one
// GameFrame, and of a full move count on a full board.
//
//   bench_board [levels]     (default 5 levels, seeds 1..levels)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "board/BotRun.h"
#include "board/GameFrame.h"
#include "board/LatticeBoard.h"
#include "board/MoveSearch.h"

using namespace bm;
using Clock = std::chrono::steady_clock;

namespace {

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

void BotLevels(int levels, bool checked) {
  double game = 0, wall = 0;
  long frames = 0;
  int won = 0, violations = 0;
  for (int seed = 1; seed <= levels; ++seed) {
    BotRunOptions o;
    o.seed = std::uint64_t(seed);
    o.kinds = 5;
    o.checkInvariants = checked;
    auto t0 = Clock::now();
    BotRunResult r = RunBotOnLattice(o);
    wall += Seconds(Clock::now() - t0);
    game += r.gameMs / 1000;
    frames += r.frames;
    won += r.won;
    violations += r.violations;
  }
  std::printf("bot on the rules%s: %d of %d levels won, %.0f game s in %.3f wall s = %.0fx real time, %.1f us per frame%s\n",
              checked ? " with invariant checks" : "", won, levels, game, wall, game / wall, 1e6 * wall / double(frames),
              checked ? (violations ? " (VIOLATIONS)" : ", 0 violations") : "");
}

void FrameCost() {
  auto cells = std::make_unique<Cells>();
  BoardState st;
  LevelState level;
  BoardPlayer player;
  Rng rng(9);
  level.jewelKinds = {1, 2, 3, 4, 5};
  LayOutLattice(*cells, level);
  FillRandom(*cells, level, rng);
  FrameInput in;
  in.metrics = ScreenMetrics::For(1280, 1024);
  in.now = 1000;
  BeginLevelPlay(st, in.now);
  st.BoardGrowIn = false;
  const int n = 20000;
  auto t0 = Clock::now();
  for (int k = 0; k < n; ++k) {
    in.now += 16;
    in.frameFactor = 16.0 / 35;
    GameFrame(in, *cells, st, level, player, rng);
    st.events.clear();
  }
  double us = 1e6 * Seconds(Clock::now() - t0) / n;
  std::printf("GameFrame on a settled full board (116 cells, pointer idle): %.2f us\n", us);

  BoardCtx c{*cells, st, level, player, rng, in.now, 1, 1, 1};
  const int m = 2000;
  int moves = 0;
  t0 = Clock::now();
  for (int k = 0; k < m; ++k) moves = CountMovesAll(c);
  us = 1e6 * Seconds(Clock::now() - t0) / m;
  std::printf("CountMovesAll on a full board (%d moves): %.1f us\n", moves, us);
}

}  // namespace

int main(int argc, char** argv) {
  int levels = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
  FrameCost();
  BotLevels(levels, false);
  BotLevels(levels, true);
  return 0;
}

// What the board rules cost: how fast the autoplay bot plays whole levels on
// the rules alone (simulated game seconds per wall second), the cost of one
// AdvanceFrame, and of a full move count on a full board.
//
//   bench_board [levels]     (default 5 levels, seeds 1..levels)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "bench/harness/BotRun.h"
#include "board/BoardContext.h"
#include "board/LatticeBoard.h"
#include "board/MoveSearch.h"
#include "match/Match.h"

using namespace bm;
using Clock = std::chrono::steady_clock;

namespace {

double Seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

void BotLevels(int levels, bool checked) {
  double game = 0, wall = 0;
  long frames = 0;
  int won = 0, violations = 0;
  double slowest = 1e18;
  std::string each;
  for (int seed = 1; seed <= levels; ++seed) {
    BotRunOptions o;
    o.seed = std::uint64_t(seed);
    o.kinds = 5;
    o.checkInvariants = checked;
    auto t0 = Clock::now();
    BotRunResult r = RunBotOnLattice(o);
    double w = Seconds(Clock::now() - t0);
    wall += w;
    game += r.gameMs / 1000;
    slowest = std::min(slowest, r.gameMs / 1000 / w);
    each += (each.empty() ? "" : " ") + std::to_string(int(r.gameMs / 1000 / w));
    frames += r.frames;
    won += r.won;
    violations += r.violations;
  }
  std::printf("bot on the rules%s: %d of %d levels won, %.0f game s in %.3f wall s = %.0fx real time, %.1f us per frame%s\n",
              checked ? " with invariant checks" : "", won, levels, game, wall, game / wall, 1e6 * wall / double(frames),
              checked ? (violations ? " (VIOLATIONS)" : ", 0 violations") : "");
  std::printf("  each level: %s x real time; slowest %.0fx (goal >= 1000)\n", each.c_str(), slowest);
}

void FrameCost() {
  auto match = std::make_unique<Match>(9);
  Match& m = *match;
  m.level.JewelKinds = {1, 2, 3, 4, 5};
  LayOutLattice(m.cells, m.level);
  FillRandom(m.cells, m.level, m.rng);
  MatchInput in;
  in.now = 1000;
  BeginLevel(m, in.now);
  m.board.BoardGrowIn = false;
  m.clock.sandEnabled = false;
  const int n = 20000;
  auto t0 = Clock::now();
  for (int k = 0; k < n; ++k) {
    in.now += 16;
    AdvanceFrame(m, in);
    m.events.clear();
  }
  double us = 1e6 * Seconds(Clock::now() - t0) / n;
  std::printf("AdvanceFrame on a settled full board (116 cells, pointer idle): %.2f us\n", us);

  BoardCtx c{m.cells, m.board, m.level, m.player, m.rng, in.now, 1, 1, 1};
  const int reps = 2000;
  int moves = 0;
  t0 = Clock::now();
  for (int k = 0; k < reps; ++k) moves = CountMovesAll(c);
  us = 1e6 * Seconds(Clock::now() - t0) / reps;
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

#include "shell/BoardTransition.h"

#include <memory>

#include "progress/BoardFlight.h"
#include "progress/Stages.h"
#include "render/BoardDraw.h"
#include "render/PlayScreen.h"
#include "shell/Game.h"
#include "shell/Loop.h"

namespace bm {

namespace {

// The board's cells placed at their flying points, for drawing.
void PlaceCells(Cells& out, const Cells& in, const BoardFlight& f, const ScreenMetrics& m) {
  for (int i = 0; i < kCellCount; ++i) {
    Cell c = in[i];
    if (f.exists[std::size_t(i)]) {
      const FlightPoint& p = f.pos[std::size_t(i)];
      double bx = (p.x * m.XPercent - m.BoardLeft) * 64 / (96 * m.XScale);
      double by = (p.y * m.YPercent - m.BoardTop) * 64 / (96 * m.YScale);
      c.CenterX = c.Pos.CurX = bx;
      c.CenterY = c.Pos.CurY = by;
      c.isSelected = false;
    }
    out[i] = c;
  }
}

}  // namespace

void BoardTransition(Game& g, int direction) {
  g.music.FadeMusAll(-0.01, 30);
  Cells& cells = g.match.cells;
  BoardState& board = g.match.board;
  board.MovesText = "--";
  board.HintVisible = false;
  board.HintA = board.HintB = 0;
  Input& in = g.in();
  // An arrow held from the cheat keys must not skip the flight at once.
  if ((in.KeyDown(vk::Left) || in.KeyDown(vk::Right)) && !g.input.ClickLatch) g.input.ClickLatch = true;
  BoardFlight flight = SetUpFlight(cells, g.metrics, direction, g.fxRng);
  auto drawn = std::make_unique<Cells>();
  BoardState still;  // no selection, hint or caption while flying
  double lastStep = g.Now();
  bool skipped = false;
  RunLoop(g, [&](Game& g) -> Pass {
    Input& in = g.in();
    double now = g.Now();
    // Steps follow the clock, not the frame rate: a slow frame takes several.
    for (int k = 0; now - lastStep > kFlightStepMs && k < 50 && !flight.finished; ++k) {
      lastStep += kFlightStepMs;
      StepFlight(flight, g.metrics);
    }
    if (now - lastStep > kFlightStepMs) lastStep = now;
    if (in.ButtonDown(2) && !g.input.ClickLatch) g.input.ClickLatch = skipped = true;
    if (in.KeyDown(vk::Escape) && !g.input.EscLatch) g.input.EscLatch = skipped = true;
    if ((in.KeyDown(vk::Left) || in.KeyDown(vk::Right)) && !g.input.ClickLatch) g.input.ClickLatch = skipped = true;
    if (!in.KeyDown(vk::Escape)) g.input.EscLatch = false;
    if (!in.ButtonDown(2) && !in.KeyDown(vk::Left) && !in.KeyDown(vk::Right)) g.input.ClickLatch = false;
    if (g.drawing) {
      DrawPlayBackground(g.canvas, g.match.level.number);
      PlaceCells(*drawn, cells, flight, g.metrics);
      DrawBoard(g.canvas, g.font, *drawn, still);
    }
    g.flags.SceneDirty = true;
    return {flight.finished || skipped, lastStep + kFlightStepMs};
  });
  if (direction != 1) return;
  // The stage's tune starts afresh on its first level and carries on across the others.
  int n = g.match.session.CurrentLevel;
  bool first = FirstLevelOfStage(n);
  g.music.PlayMusic(MusicMod::MP3onStage(StageOfLevel(n)), first ? 1.0 : 0.005, 0, first);
}

}  // namespace bm

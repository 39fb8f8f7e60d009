#include "shell/FlightScreen.h"

#include "progress/Stages.h"
#include "render/BoardDraw.h"
#include "render/PlayScreen.h"
#include "shell/PlaySide.h"
#include "shell/Services.h"

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
      c.IsSelected = false;
    }
    out[i] = c;
  }
}

}  // namespace

Next FlightScreen::Enter(Stage& s) {
  s.sound.music.FadeMusAll(-0.01, 30);
  BoardState& board = play_.match.board;
  board.MovesText = "--";
  board.HintVisible = false;
  board.HintA = board.HintB = 0;
  Input& in = s.in();
  // An arrow held from the cheat keys must not skip the flight at once.
  if ((in.KeyDown(vk::Left) || in.KeyDown(vk::Right)) && !s.loop.Input.ClickLatch) s.loop.Input.ClickLatch = true;
  flight_ = SetUpFlight(play_.match.cells, s.look.metrics, direction_, play_.fxRng);
  lastStep_ = s.Now();
  return Next::Stay();
}

Next FlightScreen::Pass(Stage& s) {
  Input& in = s.in();
  InputRouter& input = s.loop.Input;
  double now = s.Now();
  // Steps follow the clock, not the frame rate: a slow frame takes several.
  for (int k = 0; now - lastStep_ > kFlightStepMs && k < 50 && !flight_.finished; ++k) {
    lastStep_ += kFlightStepMs;
    StepFlight(flight_, s.look.metrics);
  }
  if (now - lastStep_ > kFlightStepMs) lastStep_ = now;
  if (in.ButtonDown(2) && !input.ClickLatch) input.ClickLatch = skipped_ = true;
  if (in.KeyDown(vk::Escape) && !input.EscLatch) input.EscLatch = skipped_ = true;
  if ((in.KeyDown(vk::Left) || in.KeyDown(vk::Right)) && !input.ClickLatch) input.ClickLatch = skipped_ = true;
  if (!in.KeyDown(vk::Escape)) input.EscLatch = false;
  if (!in.ButtonDown(2) && !in.KeyDown(vk::Left) && !in.KeyDown(vk::Right)) input.ClickLatch = false;
  if (s.look.drawing) {
    DrawPlayBackground(s.look.canvas, play_.match.level.Number);
    PlaceCells(*drawn_, play_.match.cells, flight_, s.look.metrics);
    DrawBoard(s.look.canvas, s.look.font, *drawn_, still_);
  }
  s.loop.SceneDirty = true;
  if (flight_.finished || skipped_) return Next::Pop(Leave(s));
  return Next::Stay(lastStep_ + kFlightStepMs);
}

Answer FlightScreen::Leave(Stage& s) {
  if (direction_ != 1) return {};
  // The stage's tune starts afresh on its first level and carries on across the others.
  int n = play_.match.session.CurrentLevel;
  bool first = FirstLevelOfStage(n);
  s.sound.music.PlayMusic(MusicMod::StageTrack(StageOfLevel(n)), first ? 1.0 : 0.005, 0, first);
  return {};
}

}  // namespace bm

#include "shell/PlayFrame.h"

#include "render/PlayScreen.h"
#include "shell/Game.h"

namespace bm {

void BeginLevel(Game& g) {
  g.play.LastFrameTime = g.Now();
  g.flags.Redraw = true;
}

void SandTick(Game& g) {
  if (!g.play.sandEnabled || !(g.play.LastSandTick + g.play.SandTickPeriod < g.Now())) return;
  g.play.LastSandTick = g.Now();
  g.level.SandLeft -= 1.0 / g.level.TimeLimit;
  if (g.level.SandLeft < 0) g.level.SandLeft = 0;
}

double PlayPass(Game& g) {
  bool moving = false;
  if (g.play.framesEnabled && g.play.LastFrameTime < g.Now()) {
    double now = g.Now();
    g.play.FrameFactor = (now - g.play.LastFrameTime) / 35.0;
    g.play.LastFrameTime = now;
    for (int i = 0; i < kCellCount; ++i) {
      Cell& c = g.cells[i];
      if (c.isExists && c.Pos.Size < 0) {
        c.Pos.Size = std::min(0.0, c.Pos.Size + 4 * g.metrics.XScale);
        moving = true;
      }
    }
  }
  std::string before = TimeLeftText(g.level.SandLeft, g.level.TimeLimit);
  SandTick(g);
  if (moving || before != TimeLeftText(g.level.SandLeft, g.level.TimeLimit) || g.flags.Redraw) {
    g.flags.Redraw = false;
    DrawPlayBackground(g);
    DrawCellsPlain(g);
    DrawPanel(g, "--");
    g.flags.SceneDirty = true;
  }
  return moving ? 0 : g.play.LastSandTick + g.play.SandTickPeriod + 1;
}

}  // namespace bm

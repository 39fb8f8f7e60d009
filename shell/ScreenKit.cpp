#include "shell/ScreenKit.h"

#include <algorithm>
#include <cmath>

#include "shell/BotInput.h"
#include "shell/Game.h"

namespace bm {

bool PointerMoved(PointD& last, PointD now) {
  bool moved = last.x >= 0 && now.x >= 0 && (std::abs(now.x - last.x) > 2 || std::abs(now.y - last.y) > 2);
  if (now.x >= 0 && (moved || last.x < 0)) last = now;
  return moved;
}

bool ScreenMinimised(Game& g) {
  if (g.window().IsMinimised()) {
    g.music.PauseMusAll();
    return true;
  }
  g.music.ResumeMusAll();
  return false;
}

void HoverSound(Game& g, bool overItem) {
  if (overItem) g.sfx.PlaySfxOnce("ev_menu_over");
  else g.sfx.RearmSfx("ev_menu_over");
}

void BotPress(Game& g, const IRect& r, double pressAt) {
  if (!g.botInput) return;
  double x = (r.left + r.right) / 2.0, y = (r.top + r.bottom) / 2.0;
  bool press = g.Now() >= pressAt && g.Now() < pressAt + 60;
  g.botInput->Feed({x, y, press, false});
}

double BotWake(Game& g, double pressAt) {
  if (!g.botInput) return 0;
  double now = g.Now();
  if (now < pressAt) return pressAt;
  if (now < pressAt + 60) return pressAt + 60;
  return 0;
}

}  // namespace bm

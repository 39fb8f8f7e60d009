#include "shell/ScreenKit.h"

#include <algorithm>
#include <cmath>

#include "shell/BotInput.h"
#include "shell/Services.h"

namespace bm {

bool PointerMoved(PointD& last, PointD now) {
  bool moved = last.x >= 0 && now.x >= 0 && (std::abs(now.x - last.x) > 2 || std::abs(now.y - last.y) > 2);
  if (now.x >= 0 && (moved || last.x < 0)) last = now;
  return moved;
}

int FocusStep(const std::vector<PointD>& spots, int from, int dx, int dy) {
  if (spots.empty()) return -1;
  if (from < 0 || from >= int(spots.size())) return 0;
  const PointD c = spots[std::size_t(from)];
  int best = from;
  double bestScore = 0;
  for (int i = 0; i < int(spots.size()); ++i) {
    double ahead = (spots[std::size_t(i)].x - c.x) * dx + (spots[std::size_t(i)].y - c.y) * dy;
    double aside = std::abs((spots[std::size_t(i)].x - c.x) * dy) + std::abs((spots[std::size_t(i)].y - c.y) * dx);
    if (i == from || ahead <= 1) continue;
    // Off to the side counts double: Down from the end of a row goes down, not round the corner.
    double score = ahead + 2 * aside;
    if (best == from || score < bestScore) best = i, bestScore = score;
  }
  return best;
}

bool ScreenMinimised(Services& s) {
  if (s.window().IsMinimised()) {
    s.sound.music.PauseMusAll();
    return true;
  }
  s.sound.music.ResumeMusAll();
  return false;
}

void HoverSound(Services& s, bool overItem) {
  if (overItem) s.sound.sfx.PlaySfxOnce("ev_menu_over");
  else s.sound.sfx.RearmSfx("ev_menu_over");
}

void ClickSound(Services& s) {
  s.sound.sfx.PlaySfxOnce("ev_menu_click");
  s.sound.sfx.RearmSfx("ev_menu_click");
}

void BotPress(Services& s, const IRect& r, double pressAt) {
  if (!s.botInput) return;
  double x = (r.left + r.right) / 2.0, y = (r.top + r.bottom) / 2.0;
  bool press = s.Now() >= pressAt && s.Now() < pressAt + 60;
  s.botInput->Feed({x, y, press, false});
}

double BotWake(Services& s, double pressAt) {
  if (!s.botInput) return 0;
  double now = s.Now();
  if (now < pressAt) return pressAt;
  if (now < pressAt + 60) return pressAt + 60;
  return 0;
}

Next StayForInput(Services& s, double botPressAt) {
  double wake = BotWake(s, botPressAt);
  return Next::Stay(wake > 0 ? wake : s.Now() + 1000);
}

}  // namespace bm

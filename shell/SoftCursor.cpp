#include "shell/SoftCursor.h"

#include "board/ScreenMetrics.h"
#include "shell/Game.h"

namespace bm {

namespace {
constexpr const char* kCursorPicture = "256/cursor.png";
}

Rect SoftCursorRect(const ScreenMetrics& m, double x, double y) {
  double l = x - 30 * m.XScale, t = y - 10 * m.YScale;
  return {int(l), int(t), int(l + 96 * m.XScale), int(t + 96 * m.YScale)};
}

bool StepSoftCursor(Game& g) {
  SoftCursor& s = g.softCursor;
  // Without a kept frame the picture could not move without a redraw: the system cursor stays.
  bool want = !g.plat.headless && g.settings.FullScreen != 0 && g.render().KeepsFrame();
  TextureId tex = want ? g.canvas.Tex(kCursorPicture) : 0;
  want = want && tex != 0;
  if (want != s.on) {
    s.on = want;
    g.window().ShowCursor(!want);
    if (!want) g.render().SetCursor(0, Rect{});
    s.x = s.y = -1e9;
  }
  if (!want) return false;
  PointD p = g.in().Pointer();
  if (p.x == s.x && p.y == s.y) return false;
  s.x = p.x;
  s.y = p.y;
  bool inside = p.x >= 0 && p.y >= 0 && p.x < g.metrics.width && p.y < g.metrics.height;
  g.render().SetCursor(inside ? tex : 0, SoftCursorRect(g.metrics, p.x, p.y));
  return true;
}

}  // namespace bm

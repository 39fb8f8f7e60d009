#include "shell/SoftCursor.h"

#include "board/ScreenMetrics.h"
#include "shell/Services.h"

namespace bm {

namespace {
constexpr const char* kCursorPicture = "256/cursor.png";
}

Rect SoftCursorRect(const ScreenMetrics& m, double x, double y) {
  double l = x - 30 * m.XScale, t = y - 10 * m.YScale;
  return {int(l), int(t), int(l + 96 * m.XScale), int(t + 96 * m.YScale)};
}

bool StepSoftCursor(Services& s) {
  SoftCursor& c = s.loop.Cursor;
  const ScreenMetrics& m = s.look.metrics;
  // Without a kept frame the picture could not move without a redraw: the system cursor stays.
  bool want = !s.platform.headless && s.loop.WindowFullScreen && s.render().KeepsFrame();
  TextureId tex = want ? s.look.canvas.Tex(kCursorPicture) : 0;
  want = want && tex != 0;
  if (want != c.on) {
    c.on = want;
    s.window().ShowCursor(!want);
    if (!want) s.render().SetCursor(0, Rect{});
    c.x = c.y = -1e9;
  }
  if (!want) return false;
  PointD p = s.in().Pointer();
  if (p.x == c.x && p.y == c.y) return false;
  c.x = p.x;
  c.y = p.y;
  bool inside = p.x >= 0 && p.y >= 0 && p.x < m.Width && p.y < m.Height;
  s.render().SetCursor(inside ? tex : 0, SoftCursorRect(m, p.x, p.y));
  return true;
}

}  // namespace bm

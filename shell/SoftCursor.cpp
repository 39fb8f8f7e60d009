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

namespace {

// Hands the picture to the window when it changes; true while the window shows it.
bool PointerByWindow(Services& s, SoftCursor& c, bool want) {
  std::string path = want ? s.options.gameDir + "/" + kCursorPicture : "";
  Rect box = SoftCursorRect(s.look.metrics, 0, 0);
  bool sameBox = box.left == c.windowBox.left && box.top == c.windowBox.top && box.right == c.windowBox.right &&
                 box.bottom == c.windowBox.bottom;
  if (path != c.windowPicture || (want && !sameBox)) {
    c.windowPicture = path;
    c.windowBox = box;
    c.byWindow = s.window().ShowPointerPicture(path, box) && want;
  }
  return c.byWindow;
}

}  // namespace

bool StepSoftCursor(Services& s) {
  SoftCursor& c = s.loop.Cursor;
  const ScreenMetrics& m = s.look.metrics;
  bool want = !s.platform.headless && s.loop.WindowFullScreen;
  if (PointerByWindow(s, c, want)) want = false;
  // Without a kept frame the picture could not move without a redraw: the system cursor stays.
  want = want && s.render().KeepsFrame();
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

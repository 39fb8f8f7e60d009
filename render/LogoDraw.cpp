#include "render/LogoDraw.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace bm {

namespace {
// A layer, drawn square over the screen's height and centred.
void Layer(Canvas& c, int n, double alpha) {
  int a = int(std::nearbyint(std::clamp(alpha, 0.0, 1.0) * 255));
  TextureId t = c.Tex("red/logo/layer" + std::to_string(n) + ".jpg");
  if (!t || a <= 0) return;
  const ScreenMetrics& m = c.metrics;
  double side = m.Height, left = (m.Width - side) / 2;
  c.Image(t, left, 0, left + side, side, MakeArgb(a, 255, 255, 255));
}
}  // namespace

void DrawLogo(Canvas& c, double p) {
  using std::numbers::pi;
  c.device.Clear(0xFF000000);
  if (p <= 2) {
    Layer(c, 0, std::sin((p - 1.5) * pi));
  } else if (p <= 3) {
    Layer(c, 0, 1);
    Layer(c, 1, std::sin((p - 2) * pi));
  } else if (p <= 3.5) {
    Layer(c, 0, 1);
    Layer(c, 2, std::sin((p - 3) * pi));
  } else if (p <= 4) {
    Layer(c, 2, 1);
  } else {
    Layer(c, 2, std::sin((p - 2) * pi + pi / 2));
  }
}

void DrawIntroFade(Canvas& c, int slot, double progress) {
  c.device.RestoreBuffer(slot);
  TextureId menu = c.Tex("red/menu/main0-new2.jpg");
  if (menu) c.FullScreen(menu, WithAlpha(0xFFFFFFFF, std::sin(std::clamp(progress, 0.0, 1.0) * std::numbers::pi / 2)));
}

}  // namespace bm

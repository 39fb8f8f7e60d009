#include "render/LogoDraw.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "render/PictureWords.h"

namespace bm {

namespace {
// A layer, drawn square over the screen's height and centred, with its words.
void Layer(Canvas& c, Font& font, int n, double alpha) {
  int a = int(std::nearbyint(std::clamp(alpha, 0.0, 1.0) * 255));
  const std::string path = "red/logo/layer" + std::to_string(n) + ".jpg";
  TextureId t = c.Tex(path);
  if (!t || a <= 0) return;
  const ScreenMetrics& m = c.metrics;
  int side = m.Height, left = (m.Width - side) / 2;
  c.Image(t, left, 0, left + side, side, MakeArgb(a, 255, 255, 255));
  DrawPictureWords(c, font, path, {left, 0, left + side, side}, a);
}
}  // namespace

void DrawLogo(Canvas& c, Font& font, double p) {
  using std::numbers::pi;
  c.device.Clear(0xFF000000);
  if (p <= 2) {
    Layer(c, font, 0, std::sin((p - 1.5) * pi));
  } else if (p <= 3) {
    Layer(c, font, 0, 1);
    Layer(c, font, 1, std::sin((p - 2) * pi));
  } else if (p <= 3.5) {
    Layer(c, font, 0, 1);
    Layer(c, font, 2, std::sin((p - 3) * pi));
  } else if (p <= 4) {
    Layer(c, font, 2, 1);
  } else {
    Layer(c, font, 2, std::sin((p - 2) * pi + pi / 2));
  }
}

void DrawIntroFade(Canvas& c, int slot, double progress) {
  c.device.RestoreBuffer(slot);
  TextureId menu = c.Tex("red/menu/main0-new2.jpg");
  if (menu) c.FullScreen(menu, WithAlpha(0xFFFFFFFF, std::sin(std::clamp(progress, 0.0, 1.0) * std::numbers::pi / 2)));
}

}  // namespace bm

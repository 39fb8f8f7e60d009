#include "render/LevelEndDraw.h"

#include <algorithm>
#include <cmath>
#include "lang/Tr.h"

namespace bm {

void DrawTimeUpCaption(Canvas& c, Font& font, const OverlayCaption& k) {
  if (k.alpha <= 0) return;
  const ScreenMetrics& m = c.metrics;
  IRect r = m.DesignRect(k.cx - 300, k.cy - 50, k.cx + 300, k.cy + 50);
  // Our glyphs run wide: the caption keeps within its rectangle.
  const std::string text = Tr(k.text);
  double scale = font.FitSize(text, k.scale, m.XScale, r.right - r.left);
  int d = std::max(2, int(std::lround(4 * m.XScale)));
  IRect s{r.left + d, r.top + d, r.right + d, r.bottom + d};
  font.Draw(c, text, s, scale, k.shadow, k.shadow, Align::Center);
  font.Draw(c, text, r, scale, k.color, k.color, Align::Center);
}

}  // namespace bm

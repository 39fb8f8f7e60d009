#include "render/Font.h"

#include <algorithm>
#include <cmath>

#include "render/GlyphTable.h"

namespace bm {

std::array<GlyphEntry, 256> PrepareAlphabet() {
  std::array<GlyphEntry, 256> t{};
  for (const GlyphRect& g : kGlyphTable) {
    GlyphEntry& e = t[(unsigned char)g.ch];
    e = {g.left, g.top, g.right, g.bottom, g.page, true};
  }
  return t;
}

double Font::Measure(const std::string& text, double size, double xScale, double spacing) const {
  double sx = size * 0.6 * xScale, w = 0;
  for (unsigned char ch : text) {
    if (ch == ' ') w += 40 * sx * spacing;
    else if (glyphs_[ch].present) w += (glyphs_[ch].right - glyphs_[ch].left) * sx * spacing;
  }
  return w;
}

double Font::FitSize(const std::string& text, double size, double xScale, double width) const {
  double w = Measure(text, size, xScale);
  return w > width && w > 0 ? size * std::max(0.0, width) / w : size;
}

void Font::Draw(Canvas& canvas, const std::string& text, const IRect& rect, double size, Argb first, Argb second,
                Align align, bool wave, double spacing) {
  if (text.empty()) return;
  const ScreenMetrics& m = canvas.metrics;
  double s = size * 0.6, sx = s * m.XScale, sy = s * m.YScale;
  double width = Measure(text, size, m.XScale, spacing);
  double pen = align == Align::Center ? (rect.left + rect.right) / 2.0 - width / 2
               : align == Align::Left ? rect.left
                                      : rect.right - width;
  double y = (rect.top + rect.bottom) / 2.0 - 63 * sy;
  bool large = sx >= 0.3;
  static const char* kLarge = "fonts/large/c";
  static const char* kSmall = "fonts/small/c";
  int n = int(text.size());
  double penStart = pen;
  bool drew = false;
  for (int i = 0; i < n; ++i) {
    unsigned char ch = (unsigned char)text[std::size_t(i)];
    if (ch == ' ') {
      pen += 40 * sx * spacing;
      continue;
    }
    const GlyphEntry& g = glyphs_[ch];
    if (!g.present) continue;
    std::string page = g.page == 0 ? (large ? "fonts/new/c0m.png" : "fonts/new/c0mp.png")
                                   : std::string(large ? kLarge : kSmall) + std::to_string(g.page) + "n.png";
    TextureId tex = canvas.Tex(page);
    Argb c1 = first, c2 = second;
    if (wave && i < 255) {
      double& phase = wavePhase_[std::size_t(i + 1)];
      phase += 0.0349065850398866;
      double a = phase - (i + 1) * 2 * M_PI / n;
      double mid = large ? 192 : 128, amp = large ? 63 : 127;
      int r = int(mid + amp * std::sin(a)), gg = int(mid + amp * std::sin(a + 2 * M_PI / 3)),
          b = int(mid + amp * std::sin(a - 2 * M_PI / 3));
      c1 = c2 = MakeArgb(255, r, gg, b);
    }
    double w = (g.right - g.left) * sx, h = (g.bottom - g.top) * sy;
    double u0 = g.left / 256.0, v0 = g.top / 256.0, u1 = g.right / 256.0, v1 = g.bottom / 256.0;
    canvas.ImagePart(tex, pen, y, pen + w, y + h, u0, v0, u1, v1, c1);
    canvas.ImagePart(tex, pen, y, pen + w, y + h, u0, v0, u1, v1, c2);
    pen += w * spacing;
    drew = true;
  }
  if (!drew) return;
  // The ink of a line: from the tops of the capitals and the arrows to the
  // bottoms of the descenders, around the glyphs' common baseline.
  const double inkTop = kGlyphBaseline - 80, inkBottom = kGlyphBaseline + 24;
  Rect ink{int(std::floor(penStart)), int(std::floor(y + inkTop * sy)), int(std::ceil(pen)),
           int(std::ceil(y + inkBottom * sy))};
  canvas.device.NoteText(text, ink, Rect{rect.left, rect.top, rect.right, rect.bottom}, wave ? 0xFFFFFFFF : second);
}

}  // namespace bm

#include "render/Font.h"

#include <algorithm>
#include <cmath>

#include "lang/Utf8.h"
#include "render/GlyphTable.h"

namespace bm {

namespace {
constexpr int kSpace = -2, kNothing = -3;
constexpr double kSpaceAdvance = 40;
// Text drawn at less than this part of the design size comes from the small pages.
constexpr double kLargeFrom = 0.3;

// Capitals with an accent over them reach higher than any other glyph.
bool AccentedCapital(char32_t c) {
  if (c >= 0xC0 && c <= 0xDE) return c != 0xD7;
  if (c < 0x100 || c > 0x17E || c == 0x138 || c == 0x149) return false;
  bool even = c % 2 == 0;
  return (c < 0x138 || (c > 0x149 && c < 0x178)) ? even : c == 0x178 || !even;
}

int ReplacementIndex() {
  static const int index = [] {
    for (std::size_t i = 0; i < kLargeGlyphs.size(); ++i)
      if (kLargeGlyphs[i].code == kReplacementGlyph) return int(i);
    return 0;
  }();
  return index;
}
}  // namespace

GlyphIndexTable PrepareAlphabet() {
  GlyphIndexTable t;
  t.fill(-1);
  for (std::size_t i = 0; i < kLargeGlyphs.size(); ++i)
    if (kLargeGlyphs[i].code < t.size()) t[kLargeGlyphs[i].code] = std::int16_t(i);
  return t;
}

std::vector<std::string> EnglishGlyphPages() {
  std::vector<std::string> out;
  int last = -1;
  for (const GlyphPlace& g : kLargeGlyphs)
    if (g.code < 0x80) last = std::max(last, g.page);
  for (int p = 0; p <= last; ++p) out.push_back(GlyphPagePath(true, p));
  return out;
}

Font::Font() : glyphs_(PrepareAlphabet()) {
  for (int p = 0; p < kLargeGlyphPages; ++p) largePages_.push_back(GlyphPagePath(true, p));
  for (int p = 0; p < kSmallGlyphPages; ++p) smallPages_.push_back(GlyphPagePath(false, p));
}

int Font::GlyphIndex(char32_t c) const {
  if (c == U' ' || c == 0xA0) return kSpace;
  if (c == 0xAD) return kNothing;  // the soft hyphen
  if (c < glyphs_.size()) return glyphs_[c];
  // The few beyond Latin Extended-A: quotes, dashes, the ellipsis.
  for (std::size_t i = 0; i < kLargeGlyphs.size(); ++i)
    if (kLargeGlyphs[i].code == c && c != kReplacementGlyph) return int(i);
  return -1;
}

double Font::Measure(const std::string& text, double size, double xScale, double spacing) const {
  double sx = size * 0.6 * xScale, w = 0;
  for (std::size_t at = 0; at < text.size();) {
    int k = GlyphIndex(NextCharacter(text, at));
    if (k == kSpace) w += kSpaceAdvance * sx * spacing;
    else if (k != kNothing) w += kLargeGlyphs[std::size_t(k < 0 ? ReplacementIndex() : k)].width * sx * spacing;
  }
  return w;
}

std::vector<std::string> Font::PagesOf(const std::string& text, double size, double xScale) const {
  bool large = size * 0.6 * xScale >= kLargeFrom;
  const auto& places = large ? kLargeGlyphs : kSmallGlyphs;
  std::vector<std::string> out;
  for (std::size_t at = 0; at < text.size();) {
    int k = GlyphIndex(NextCharacter(text, at));
    if (k == kSpace || k == kNothing) continue;
    const GlyphPlace& g = places[std::size_t(k < 0 ? ReplacementIndex() : k)];
    const std::string& page = (large ? largePages_ : smallPages_)[std::size_t(g.page)];
    if (std::find(out.begin(), out.end(), page) == out.end()) out.push_back(page);
  }
  return out;
}

double Font::FitSize(const std::string& text, double size, double xScale, double width) const {
  double w = Measure(text, size, xScale);
  return w > width && w > 0 ? size * std::max(0.0, width) / w : size;
}

void Font::Draw(Canvas& canvas, const std::string& text, const IRect& rect, double size, Argb first, Argb second,
                Align align, bool wave, double spacing) {
  if (text.empty()) return;
  const ScreenMetrics& m = canvas.metrics;
  // A line wider than its rectangle is set smaller to fit (the rectangles were
  // made for the English; other languages run longer), but never below
  // kSmallestShrink of its size: past that it would be unreadable, and it shows
  // (and the screen census fails) instead.
  double width = Measure(text, size, m.XScale, spacing);
  const double room = rect.right - rect.left;
  if (room > 0 && width > room) {
    const double shrink = std::max(kSmallestShrink, room / width);
    size *= shrink;
    width *= shrink;
  }
  double s = size * 0.6, sx = s * m.XScale, sy = s * m.YScale;
  double pen = align == Align::Center ? (rect.left + rect.right) / 2.0 - width / 2
               : align == Align::Left ? rect.left
                                      : rect.right - width;
  double y = (rect.top + rect.bottom) / 2.0 - 63 * sy;
  // Small text comes from the small pages, drawn at half the design size.
  bool large = sx >= kLargeFrom;
  const auto& places = large ? kLargeGlyphs : kSmallGlyphs;
  const std::vector<std::string>& pages = large ? largePages_ : smallPages_;
  const double pageScale = large ? 1.0 : 0.5, edge = kGlyphPageEdge;
  std::u32string chars = DecodeUtf8(text);
  int n = int(chars.size());
  double penStart = pen;
  bool drew = false, tall = false;
  for (int i = 0; i < n; ++i) {
    char32_t ch = chars[std::size_t(i)];
    int k = GlyphIndex(ch);
    if (k == kSpace) {
      pen += kSpaceAdvance * sx * spacing;
      continue;
    }
    if (k == kNothing) continue;
    if (k < 0) {
      ++missing_;
      lastMissing_ = ch;
      k = ReplacementIndex();
    }
    tall |= AccentedCapital(ch);
    const GlyphPlace& g = places[std::size_t(k)];
    TextureId tex = canvas.Tex(pages[std::size_t(g.page)]);
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
    double w = g.width * sx, h = kGlyphCell * sy;
    double u0 = g.x / edge, v0 = g.y / edge, u1 = (g.x + g.width * pageScale) / edge, v1 = (g.y + g.h) / edge;
    canvas.ImagePart(tex, pen, y, pen + w, y + h, u0, v0, u1, v1, c1);
    canvas.ImagePart(tex, pen, y, pen + w, y + h, u0, v0, u1, v1, c2);
    pen += w * spacing;
    drew = true;
  }
  if (!drew) return;
  // The ink of a line: from the tops of the capitals and the arrows (of the
  // accents over capitals) to the bottoms of the descenders, around the glyphs'
  // common baseline.
  const double inkTop = kGlyphBaseline - (tall ? 92 : 80), inkBottom = kGlyphBaseline + 24;
  Rect ink{int(std::floor(penStart)), int(std::floor(y + inkTop * sy)), int(std::ceil(pen)),
           int(std::ceil(y + inkBottom * sy))};
  canvas.device.NoteText(text, ink, Rect{rect.left, rect.top, rect.right, rect.bottom}, wave ? 0xFFFFFFFF : second);
}

}  // namespace bm

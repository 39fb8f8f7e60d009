#include "render/ShopDraw.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "render/ItemPictures.h"
#include "render/PictureWords.h"

namespace bm {

namespace {

std::string Numbered(const char* stem, int n) {
  char buf[48];
  std::snprintf(buf, sizeof buf, "red/shop/%s%02d.png", stem, std::clamp(n, 1, 10));
  return buf;
}

// A picture centred at a design point, size in design pixels; a plain block without it.
void Put(Canvas& c, const std::string& path, double x, double y, double size, Argb color, Argb standIn) {
  const ScreenMetrics& m = c.metrics;
  TextureId t = c.Tex(path);
  if (t) c.Sprite(t, x * m.XScale, y * m.YScale, size * m.XScale, size * m.YScale, 0, color);
  else c.DesignFill(x - size / 3, y - size / 3, x + size / 3, y + size / 3, standIn);
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> out;
  std::size_t p = 0;
  while (true) {
    std::size_t bar = text.find('|', p);
    out.push_back(text.substr(p, bar == std::string::npos ? std::string::npos : bar - p));
    if (bar == std::string::npos) break;
    p = bar + 1;
  }
  while (!out.empty() && out.back().empty()) out.pop_back();
  return out;
}

void DrawCard(Canvas& c, const ShopPicture& p, int s) {
  const PlacedObject& lock = Lock(*p.items, s);
  double x = ShopItemX(s), y = ShopItemY(s);
  bool locked = lock.Flag != 0;
  std::string pic = ItemPicture(p.itemCodes[s]);
  Argb tint = locked ? 0xFF707070 : 0xFFFFFFFF;
  if (s == p.hovered && !locked) tint = 0xFFFFFFFF;
  Put(c, pic, x, y - 30, s == p.hovered ? 120 : 110, tint, 0xFF80A0C0);
  // Chance marks for every item, power marks for the first four; they twinkle a little.
  for (int m = 1; m <= kMaxGrade; ++m) {
    double tw = 0.85 + 0.15 * std::sin(p.clockMs / 300.0 + m + s);
    if (p.grades->ChanceGrade[std::size_t(s)] >= m) {
      const MarkPoint& at = p.grades->ChanceMark[std::size_t(m)][std::size_t(s)];
      Put(c, "256/star-blue.png", at.X, at.Y, 26 * tw, 0xFFFFFFFF, 0xFF4080FF);
    }
    if (s <= 4 && p.grades->PowerGrade[std::size_t(s)] >= m) {
      const MarkPoint& at = p.grades->PowerMark[std::size_t(m)][std::size_t(s)];
      Put(c, "256/star-gold.png", at.X, at.Y, 26 * tw, 0xFFFFFFFF, 0xFFFFC040);
    }
  }
  if (locked) Put(c, Numbered("lock", lock.Index), lock.PosX, lock.PosY + 40, 96, 0xFFFFFFFF, 0xFF604020);
}

// The hover text sits on a dark panel on the wall right of the items, under
// the lantern: it covers no card, no lock and no key or star.
void DrawHover(Canvas& c, Font& font, const ShopPicture& p) {
  if (p.hovered == 0 || p.hoverText.empty()) return;
  const double l = 1070, t = 404, r = 1270, b = 500;
  c.DesignFill(l, t, r, b, 0xD0101828);
  DrawLines(c, font, p.hoverText, c.metrics.DesignRect(l + 8, t + 6, r - 8, b - 6), 0.32, p.hoverColor);
}

}  // namespace

void DrawLines(Canvas& c, Font& font, const std::string& text, const IRect& r, double size, Argb color) {
  std::vector<std::string> lines = SplitLines(text);
  if (lines.empty()) return;
  double rowH = double(r.bottom - r.top) / double(lines.size());
  for (std::size_t i = 0; i < lines.size(); ++i) {
    IRect row{r.left, int(r.top + rowH * double(i)), r.right, int(r.top + rowH * double(i + 1))};
    double s = size, w = font.Measure(lines[i], size, c.metrics.XScale);
    if (w > row.right - row.left && w > 0) s *= (row.right - row.left) / w;
    font.Draw(c, lines[i], row, s, color, color, Align::Center);
  }
}

void DrawFocusFrame(Canvas& c, const IRect& r) {
  const int t = std::max(3, int(4 * c.metrics.XScale)), g = 3;
  const Argb gold = kFocusFrameColor;
  c.Fill(r.left - g - t, r.top - g - t, r.right + g + t, r.top - g, gold);
  c.Fill(r.left - g - t, r.bottom + g, r.right + g + t, r.bottom + g + t, gold);
  c.Fill(r.left - g - t, r.top - g, r.left - g, r.bottom + g, gold);
  c.Fill(r.right + g, r.top - g, r.right + g + t, r.bottom + g, gold);
}

void DrawShop(Canvas& c, Font& font, const ShopPicture& p) {
  TextureId back = c.Tex("red/shop/shop1.jpg");
  if (back) c.FullScreen(back);
  else c.FillGradient(0, 0, c.metrics.Width, c.metrics.Height, 0xFF6A4020, 0xFF2A1408);
  DrawPictureWords(c, font, "red/shop/shop1.jpg", {0, 0, c.metrics.Width, c.metrics.Height});
  for (int s = 1; s <= kShopItems; ++s) DrawCard(c, p, s);
  if (p.focusOn) DrawFocusFrame(c, c.metrics.DesignRect(p.focusLeft, p.focusTop, p.focusRight, p.focusBottom));
  // Keys and stars at rest first, then whatever the hand carries, on top.
  for (int pass = 0; pass < 2; ++pass) {
    if (pass == 1) DrawHover(c, font, p);
    for (int k = 1; k <= kShopItems; ++k) {
      const PlacedObject& key = Key(*p.items, k);
      if (key.Flag == 0 || (p.items->Dragged == k) != (pass == 1)) continue;
      Put(c, Numbered("key", key.Index), key.PosX, key.PosY, pass ? 84 : 72, 0xFFFFFFFF, 0xFFE0C040);
    }
    for (int i = 1; i <= kGoldStarLast; ++i) {
      if (!IsBlueStar(i) && !IsGoldStar(i)) continue;
      const PlacedObject& star = p.stars->Object[std::size_t(i)];
      if (star.Flag == 0 || (p.stars->Dragged == i) != (pass == 1)) continue;
      Put(c, IsBlueStar(i) ? "256/star-blue.png" : "256/star-gold.png", star.PosX, star.PosY, pass ? 64 : 54,
          0xFFFFFFFF, IsBlueStar(i) ? 0xFF4080FF : 0xFFFFC040);
    }
  }
}

}  // namespace bm

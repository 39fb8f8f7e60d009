#include "render/BetweenLevelsDraw.h"

#include <cmath>
#include "lang/Tr.h"

#include "progress/Stages.h"
#include "render/AssetCatalogue.h"
#include "render/PictureWords.h"

namespace bm {

namespace {

// Buttons along the strip the backdrops leave free at the bottom.
constexpr double kButtonW = 300, kButtonH = 96, kButtonTop = 916;
constexpr double kButtonLeft[kBetweenButtonCount] = {130, 490, 850};
// TRANSLATORS: Map and Pirate Shop: on the three wooden buttons at the bottom (300 x 96 px, lettering about size
// 0.9, shrinks to fit). Shows the island map. Room: plenty (twice the English length or more).
const char* const kButtonNames[kBetweenButtonCount] = {TrNoopC("between levels, button", "Map"),
                                                       // TRANSLATORS: Map and Pirate Shop: on the three wooden
                                                       // buttons at the bottom (300 x 96 px, lettering about size
                                                       // 0.9, shrinks to fit). Shows the Pirate Shop. Room: plenty (twice the
                                                       // English length or more).
                                                       TrNoopC("between levels, button", "Shop"),
                                                       // TRANSLATORS: Map and Pirate Shop: on the three wooden
                                                       // buttons at the bottom (300 x 96 px, lettering about size
                                                       // 0.9, shrinks to fit). Goes on to the next level. Room: up to about 35%
                                                       // longer than the English.
                                                       TrNoopC("between levels, button", "Continue")};

// One 64-pixel cell of the map sprite sheet, centred at a design point.
void MapSprite(Canvas& c, TextureId sheet, int cell, double x, double y, double size, Argb color) {
  const ScreenMetrics& m = c.metrics;
  double u0 = (cell % 4) * 0.25, v0 = (cell / 4) * 0.25;
  double hw = size * m.XScale / 2, hh = size * m.YScale / 2;
  c.ImagePart(sheet, x * m.XScale - hw, y * m.YScale - hh, x * m.XScale + hw, y * m.YScale + hh, u0, v0, u0 + 0.25,
              v0 + 0.25, color);
}

}  // namespace

IRect BetweenButtonRect(const ScreenMetrics& m, BetweenButton b) {
  double l = kButtonLeft[int(b)];
  return m.DesignRect(l, kButtonTop, l + kButtonW, kButtonTop + kButtonH);
}

int BetweenButtonAt(const ScreenMetrics& m, double x, double y) {
  for (int b = 0; b < kBetweenButtonCount; ++b)
    if (BetweenButtonRect(m, BetweenButton(b)).Contains(x, y)) return b;
  return -1;
}

void DrawBetweenButton(Canvas& c, Font& font, BetweenButton b, int frame) {
  IRect r = BetweenButtonRect(c.metrics, b);
  TextureId sheet = c.Tex("red/shop/shop2.jpg");
  const double x = kShopButtonX0 + int(b) * kShopButtonStepX, y = kShopButtonY0 + frame * kShopButtonStepY;
  if (sheet)
    c.ImagePart(sheet, r.left, r.top, r.right, r.bottom, x / 1024, y / 1024, (x + kShopButtonW) / 1024,
                (y + kShopButtonH) / 1024);
  else c.Fill(r.left, r.top, r.right, r.bottom, frame == 2 ? 0xFF4A2C14 : frame == 1 ? 0xFF9A6432 : 0xFF6E4622);
  // The label on the plank inside the frame, the sheet's 1024 square laid over the button; pressed, a little lower.
  const double sx = (r.right - r.left) / double(kShopButtonW), sy = (r.bottom - r.top) / double(kShopButtonH);
  const IRect square{int(r.left - x * sx), int(r.top - y * sy), int(r.left + (1024 - x) * sx),
                     int(r.top + (1024 - y) * sy)};
  const PictureWord word{"between levels, button", kButtonNames[int(b)], x + kShopButtonW / 2.0,
                         y + kShopButtonH / 2.0 + 14 + (frame == 2 ? 3 : 0), kShopButtonW - 30, 40,
                         frame == 1 ? 0xFFFFFFFF : 0xFFFFE6A0};
  DrawPictureLine(c, font, TrC(word.context, word.text), word, square);
}

void ShadowText(Canvas& c, Font& font, const std::string& text, const IRect& r, double size, Argb color,
                Align align) {
  // Our glyphs run wider than some texts' boxes allow: such a text shrinks to fit.
  size = font.FitSize(text, size, c.metrics.XScale, r.right - r.left);
  int d = std::max(1, int(std::lround(2 * c.metrics.XScale)));
  IRect s{r.left + d, r.top + d, r.right + d, r.bottom + d};
  Argb shadow = color & 0xFF000000;
  font.Draw(c, text, s, size, shadow, shadow, align);
  font.Draw(c, text, r, size, color, color, align);
}

void DrawMapView(Canvas& c, Font& font, const MapFrame& f) {
  TextureId map = c.Tex("red/shop/shop0.jpg");
  if (map) c.FullScreen(map);
  else c.FillGradient(0, 0, c.metrics.Width, c.metrics.Height, 0xFF1A5A80, 0xFF08263A);
  DrawPictureWords(c, font, "red/shop/shop0.jpg", {0, 0, c.metrics.Width, c.metrics.Height});
  TextureId sheet = c.Tex("red/shop/map-points2.png");
  const MapPointTable& pts = *f.points;
  for (int n = 1; n <= kLastLevel; ++n) {
    PointLook look = MapPointLook(n, f.current);
    double size = look.state >= 3 ? 56 : 40;
    Argb color = MakeArgb(look.alpha, 255, 255, 255);
    if (sheet) MapSprite(c, sheet, look.state, pts[std::size_t(n)].X, pts[std::size_t(n)].Y, size, color);
    else c.DesignFill(pts[std::size_t(n)].X - 6, pts[std::size_t(n)].Y - 6, pts[std::size_t(n)].X + 6,
                      pts[std::size_t(n)].Y + 6, look.state % 3 == 1 ? 0xFFFFD040 : color);
  }
  const MapPoint& cur = pts[std::size_t(f.current)];
  if (f.pulsing && f.pulse.alpha > 0 && sheet)
    MapSprite(c, sheet, kMapPulseCell, cur.X, cur.Y, 56 * f.pulse.size, MakeArgb(f.pulse.alpha, 255, 255, 255));
  if (sheet) MapSprite(c, sheet, kMapMarkerCell, f.marker.x, f.marker.y - 18, 64, 0xFFFFFFFF);
  else c.DesignFill(f.marker.x - 8, f.marker.y - 26, f.marker.x + 8, f.marker.y - 10, 0xFFA04020);
  ShadowText(c, font, StageLevelLabel(f.current), c.metrics.DesignRect(340, 6, 940, 52), 0.5,
             0xFFFFE6A0);
}

}  // namespace bm

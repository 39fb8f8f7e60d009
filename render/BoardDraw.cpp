#include "render/BoardDraw.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include "lang/Tr.h"

#include "board/BoardPhase.h"
#include "board/Geometry.h"
#include "board/ItemCodes.h"
#include "board/MoveSearch.h"
#include "bonus/BonusKinds.h"
#include "render/Canvas.h"
#include "render/Font.h"
#include "render/ItemPictures.h"

namespace bm {

namespace {

constexpr double kPi = std::numbers::pi;

constexpr const char* kTile = "256/parus-front.png";
constexpr const char* kHole = "256/parus-back5.png";
constexpr const char* kGold = "256/backcells/gold-normal.png";
constexpr const char* kBorder = "256/anime/border.png";
constexpr const char* kBubble = "256/circ.png";
constexpr const char* kVanish = "256/disap.png";
constexpr const char* kGlow = "256/eff.png";
constexpr const char* kRing = "256/emp.png";
constexpr const char* kArrow = "256/arrow.png";
constexpr const char* kDigits = "256/num.png";

Argb Opaque(std::uint32_t rgb) { return 0xFF000000u | (rgb & 0xFFFFFFu); }

// Multiplies a colour's channels by a grey level (the tile and item corner colours).
Argb Shade(Argb c, std::uint32_t grey) {
  auto ch = [&](int shift) { return ((c >> shift) & 255u) * ((grey >> shift) & 255u) / 255u; };
  return (c & 0xFF000000u) | (ch(16) << 16) | (ch(8) << 8) | ch(0);
}

struct View {
  Canvas& cv;
  const Cells& cells;
  const BoardState& st;
  const ScreenMetrics& m;
  double sx, sy;
  double tileW, tileH;

  double X(double boardX) const { return m.CellScreenX(boardX); }
  double Y(double boardY) const { return m.CellScreenY(boardY); }
};

// Stand-in for a missing picture: a small square, so the board stays readable.
void Block(View& v, double cx, double cy, double edge, Argb color) {
  v.cv.Fill(cx - edge / 2, cy - edge / 2, cx + edge / 2, cy + edge / 2, color);
}

Argb JewelStandIn(int code) {
  static const Argb kColors[8] = {0xFF3060F0, 0xFF30C050, 0xFFF0A020, 0xFFE03040,
                                  0xFFE0E0F0, 0xFFF0E040, 0xFFB040E0, 0xFF40D0E0};
  if (IsJewel(code)) return kColors[(code - 1) % 8];
  return IsKey(code) ? 0xFFC0A060 : 0xFFFF80FF;
}

bool HasExistingNeighbour(const Cells& cells, int i) {
  for (int d : {-11, -6, -5, 5, 6, 11})
    if (i + d >= 0 && i + d < kCellCount && cells[i + d].IsExists && IsNeighbour(cells, i, i + d)) return true;
  return false;
}

void DrawTiles(View& v, const BoardDrawExtras& extras) {
  TextureId tile = v.cv.Tex(kTile), hole = v.cv.Tex(kHole), gold = v.cv.Tex(kGold);
  TextureId flip = 0;
  if (extras.flipScale >= 1 && extras.flipScale <= 18)
    flip = v.cv.Tex("256/anime/pb" + std::to_string(extras.flipScale) + ".png");
  for (int i = 0; i < kCellCount; ++i) {
    const Cell& c = v.cells[i];
    double x = v.X(c.CenterX), y = v.Y(c.CenterY);
    if (!c.IsExists) {
      // Holes are drawn where they break the board's shape, not all round it.
      if ((c.CenterX != 0 || c.CenterY != 0) && HasExistingNeighbour(v.cells, i)) {
        if (hole) v.cv.Sprite(hole, x, y, v.tileW, v.tileH);
        else Block(v, x, y, v.tileW * 0.7, 0xC0020A18);
      }
      continue;
    }
    Argb corners[4];
    for (int k = 0; k < 4; ++k) corners[k] = Opaque(c.GndCol[k]);
    if (!c.Gnd && extras.freeTilesTint)
      for (Argb& col : corners) col = Shade(*extras.freeTilesTint | 0xFF000000u, col);
    TextureId t = c.Gnd ? (flip ? flip : gold) : tile;
    if (t) v.cv.Sprite(t, x, y, v.tileW, v.tileH, 0, corners);
    else Block(v, x, y, v.tileW * 0.7, c.Gnd ? 0xFFE0B030 : 0xFF3A5468);
    if (c.Gnd && c.Shine > 0) {
      // The light band sweeps across the new gold tile as its flash runs out.
      int frame = std::clamp(int((1 - c.Shine) * 8), 0, 7);
      TextureId sweep = v.cv.Tex("256/anime/pf" + std::to_string(frame) + ".png");
      if (sweep) v.cv.Sprite(sweep, x, y, v.tileW, v.tileH);
    }
  }
  if (v.st.HintVisible && extras.part != BoardPart::Still) {
    TextureId border = v.cv.Tex(kBorder);
    double pulse = 0.6 + 0.4 * std::sin(extras.clockMs / 1000 * 2 * kPi);
    for (int i : {v.st.HintA, v.st.HintB}) {
      if (i < 0 || i >= kCellCount || !v.cells[i].IsExists) continue;
      if (border) v.cv.Sprite(border, v.X(v.cells[i].CenterX), v.Y(v.cells[i].CenterY), v.tileW, v.tileH, 0,
                              WithAlpha(0xFFFFFFFF, pulse));
    }
  }
}

void DrawItem(View& v, int i) {
  const Cell& c = v.cells[i];
  double x = v.X(c.Pos.CurX), y = v.Y(c.Pos.CurY);
  // A bursting bubble swells by the size offset; the item inside keeps its size.
  bool bursting = c.Disappear == Removal::Removing && c.Ice >= 1;
  double edge = ItemEdge(bursting ? 0 : c.Pos.Size, v.sx);
  if (edge <= 0) return;
  double height = edge / std::max(1.0, c.Wave);
  if (Argb glow = BonusGlow(c.Gem)) {
    TextureId g = v.cv.Tex(kGlow);
    if (g) v.cv.Sprite(g, x, y, edge * 1.2, height * 1.2, 0, glow);
  }
  Argb corners[4];
  for (int k = 0; k < 4; ++k) corners[k] = Opaque(c.GemCol[k]);
  TextureId pic = v.cv.Tex(ItemPicture(c.Gem));
  if (pic) v.cv.Sprite(pic, x, y, edge, height, 0, corners);
  else Block(v, x, y, edge * 0.7, Shade(JewelStandIn(c.Gem), c.GemCol[0]));
}

// Which cells' items and bubbles a part draws.
enum class Cells_ { All, AtRest, NotAtRest };

bool Takes(View& v, Cells_ which, int i) {
  if (which == Cells_::All) return true;
  return CellDrawnAtRest(v.cells, i, v.st) == (which == Cells_::AtRest);
}

void DrawItems(View& v, Cells_ which) {
  // The two items of a swap lie above all others, and B above A.
  for (int pass = 0; pass < 3; ++pass)
    for (int i = 0; i < kCellCount; ++i) {
      const Cell& c = v.cells[i];
      if (!c.IsExists || c.Gem == 0 || !Takes(v, which, i)) continue;
      int layer = !c.Front ? 0 : !c.Fronter ? 1 : 2;
      if (layer == pass) DrawItem(v, i);
    }
}

void DrawBubbles(View& v, Cells_ which) {
  TextureId ring = v.cv.Tex(kBubble);
  for (int i = 0; i < kCellCount; ++i) {
    const Cell& c = v.cells[i];
    if (!c.IsExists || c.Ice < 1 || c.Gem == 0 || !Takes(v, which, i)) continue;
    double x = v.X(c.Pos.CurX), y = v.Y(c.Pos.CurY);
    bool bursting = c.Disappear == Removal::Removing;
    double base = ItemEdge(bursting ? 0 : std::min(c.Pos.Size, 0.0), v.sx);
    for (int k = 1; k <= c.Ice; ++k) {
      double edge = base * (1.08 + 0.12 * (k - 1));
      double alpha = 1;
      if (k == c.Ice) {
        alpha = c.ColFade / 255.0;
        if (bursting) edge += 2 * c.Pos.Size;
      }
      if (ring) v.cv.Sprite(ring, x, y, edge, edge, 0, WithAlpha(0xFFFFFFFF, alpha));
      else v.cv.Fill(x - edge / 2, y - edge / 2, x + edge / 2, y - edge / 2 + 2 * v.sy, WithAlpha(0xFFA0E8FF, alpha));
    }
  }
}

void DrawSelection(View& v) {
  int s = v.st.SelectedCell;
  if (s < 0 || s >= kCellCount || !v.cells[s].IsExists) return;
  TextureId ring = v.cv.Tex(kRing);
  const Cell& sel = v.cells[s];
  double angle = v.st.MarkerAngle * kPi / 180;
  if (ring) v.cv.Sprite(ring, v.X(sel.CenterX), v.Y(sel.CenterY), v.tileW, v.tileW, angle);
  else Block(v, v.X(sel.CenterX), v.Y(sel.CenterY), v.tileW * 0.9, 0x60FFD040);
  // The cells the selection can be swapped with, unless an anchor joins any two.
  if (v.st.AnchorArmed) return;
  for (int d : {-11, -6, -5, 5, 6, 11}) {
    int j = s + d;
    if (j < 0 || j >= kCellCount || !v.cells[j].IsExists || !IsNeighbour(v.cells, s, j)) continue;
    const Cell& n = v.cells[j];
    if (!IsItem(n.Gem) || n.Gem == sel.Gem || n.Ice != 0) continue;
    double x = v.X(n.CenterX), y = v.Y(n.CenterY);
    if (ring) v.cv.Sprite(ring, x, y, v.tileW * 0.8, v.tileW * 0.8, -angle, 0x70FFFFFF);
    else Block(v, x, y, v.tileW * 0.5, 0x30FFFFFF);
  }
}

// The keyboard's cell: a still gold frame, so that it costs nothing at rest.
void DrawKeyCursor(View& v, int cell) {
  if (cell < 0 || cell >= kCellCount || !v.cells[cell].IsExists) return;
  double x = v.X(v.cells[cell].CenterX), y = v.Y(v.cells[cell].CenterY);
  TextureId border = v.cv.Tex(kBorder);
  if (border) {
    v.cv.Sprite(border, x, y, v.tileW * 1.04, v.tileH * 1.04, 0, 0xFFFFC830);
    v.cv.Sprite(border, x, y, v.tileW * 0.98, v.tileH * 0.98, 0, 0xFFFFF0A0);
  } else {
    double e = v.tileW * 0.45;
    for (int k = 0; k < 4; ++k) {
      double t = 3 * v.sx;
      double l = k == 1 ? x + e - t : x - e, r = k == 3 ? x - e + t : x + e;
      double tp = k == 2 ? y + e - t : y - e, b = k == 0 ? y - e + t : y + e;
      v.cv.Fill(l, tp, r, b, 0xFFFFC830);
    }
  }
}

// An arrow between two cells, pointing from a to b.
void Arrow(View& v, int a, int b, double scale, Argb color) {
  if (a < 0 || b < 0 || a >= kCellCount || b >= kCellCount) return;
  const Cell& A = v.cells[a];
  const Cell& B = v.cells[b];
  double ax = v.X(A.CenterX), ay = v.Y(A.CenterY), bx = v.X(B.CenterX), by = v.Y(B.CenterY);
  double angle = std::atan2(bx - ax, -(by - ay));  // the picture points up
  TextureId arrow = v.cv.Tex(kArrow);
  double edge = v.tileW * 0.5 * scale;
  if (arrow) v.cv.Sprite(arrow, (ax + bx) / 2, (ay + by) / 2, edge, edge, angle, color);
  else Block(v, (ax + bx) / 2, (ay + by) / 2, edge * 0.4, color);
}

void DrawMarks(View& v, const BoardDrawExtras& extras) {
  if (v.st.ParrotShowing) {
    int listed = std::min(v.st.MovesFound, kMoveListSize - 1);
    for (int k = 1; k <= listed; ++k) {
      int a = v.st.MoveFrom[std::size_t(k)], b = v.st.MoveTo[std::size_t(k)];
      if (a < b) Arrow(v, a, b, 0.8, 0xC0FFFFFF);
    }
  }
  if (v.st.HintVisible) {
    double pulse = 1 + 0.15 * std::sin(extras.clockMs / 1000 * 2 * kPi);
    Arrow(v, v.st.HintA, v.st.HintB, pulse, 0xFFFFFFFF);
  }
}

void DrawRemovals(View& v) {
  TextureId vanish = v.cv.Tex(kVanish);
  if (!vanish) return;
  for (int i = 0; i < kCellCount; ++i) {
    const Cell& c = v.cells[i];
    if (!c.IsExists || c.Disappear != Removal::Removing || c.Ice != 0) continue;
    double p = std::clamp(-c.Pos.Size / (40 * v.sx), 0.0, 1.0);
    double w = v.tileW * (0.8 + 0.9 * p), h = v.tileW * (0.35 + 0.3 * p);
    // Rotation is measured counter-clockwise; the screen's y axis points down.
    v.cv.Sprite(vanish, v.X(c.Pos.CurX), v.Y(c.Pos.CurY), w, h, -c.Rotation, WithAlpha(0xFFFFFFFF, 1 - p));
  }
}

void DrawPointsTexts(View& v, Font& font) {
  TextureId digits = v.cv.Tex(kDigits);
  const std::string charset = "0123456789:+-x/%";
  double size = 30 * v.sx, advance = size * 0.62;
  for (int i = 0; i < kCellCount; ++i) {
    const CellFx& fx = v.cells.fx[std::size_t(i)];
    if (!v.cells[i].IsExists || !fx.Active || fx.Text.empty()) continue;
    double alpha = std::clamp(fx.Alpha / 255.0, 0.0, 1.0);
    double cx = v.X(fx.X), cy = v.Y(fx.Y) - 20 * v.sy;
    if (!digits) {
      IRect r{int(cx - 60 * v.sx), int(cy - 16 * v.sy), int(cx + 60 * v.sx), int(cy + 16 * v.sy)};
      font.Draw(v.cv, fx.Text, r, 0.3, WithAlpha(0xFF000000, alpha), WithAlpha(0xFFFFE6A0, alpha), Align::Center);
      continue;
    }
    double x = cx - advance * double(fx.Text.size()) / 2 + advance / 2;
    for (char ch : fx.Text) {
      std::size_t k = charset.find(ch);
      if (k == std::string::npos) continue;
      double u0 = double(k % 4) / 4, v0 = double(k / 4) / 4;
      v.cv.ImagePart(digits, x - size / 2, cy - size / 2, x + size / 2, cy + size / 2, u0, v0, u0 + 0.25, v0 + 0.25,
                     WithAlpha(0xFFFFFFFF, alpha));
      x += advance;
    }
  }
}

void DrawCaption(View& v, Font& font) {
  NoMovesCaption cap = CaptionOf(v.st);
  if (!cap.visible) return;
  IRect r = v.m.DesignRect(cap.x - 420, cap.y - 60, cap.x + 420, cap.y + 60);
  double alpha = (cap.argb >> 24) / 255.0;
  font.Draw(v.cv, Tr(cap.text), r, 0.4 * cap.size, WithAlpha(0xFF000000, alpha), cap.argb, Align::Center);
}

}  // namespace

bool CellDrawnAtRest(const Cells& cells, int i, const BoardState& st) {
  const Cell& c = cells[i];
  if (!c.IsExists || c.Gem == 0) return true;  // nothing of it is drawn
  return CellAtRest(c) && !c.Front && !c.Fronter && c.Pos.CurX == c.CenterX && c.Pos.CurY == c.CenterY &&
         c.Pos.Size == 0 && c.Wave <= 1 && i != st.HoveredCell;
}

bool TilesAtRest(const Cells& cells, const BoardState& st, const BoardDrawExtras& extras) {
  if (extras.flipScale != 0 || extras.freeTilesTint || st.HintVisible) return false;
  for (int i = 0; i < kCellCount; ++i)
    if (cells[i].IsExists && cells[i].Shine > 0) return false;
  return true;
}

double ItemEdge(double sizeOffset, double sx) { return std::max(0.0, 2 * (40 * sx + sizeOffset)); }

Argb BonusGlow(int code) {
  if (const BonusKind* kind = FindBonusKind(code)) return kind->glow;
  if (const KeyKind* key = FindKey(code)) return key->glow;
  return 0;
}

void DrawBoard(Canvas& canvas, Font& font, const Cells& cells, const BoardState& st, const BoardDrawExtras& extras) {
  const ScreenMetrics& m = canvas.metrics;
  // Tiles are flat-topped hexagons filling their picture's width; columns stand
  // 48 board units apart, so a tile spans 64 units.
  View v{canvas, cells, st, m, m.XScale, m.YScale, 64 * 1.5 * m.XScale * 1.02, 64 * 1.5 * m.YScale * 1.02};
  // With still tiles the still part holds them and the items at rest; the
  // moving part adds the other items. Otherwise the moving part draws it all.
  bool split = extras.part != BoardPart::Whole && TilesAtRest(cells, st, extras);
  if (extras.part == BoardPart::Still) {
    if (!split) return;
    DrawTiles(v, extras);
    DrawItems(v, Cells_::AtRest);
    DrawBubbles(v, Cells_::AtRest);
    return;
  }
  Cells_ which = split ? Cells_::NotAtRest : Cells_::All;
  if (!split) DrawTiles(v, extras);
  DrawItems(v, which);
  DrawBubbles(v, which);
  DrawSelection(v);
  DrawKeyCursor(v, extras.keyCursor);
  DrawMarks(v, extras);
  DrawRemovals(v);
  DrawPointsTexts(v, font);
  DrawCaption(v, font);
}

}  // namespace bm

#include "match/KeyCursor.h"

#include <cmath>

#include "bonus/StockButtons.h"
#include "match/Match.h"

namespace bm {

namespace {

constexpr std::uint32_t kArrows = mkey::ArrowUp | mkey::ArrowDown | mkey::ArrowLeft | mkey::ArrowRight;

// Where the keyboard starts: the hovered or selected cell, else the existing
// cell nearest the middle of the board.
int StartCell(const Match& m) {
  for (int c : {m.board.HoveredCell, m.board.SelectedCell})
    if (Cells::InRange(c) && m.cells[c].IsExists) return c;
  double sx = 0, sy = 0;
  int n = 0;
  for (int i = 0; i < kCellCount; ++i)
    if (m.cells[i].IsExists) sx += m.cells[i].CenterX, sy += m.cells[i].CenterY, ++n;
  if (n == 0) return kNoCell;
  int best = kNoCell;
  double bestD = 1e18;
  for (int i = 0; i < kCellCount; ++i) {
    if (!m.cells[i].IsExists) continue;
    double d = std::hypot(m.cells[i].CenterX - sx / n, m.cells[i].CenterY - sy / n);
    if (d < bestD) bestD = d, best = i;
  }
  return best;
}

void Press(KeyCursor& k, double x, double y, bool right) {
  k.pressStage = 1;
  k.pressX = x;
  k.pressY = y;
  k.pressRight = right;
}

}  // namespace

int CellInDirection(const Cells& cells, int from, int dx, int dy, int& lean) {
  if (!Cells::InRange(from)) return kNoCell;
  double len = std::hypot(dx, dy);
  if (len == 0) return kNoCell;
  double ux = dx / len, uy = dy / len;
  const Cell& a = cells[from];
  int best = kNoCell;
  double bestCost = 1e18;
  for (int i = 0; i < kCellCount; ++i) {
    if (i == from || !cells[i].IsExists) continue;
    double vx = cells[i].CenterX - a.CenterX, vy = cells[i].CenterY - a.CenterY;
    double along = vx * ux + vy * uy, across = vx * uy - vy * ux;
    // Within 60 degrees either side of the arrow (and a hair more for rounding).
    if (along <= 0 || std::abs(across) > along * 1.75) continue;
    double cost = std::hypot(vx, vy) + 0.5 * std::abs(across);
    // Sideways, the two cells up and down cost the same: take the other lean
    // than last time, so that repeated steps run along the row.
    if (dy == 0 && vy != 0 && (vy > 0 ? 1 : -1) == lean) cost += 0.01;
    if (cost < bestCost) bestCost = cost, best = i;
  }
  if (best != kNoCell && dy == 0) {
    double vy = cells[best].CenterY - a.CenterY;
    if (vy != 0) lean = vy > 0 ? 1 : -1;
  }
  return best;
}

MatchInput SteerByKeys(Match& m, const MatchInput& raw) {
  KeyCursor& k = m.keyCursor;
  std::uint32_t pressed = raw.keys & ~k.held;
  k.held = raw.keys;
  // The pointer takes the board back as soon as it moves or presses.
  if (k.cell != kNoCell && (raw.pointerX != k.rawX || raw.pointerY != k.rawY || raw.leftDown || raw.rightDown))
    k.cell = kNoCell;
  if (k.cell != kNoCell && !m.cells[k.cell].IsExists) k.cell = StartCell(m);  // a new level's layout

  bool wantsBoard = (pressed & (kArrows | mkey::Select)) != 0;
  if (wantsBoard && k.cell == kNoCell) {
    k.cell = StartCell(m);
    k.rawX = raw.pointerX;
    k.rawY = raw.pointerY;
    pressed &= ~kArrows;  // the first arrow shows the cursor where the eye already is
    k.repeatAt = raw.now + kKeyRepeatDelayMs;
  }
  if (k.cell != kNoCell) {
    int dx = 0, dy = 0;
    std::uint32_t step = pressed & kArrows;
    if (step == 0 && (raw.keys & kArrows) && raw.now >= k.repeatAt) {
      step = raw.keys & kArrows;
      k.repeatAt = raw.now + kKeyRepeatMs;
    } else if (step) {
      k.repeatAt = raw.now + kKeyRepeatDelayMs;
    }
    if (step & mkey::ArrowLeft) dx -= 1;
    if (step & mkey::ArrowRight) dx += 1;
    if (step & mkey::ArrowUp) dy -= 1;
    if (step & mkey::ArrowDown) dy += 1;
    if (dx || dy) {
      int next = CellInDirection(m.cells, k.cell, dx, dy, k.lean);
      if (next != kNoCell) k.cell = next;
    }
    if ((pressed & mkey::Select) && k.pressStage == 0)
      Press(k, m.metrics.CellScreenX(m.cells[k.cell].CenterX), m.metrics.CellScreenY(m.cells[k.cell].CenterY), false);
  }
  if (k.pressStage == 0) {
    const std::pair<std::uint32_t, StockButton> stock[] = {{mkey::StockShowFree, StockButton::ShowFree},
                                                           {mkey::StockParrot, StockButton::Parrot},
                                                           {mkey::StockShuffle, StockButton::Shuffle},
                                                           {mkey::StockHook, StockButton::Hook},
                                                           {mkey::StockSun, StockButton::Sun}};
    for (const auto& [key, button] : stock)
      if (pressed & key) {
        double x = 0, y = 0;
        StockButtonCentre(m.metrics, button, x, y);
        Press(k, x, y, false);
        break;
      }
    // A right press gives an armed hook or sun back, wherever it is made.
    if (k.pressStage == 0 && (pressed & mkey::Cancel)) Press(k, raw.pointerX, raw.pointerY, true);
  }

  MatchInput in = raw;
  if (k.pressStage > 0) {
    in.pointerX = k.pressX;
    in.pointerY = k.pressY;
    in.leftDown = k.pressStage == 1 && !k.pressRight;
    in.rightDown = k.pressStage == 1 && k.pressRight;
    in.pointerInClient = in.pointerOverGame = true;
    if (FrameDue(m, raw.now)) k.pressStage = k.pressStage == 1 ? 2 : 0;
  } else if (k.cell != kNoCell) {
    in.pointerX = m.metrics.CellScreenX(m.cells[k.cell].CenterX);
    in.pointerY = m.metrics.CellScreenY(m.cells[k.cell].CenterY);
    in.pointerInClient = in.pointerOverGame = true;
  }
  return in;
}

}  // namespace bm

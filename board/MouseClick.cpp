#include "board/MouseClick.h"

#include <cmath>
#include <string>
#include <utility>

#include "board/BoardPhase.h"
#include "board/Geometry.h"
#include "board/ItemCodes.h"
#include "board/Swap.h"

namespace bm {

namespace {


void LeftClick(BoardCtx& c) {
  BoardState& st = c.st;
  Cells& cells = c.cells;
  int h = st.HoveredCell, s = st.SelectedCell;
  bool hExists = Cells::InRange(h) && cells[h].IsExists;
  BoardPhase phase = PhaseOf(cells, st);

  if (st.SunArmed && hExists && Settled(phase)) {
    st.SunArmed = false;
    Cell& cell = cells[h];
    cell.Ice = 0;
    cell.Pos.Size = 0;
    cell.Gem = 0;
    cell.IsAvailable = true;
    st.BoardIdle = false;
    cell.Disappear = Removal::Award;
    QueueSfx(st.Events, "bon_sun");
    return;
  }
  // The swap's own cells are not available while it runs, and a second swap
  // does not start until the first has ended.
  if (!hExists || !cells[h].IsAvailable || !TakesClicks(phase)) return;
  OfferTip(st.Events, c.player, 0, h);
  if (s == h) {
    st.SelectedCell = kNoSelection;
    return;
  }
  Cell& H = cells[h];
  if (st.AnchorArmed && s >= 0 && s < kNoCell) {
    if (H.Gem != cells[s].Gem && StartSwap(cells, st, h, s)) {
      QueueSfx(st.Events, "bon_anc");
      st.AnchorArmed = false;
      st.AnchorSwap = true;
      st.SelectedCell = kNoSelection;
    }
    return;
  }
  // A bubbled item may have fallen into the selected cell since it was chosen.
  bool selectionFree = Cells::InRange(s) && cells[s].Ice == 0;
  bool blocked = !IsNeighbour(cells, h, s) || H.Ice != 0 || !selectionFree;
  if (IsItem(H.Gem) && !blocked) {
    if (H.Gem != cells[s].Gem) {
      StartSwap(cells, st, h, s);
      st.SelectedCell = kNoSelection;
    } else {
      QueueSfx(st.Events, "ev_game_click");
      st.SelectedCell = h;
    }
  } else if (H.Gem > 0 && IsItem(H.Gem) && H.Ice == 0) {
    QueueSfx(st.Events, "ev_game_click");
    st.SelectedCell = h;
  }
}

void RightClick(BoardCtx& c) {
  BoardState& st = c.st;
  if (st.AnchorArmed) {
    st.AnchorArmed = false;
    c.player.anchorCount += 1;
  }
  if (st.SunArmed) {
    st.SunArmed = false;
    c.player.sunCount += 1;
  }
}

}  // namespace

int NearestCell(const Cells& cells, const ScreenMetrics& m, double x, double y, double* distance) {
  // Squared distances: the nearest is the same, and no square root per cell.
  int best = kNoCell;
  double bestSq = 1e12;
  for (int i = 0; i < kCellCount; ++i) {
    const Cell& cell = cells[i];
    if (!cell.IsExists) continue;
    double dx = m.CellScreenX(cell.CenterX) - x, dy = m.CellScreenY(cell.CenterY) - y;
    double d = dx * dx + dy * dy;
    if (d < bestSq) {
      bestSq = d;
      best = i;
    }
  }
  if (distance) *distance = std::sqrt(bestSq);
  return best;
}

double HoverReach(const Cells& cells, const ScreenMetrics& m) { return 0.18 * m.CellSpan(cells); }

int SwipeTarget(const Cells& cells, const ScreenMetrics& m, int from, double dx, double dy) {
  double length = std::hypot(dx, dy);
  if (!Cells::InRange(from) || !cells[from].IsExists || length <= 0) return -1;
  const double fromX = m.CellScreenX(cells[from].CenterX), fromY = m.CellScreenY(cells[from].CenterY);
  int best = -1;
  double bestCos = std::sqrt(3.0) / 2, bestStep = 0;  // cos 30 degrees
  for (int offset : {-11, -6, -5, 5, 6, 11}) {
    int to = from + offset;
    if (!IsNeighbour(cells, from, to)) continue;
    double vx = m.CellScreenX(cells[to].CenterX) - fromX, vy = m.CellScreenY(cells[to].CenterY) - fromY;
    double step = std::hypot(vx, vy), cosine = step > 0 ? (vx * dx + vy * dy) / (step * length) : -1;
    if (cosine > bestCos) bestCos = cosine, best = to, bestStep = step;
  }
  return length < bestStep / 3 ? -1 : best;
}

void InputStep(BoardCtx& c, const FrameInput& in) {
  BoardState& st = c.st;
  // A drag (a swipe on a touch screen) toward a neighbour clicks that
  // neighbour; with the hook, which swaps any two, it clicks the cell reached.
  if (st.LeftHeld && st.PressedCell >= 0 && !st.AnchorArmed) {
    int to = SwipeTarget(c.cells, in.metrics, st.PressedCell, in.pointerX - st.PressX, in.pointerY - st.PressY);
    if (to >= 0) {
      // The press may have put the selection down again: the swipe swaps from where it began.
      const Cell& from = c.cells[st.PressedCell];
      if (st.SelectedCell == kNoSelection && IsItem(from.Gem) && from.Ice == 0) st.SelectedCell = st.PressedCell;
      int hovered = std::exchange(st.HoveredCell, to);
      MouseClick(c, 1, in.pointerInClient);
      st.HoveredCell = hovered;
      st.PressedCell = -1;
    }
  }
  // Dragging onto another cell clicks it. Passing over the gap between two cells
  // (no hovered cell) does not end the drag.
  if (st.HoveredCell != st.PressedCell && st.LeftHeld && st.PressedCell >= 0 && st.HoveredCell != kNoCell) {
    MouseClick(c, 1, in.pointerInClient);
    st.PressedCell = -1;
  }
  if (in.leftDown && in.pointerOverGame && !st.LeftHeld) {
    st.LeftHeld = true;
    MouseClick(c, 1, in.pointerInClient);
    st.PressedCell = st.HoveredCell;
    st.PressX = in.pointerX;
    st.PressY = in.pointerY;
  }
  if (!in.leftDown) st.LeftHeld = false;
  if (in.rightDown && !st.RightHeld) {
    st.RightHeld = true;
    MouseClick(c, 2, in.pointerInClient);
  }
  if (!in.rightDown) st.RightHeld = false;
}

void MouseClick(BoardCtx& c, int button, bool pointerInClient) {
  QueueLog(c.st.Events, "Enter MouseClick (" + std::to_string(button) + ")");
  if (!pointerInClient) return;
  QueueLog(c.st.Events, "MouseClick (" + std::to_string(button) + ")");
  if (button == 1) LeftClick(c);
  else if (button == 2) RightClick(c);
}

}  // namespace bm

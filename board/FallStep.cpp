#include "board/FallStep.h"

#include "board/BonusHooks.h"

namespace bm {

namespace {

int Sign(double v) { return (v > 0) - (v < 0); }

// Moves one coordinate towards its target and stops it there, whichever way it
// travels, so that every fall ends exactly on its target.
void Advance(double& cur, double to, double speed, double ff) {
  cur += ff * speed * 1.5;
  if ((speed > 0 && cur > to) || (speed < 0 && cur < to) || speed == 0) cur = to;
}

}  // namespace

void FallStep(BoardCtx& c, int i) {
  Cells& cells = c.cells;
  Cell& a = cells[i];
  if (i + 11 >= 500) return;
  Cell& below = cells[i + 11];

  if (a.Gem >= 1 && a.IsAvailable && a.IsExists && c.st.BoardIdle && below.Gem == 0 && below.IsExists && !a.Move) {
    a.Move = true;
    // The target is the home of the cell below: its drawn position may still be
    // displaced when that cell has just dropped its item off the board.
    a.Pos.ToX = below.Pos.X;
    a.Pos.ToY = below.Pos.Y;
    a.Pos.SpeedX = (a.Pos.ToX - a.Pos.CurX) / 3;
    a.Pos.SpeedY = (a.Pos.ToY - a.Pos.CurY) / 3;
    a.Pos.DirX = Sign(a.Pos.AccelX);
    a.Pos.DirY = Sign(a.Pos.AccelY);
  }

  if (!a.Move) return;
  c.st.NoFall = false;
  Advance(a.Pos.CurX, a.Pos.ToX, a.Pos.SpeedX, c.ff);
  Advance(a.Pos.CurY, a.Pos.ToY, a.Pos.SpeedY, c.ff);
  if (a.Pos.CurX != a.Pos.ToX || a.Pos.CurY != a.Pos.ToY) return;

  a.Move = false;
  QueueSfx(c.st.Events, "ev_game_fall");
  a.Pos.CurX = a.Pos.ToX = a.Pos.X;
  a.Pos.CurY = a.Pos.ToY = a.Pos.Y;
  a.Pos.SpeedX = a.Pos.SpeedY = a.Pos.AccelX = a.Pos.AccelY = 0;
  a.Pos.DirX = a.Pos.DirY = 0;
  // The bubbles travel with the item.
  below.Ice = a.Ice;
  a.Ice = 0;
  below.Gem = a.Gem;
  a.Gem = 0;
  Refill(c);
}

void Refill(BoardCtx& c) {
  for (int cell : c.level.TopCells) {
    if (cell < 0 || cell >= kCellCount) continue;
    if (c.cells[cell].IsExists && c.cells[cell].Gem == 0) {
      FillTopCell(c, cell);
      c.st.ScanLinesKnown = false;  // the move count looks at the board again
    }
  }
}

void FillTopCell(BoardCtx& c, int cell) {
  Cell& target = c.cells[cell];
  const auto& kinds = c.level.JewelKinds;
  target.Gem = kinds.empty() ? 1 + c.rng.Below(2) : kinds[std::size_t(c.rng.Below(int(kinds.size())))];
  if (c.hooks) c.hooks->topCellFilled(c, cell);
}

}  // namespace bm

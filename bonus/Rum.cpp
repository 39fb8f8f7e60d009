#include "bonus/Rum.h"

#include "board/BoardPhase.h"
#include "board/Geometry.h"
#include "board/ItemCodes.h"
#include "board/LineRule.h"
#include "board/MoveSearch.h"
#include "board/Swap.h"

namespace bm {

void RumTick(BoardCtx& c) {
  BonusState& b = *c.bonus;
  BoardState& st = c.st;
  b.RumTimer = c.now;
  BoardPhase phase = PhaseOf(c.cells, st);
  if (c.player.rumCount < 1 || phase == BoardPhase::LevelComplete) {
    c.player.rumCount = 0;
    c.player.rumSwap = false;
    return;
  }
  c.player.rumCount -= 1;
  static const int kDirs[6] = {-6, 6, -5, 5, -11, 11};
  int a = c.rng.Below(115);
  int bCell = a + kDirs[c.rng.Below(6)];
  if (!AtRest(phase) || !IsNeighbour(c.cells, a, bCell)) return;
  const Cell& A = c.cells[a];
  const Cell& B = c.cells[bCell];
  if (A.Gem == B.Gem || !IsJewel(A.Gem) || !IsJewel(B.Gem) || !CellAtRest(A) || !CellAtRest(B)) return;
  if (WouldMatch(c.cells, a, bCell)) return;
  // The flag turns the swap about its midpoint and keeps it from going back;
  // it is raised only for a swap that really starts.
  if (!StartJewelSwap(c.cells, st, a, bCell)) return;
  c.player.rumSwap = true;
  ResetMoveTimer(st, c.now);
  QueueSfx(st.Events, "bon_rum_change");
}

void RumStep(BoardCtx& c) {
  if (!c.bonus) return;
  BonusState& b = *c.bonus;
  if (c.player.rumCount > 0) b.RumFlag = true;
  if (b.RumFlag && c.now >= b.RumTimer + kRumIntervalMs) RumTick(c);
}

}  // namespace bm

#include "board/BoardPhase.h"

namespace bm {

bool CellAtRest(const Cell& cell) {
  return cell.IsExists && cell.Disappear == Removal::None && !cell.Move && cell.IsAvailable;
}

bool SettleFlagsHold(const BoardState& st) { return st.BoardIdle && st.NoFall && st.PrevNoFall; }

BoardPhase PhaseOf(const Cells& cells, const BoardState& st) {
  if (st.LevelComplete) return BoardPhase::LevelComplete;
  if (st.TimeUpFlag) return BoardPhase::TimeUp;
  if (st.BoardGrowIn) return BoardPhase::GrowingIn;
  if (st.NoMovesRunning) return BoardPhase::Reshuffling;
  // The flags count what the frame's cell pass met; a line found after the
  // pass is marked but not yet counted, and an empty cell is about to be
  // filled from above.
  if (!st.BoardIdle) return BoardPhase::Removing;
  bool falling = !SettleFlagsHold(st), waiting = false;
  for (int i = 0; i < kCellCount; ++i) {
    const Cell& c = cells[i];
    if (!c.IsExists) continue;
    if (c.Disappear != Removal::None) return BoardPhase::Removing;
    falling = falling || c.Move;
    waiting = waiting || c.Gem == 0;
  }
  if (falling) return BoardPhase::Falling;
  if (st.SwapState != SwapPhase::Idle) {
    bool back = st.IsReturnSwap || st.SwapState == SwapPhase::SetDownBack || st.SwapState == SwapPhase::SwapBack;
    return back ? BoardPhase::SwappingBack : BoardPhase::Swapping;
  }
  if (waiting) return BoardPhase::Refilling;
  return BoardPhase::Idle;
}

}  // namespace bm

// Exchanging two items: the request, the static test the move search uses, and
// the animation that lifts, exchanges and sets down the pair.
#pragma once
#include "board/BoardContext.h"

namespace bm {

// Both hold different items and neither is bubbled.
bool CanSwap(const Cells& cells, int a, int b);

// Starts a swap of any two different items when no swap runs; a is the cell
// clicked last. Returns whether it started.
bool StartSwap(Cells& cells, BoardState& st, int a, int b);
// The same for jewels only (the rum's own swaps).
bool StartJewelSwap(Cells& cells, BoardState& st, int a, int b);

// One frame of the swap animation; does nothing while no swap runs.
void SwapStep(BoardCtx& c);

}  // namespace bm

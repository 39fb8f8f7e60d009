// Items fall straight down into empty cells; new items enter at the top cells.
#pragma once
#include "board/BoardContext.h"

namespace bm {

// The fall part of the frame's pass for cell i: start, motion, landing.
void FallStep(BoardCtx& c, int i);

// Fills every empty existing top cell, in top-cell list order.
void Refill(BoardCtx& c);

// Drops a jewel of the level's kinds into an empty top cell; the bonus side
// (when the frame has one) may turn it into a bonus, a star or a key.
void FillTopCell(BoardCtx& c, int cell);

}  // namespace bm

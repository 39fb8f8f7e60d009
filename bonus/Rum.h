// The rum: once collected, jewels swap by themselves, one attempt a second for
// thirty seconds, each a random pair that makes no line, turned about its
// midpoint and never swapped back.
#pragma once
#include "board/BoardContext.h"
#include "bonus/BonusState.h"

namespace bm {

// Once per frame: raises the rum flag while rum is in stock and ticks once a second.
void RumStep(BoardCtx& c);
// One tick: uses a second of rum and tries one random swap.
void RumTick(BoardCtx& c);

}  // namespace bm

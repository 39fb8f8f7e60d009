// What happens to one cell in the frame's pass: the golden flash, the level-end
// wave, the grow-in, and the removal states of its item.
#pragma once
#include "board/BoardContext.h"
#include "board/FrameInput.h"

namespace bm {

// Points of a removed item from its tile value and the last line search.
int ItemPoints(int tileValue, double matchLines, double combo, double goldSum);

// The cell steps in their order; growInReached is raised when the cell
// finished growing in this frame.
void CellSteps(BoardCtx& c, int i, const FrameInput& in, bool& growInReached);

}  // namespace bm

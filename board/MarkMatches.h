// Marking the lines of three for removal, after a swap and on a settled board.
#pragma once
#include "board/BoardState.h"
#include "board/Cell.h"

namespace bm {

// Marks every line's cells for removal; true when any line was found.
bool MarkMatches(Cells& cells);

// Counts the lines for scoring (MatchLines, GoldSum, each cell's tile value
// 25 or 1) and marks them like MarkMatches; a pass that finds lines raises Combo.
void ScoreMatches(Cells& cells, BoardState& st);

}  // namespace bm

// One board frame: every board rule advanced by one step, in a fixed order.
// Drawing is separate: after GameFrame the drawing reads the cells and the state.
#pragma once
#include "board/BoardContext.h"
#include "board/FrameInput.h"

namespace bm {

void GameFrame(const FrameInput& in, Cells& cells, BoardState& st, LevelState& level, BoardPlayer& player, Rng& rng,
               const BonusRefs& bonus = {});

// Raises the level-start flags (the items grow in) and drops the selection and
// every per-level leftover of the board state. The score is kept.
void BeginLevelPlay(BoardState& st, double now);

}  // namespace bm

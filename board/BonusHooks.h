// Where the bonus module plugs into the board (bonus/). A frame whose context
// carries no bonus state runs a board without bonuses: plain jewels at the top
// cells, no rewards, no flying effects, no rum.
#pragma once
#include "board/BoardContext.h"

namespace bm {

// Fills one empty top cell that the refill has reached.
void SpawnAtTopCell(BoardCtx& c, int cell);

// An item was collected or triggered at a cell (removal state 1).
void ShowItemReward(BoardCtx& c, int code, int cell);

// True while an effect that holds the board (Seismic Gem, bomb) is flying.
bool BonusEffectsHoldBoard(const BoardCtx& c);

// Once per frame: reward popups, the rum timer, the flying effects.
void RewardPopupsStep(BoardCtx& c);
void RumStep(BoardCtx& c);
void RunBonusEffects(BoardCtx& c);

}  // namespace bm

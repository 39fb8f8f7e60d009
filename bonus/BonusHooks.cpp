// The board's bonus hooks, served by the bonus module. ShowItemReward,
// RewardPopupsStep and RumStep are the bonus module's own functions.
#include "board/BonusHooks.h"

#include "bonus/Effects.h"
#include "bonus/Rewards.h"
#include "bonus/Rum.h"
#include "bonus/Spawn.h"
#include "bonus/StockButtons.h"

namespace bm {

void SpawnAtTopCell(BoardCtx& c, int cell) { SpawnBonusAtTopCell(c, cell); }

bool BonusEffectsHoldBoard(const BoardCtx& c) { return c.bonus && EffectsHoldBoard(*c.bonus); }

void RunBonusEffects(BoardCtx& c) {
  if (!c.bonus) return;
  RunEffects(c);
  ShowFreeStep(*c.bonus, c.ff);
}

}  // namespace bm

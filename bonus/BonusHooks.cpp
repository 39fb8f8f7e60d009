#include "bonus/BonusHooks.h"

#include "bonus/Effects.h"
#include "bonus/Rewards.h"
#include "bonus/Rum.h"
#include "bonus/Spawn.h"
#include "bonus/StockButtons.h"

namespace bm {

namespace {

bool HoldsBoard(const BoardCtx& c) { return c.bonus && EffectsHoldBoard(*c.bonus); }

void EffectsStep(BoardCtx& c) {
  if (!c.bonus) return;
  RunEffects(c);
  ShowFreeStep(*c.bonus, c.ff);
}

}  // namespace

const BonusHooks kBonusHooks = {.topCellFilled = SpawnBonusAtTopCell,
                                .itemTaken = ShowItemReward,
                                .holdsBoard = HoldsBoard,
                                .popupsStep = RewardPopupsStep,
                                .rumStep = RumStep,
                                .effectsStep = EffectsStep};

}  // namespace bm

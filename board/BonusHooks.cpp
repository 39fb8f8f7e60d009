#include "board/BonusHooks.h"

namespace bm {

void SpawnAtTopCell(BoardCtx& c, int cell) {
  const auto& kinds = c.level.jewelKinds;
  if (kinds.empty()) {
    c.cells[cell].Gem = 1 + c.rng.Below(2);
    return;
  }
  c.cells[cell].Gem = kinds[std::size_t(c.rng.Below(int(kinds.size())))];
}

void ShowItemReward(BoardCtx&, int, int) {}

bool BonusEffectsHoldBoard(const BoardCtx&) { return false; }

void RewardPopupsStep(BoardCtx&) {}

void RumStep(BoardCtx&) {}

void RunBonusEffects(BoardCtx&) {}

}  // namespace bm

#include "bonus/Spawn.h"

#include <algorithm>
#include <cmath>

#include "bonus/BonusKinds.h"
#include "bonus/BonusState.h"
#include "bonus/ShopItems.h"
#include "storage/ItemStatus.h"

namespace bm {

namespace {

// A star comes only while the player has a free slot for it.
bool Fits(const BoardCtx& c, const BonusKind& kind) {
  if (kind.reward == Reward::BlueStar) return FreeStarSlot(c, false) != 0;
  if (kind.reward == Reward::GoldStar) return FreeStarSlot(c, true) != 0;
  return true;
}

}  // namespace

const std::array<KeyRule, 10> kKeyRules = [] {
  static_assert(kKeys.size() == 10);
  std::array<KeyRule, 10> rules{};
  for (std::size_t i = 0; i < kKeys.size(); ++i) {
    std::size_t at = i;
    for (; at > 0 && rules[at - 1].firstLevel > kKeys[i].firstLevel; --at) rules[at] = rules[at - 1];
    rules[at] = {kKeys[i].key, kKeys[i].firstLevel};
  }
  return rules;
}();

void RecomputeBonusChances(BonusChanceTable& chance, const ItemStatus* status, int slot) {
  chance.fill(0);
  chance[20] = 4.0;
  bool ok = status && slot >= 0 && slot < kItemSlots;
  bool anyUnlocked = false;
  for (int s = 1; s <= kShopItems && ok; ++s) {
    const BonusKind* kind = ShopKind(s);
    if (!kind || Lock(status->items[std::size_t(slot)], s).Flag != 0) continue;
    int grade = std::max<int>(status->grades[std::size_t(slot)].ChanceGrade[std::size_t(s)], 0);
    chance[std::size_t(kind->code)] = 10.0 * std::min(grade, 3) + 10;
    chance[20] /= 1.2;
    anyUnlocked = true;
  }
  for (const BonusKind& kind : kBonusKinds)
    if (kind.chance > 0) chance[std::size_t(kind.code)] = kind.chance;
  // Stars can be drawn only once something in the shop is open.
  chance[0] = anyUnlocked ? double(kSpawnDraw.size()) : double(kDrawnAlways);
}

void SpawnBonusAtTopCell(BoardCtx& c, int cell) {
  if (!c.bonus) return;
  Cell& target = c.cells[cell];
  BonusChanceTable& chance = c.bonus->BonusChance;
  if (chance[20] == 0) chance[20] = 1.0;

  if (c.rng.Next() * 100 < chance[20] * chance[0]) {
    const int drawn = std::min(int(chance[0]), int(kSpawnDraw.size()));
    const BonusKind& kind = BonusKindOf(kSpawnDraw[std::size_t(c.rng.Below(drawn))]);
    double p = chance[std::size_t(kind.code)];
    if (kind.damp == Damp::ByLives) p /= std::max(c.lives ? *c.lives : 0, 0) + 1;
    if (kind.damp == Damp::BySand) {
      // Half goes to the even neighbour: a quarter-full glass damps like an empty one.
      double r4 = std::nearbyint(c.level.SandLeft * 4);
      p /= std::max(r4, 0.0) + 1;
    }
    if (c.rng.Next() * 100 < p && Fits(c, kind)) target.Gem = kind.code;
  }

  for (const KeyRule& k : kKeyRules) {
    bool draw = c.rng.Below(50) == 0;
    std::size_t flag = std::size_t(k.key);
    if (draw && c.level.Number >= k.firstLevel && !KeyFound(c, k.key) && !c.level.KeyPlaced[flag]) {
      target.Gem = kFirstKeyCode + k.key - 1;
      c.level.KeyPlaced[flag] = true;
    }
  }

  if (IsBonus(target.Gem)) {
    ++c.bonus->Figures.spawned[std::size_t(target.Gem)];
    OfferTip(c.st.Events, c.player, 5, cell);
  }
}

}  // namespace bm

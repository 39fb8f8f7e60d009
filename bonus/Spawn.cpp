#include "bonus/Spawn.h"

#include <algorithm>
#include <cmath>

#include "board/ItemCodes.h"
#include "bonus/BonusState.h"
#include "bonus/ShopItems.h"
#include "storage/ItemStatus.h"

namespace bm {

void RecomputeBonusChances(BonusChanceTable& chance, const ItemStatus* status, int slot) {
  chance.fill(0);
  chance[20] = 4.0;
  bool ok = status && slot >= 0 && slot < kItemSlots;
  bool anyUnlocked = false;
  for (int s = 1; s <= 10; ++s) {
    if (!ok) break;
    const ItemRecord& items = status->items[std::size_t(slot)];
    if (Lock(items, s).Flag != 0) continue;
    int grade = std::max<int>(status->grades[std::size_t(slot)].ChanceGrade[std::size_t(s)], 0);
    chance[std::size_t(ShopItemCode(s))] = 10.0 * std::min(grade, 3) + 10;
    chance[20] /= 1.2;
    anyUnlocked = true;
  }
  chance[46] = 5;
  chance[48] = 5;
  chance[54] = 3;
  chance[55] = 3;
  // Stars can be drawn only once something in the shop is open.
  chance[0] = anyUnlocked ? 14 : 12;
}

void SpawnBonusAtTopCell(BoardCtx& c, int cell) {
  Cell& target = c.cells[cell];
  const auto& kinds = c.level.JewelKinds;
  target.Gem = kinds.empty() ? 1 + c.rng.Below(2) : kinds[std::size_t(c.rng.Below(int(kinds.size())))];
  if (!c.bonus) return;
  BonusChanceTable& chance = c.bonus->BonusChance;
  if (chance[20] == 0) chance[20] = 1.0;

  if (c.rng.Next() * 100 < chance[20] * chance[0]) {
    int code = c.rng.Below(int(chance[0])) + 41;
    if (code > 52) ++code;
    double p = chance[std::size_t(code)];
    if (code == item::Life) p /= std::max(c.lives ? *c.lives : 0, 0) + 1;
    if (code == item::Clock) {
      // Half goes to the even neighbour: a quarter-full glass damps like an empty one.
      double r4 = std::nearbyint(c.level.SandLeft * 4);
      p /= std::max(r4, 0.0) + 1;
    }
    if (c.rng.Next() * 100 < p) {
      bool place = code < item::BlueStar || FreeStarSlot(c, code == item::GoldStar) != 0;
      if (place) target.Gem = code;
    }
  }

  for (const KeyRule& k : kKeyRules) {
    bool draw = c.rng.Below(50) == 0;
    std::size_t flag = std::size_t(k.key);
    if (draw && c.level.Number >= k.firstLevel && !KeyFound(c, k.key) && !c.level.KeyPlaced[flag]) {
      target.Gem = item::FirstKey + k.key - 1;
      c.level.KeyPlaced[flag] = true;
    }
  }

  if (IsBonus(target.Gem)) {
    ++c.bonus->Figures.spawned[std::size_t(target.Gem)];
    OfferTip(c.st.Events, c.player, 5, cell);
  }
}

}  // namespace bm

// The board kit with the bonus side switched on: effect slots, popups, lives
// and a new game's shop state for player slot 1.
#pragma once
#include <memory>

#include "../board/BoardKit.h"
#include "bonus/BonusState.h"
#include "storage/ItemStatus.h"

namespace bm::testing {

struct BonusKit : BoardKit {
  std::unique_ptr<BonusState> bonus = std::make_unique<BonusState>();
  std::unique_ptr<ItemStatus> items = std::make_unique<ItemStatus>(NewGameItemStatus());
  int lives = 3;

  explicit BonusKit(std::string_view layout = {}, bool refill = false) : BoardKit(layout, refill) {
    bonusRefs = {bonus.get(), &lives, items.get(), 1};
    ResetBonusLevel(*bonus, now);
  }

  GradeRecord& Grades() { return items->grades[1]; }
  ItemRecord& Keys() { return items->items[1]; }
  ItemRecord& Stars() { return items->stars[1]; }
  void Unlock(int s) { Lock(Keys(), s).Flag = 0; }

  // Puts a bonus in a cell and triggers it as a swap with a partner would.
  void Trigger(int cell, int code, int partnerCode = 20, int partnerCell = kNoCell) {
    cells[cell].Gem = code;
    cells[cell].Parent = partnerCell;
    cells[cell].ParentGem = partnerCode;
    cells[cell].Disappear = 1;
  }
  int Gilded() const {
    int n = 0;
    for (int i = 0; i < kCellCount; ++i) n += cells[i].isExists && cells[i].Gnd == 1;
    return n;
  }
  // Runs frames until no effect flies and the board is at rest.
  int RunOut(int limit = 3000) {
    for (int k = 0; k < limit; ++k) {
      Frame();
      if (bonus->effectsAlive == 0 && AtRest()) return k + 1;
    }
    return limit;
  }
};

}  // namespace bm::testing

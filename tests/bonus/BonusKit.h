// The board kit with the bonus side switched on: effect slots, popups, lives
// and a new game's shop state for player slot 1.
#pragma once
#include <memory>

#include "../board/BoardKit.h"
#include "bonus/BonusState.h"
#include "storage/ItemStatus.h"

namespace bm::testing {

struct BonusKit : BoardKit {
  BonusState* bonus = &m.bonus;
  ItemStatus* items = &m.items;
  int& lives = m.session.Lives;

  explicit BonusKit(std::string_view layout = {}, bool refill = false) : BoardKit(layout, refill) { BonusOn(); }
  void Load(std::string_view layout, bool refill = false) {
    BoardKit::Load(layout, refill);
    BonusOn();
  }
  void BonusOn() {
    m.bonusesOn = true;
    m.items = NewGameItemStatus();
    m.itemSlot = 1;
    ResetBonusLevel(m.bonus, now);
  }
  BoardCtx Ctx(double ff = 1) {
    BoardCtx c = BoardKit::Ctx(ff);
    c.Attach(BonusRefsOf(m));
    return c;
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
    cells[cell].Disappear = Removal::Start;
  }
  int Gilded() const {
    int n = 0;
    for (int i = 0; i < kCellCount; ++i) n += cells[i].IsExists && cells[i].Gnd == 1;
    return n;
  }
  // Runs frames until no effect flies and the board is at rest.
  int RunOut(int limit = 3000) {
    for (int k = 0; k < limit; ++k) {
      Frame();
      if (bonus->EffectsAlive == 0 && AtRest()) return k + 1;
    }
    return limit;
  }
};

}  // namespace bm::testing

#include "bonus/ShopItems.h"

#include <algorithm>

#include "bonus/BonusKinds.h"
#include "storage/ItemStatus.h"

namespace bm {

namespace {

bool SlotOk(const BoardCtx& c) { return c.items && c.itemSlot >= 0 && c.itemSlot < kItemSlots; }

PlacedObject* StarSlot(BoardCtx& c, bool gold, int j) {
  return &c.items->stars[std::size_t(c.itemSlot)].Object[std::size_t((gold ? kGoldStarBase : 0) + j)];
}

}  // namespace

bool ItemHasPower(int s) {
  const BonusKind* kind = ShopKind(s);
  return kind && kind->HasPower();
}

int ShopItemCode(int s) {
  const BonusKind* kind = ShopKind(s);
  return kind ? kind->code : 0;
}

bool KeyFound(const BoardCtx& c, int key) {
  if (!SlotOk(c) || key < 1 || key > 10) return false;
  return Key(c.items->items[std::size_t(c.itemSlot)], key).Flag != 0;
}

void SetKeyFound(BoardCtx& c, int key) {
  if (!SlotOk(c) || key < 1 || key > 10) return;
  Key(c.items->items[std::size_t(c.itemSlot)], key).Flag = -1;
}

int PowerGrade(const BoardCtx& c, int s) {
  if (!SlotOk(c) || !ItemHasPower(s)) return 0;
  return std::clamp<int>(c.items->grades[std::size_t(c.itemSlot)].PowerGrade[std::size_t(s)], 0, 3);
}

int FreeStarSlot(const BoardCtx& c, bool gold) {
  if (!SlotOk(c)) return 0;
  for (int j = 1; j <= 6; ++j)
    if (StarSlot(const_cast<BoardCtx&>(c), gold, j)->Flag == 0) return j;
  return 0;
}

bool TakeStar(BoardCtx& c, bool gold) {
  int j = FreeStarSlot(c, gold);
  if (j == 0) return false;
  StarSlot(c, gold, j)->Flag = -1;
  return true;
}

void UnlockEveryItem(ItemStatus& status, int slot) {
  if (slot < 0 || slot >= kItemSlots) return;
  for (int s = 1; s <= 10; ++s) {
    Lock(status.items[std::size_t(slot)], s).Flag = 0;
    status.grades[std::size_t(slot)].ChanceGrade[std::size_t(s)] = kMaxGrade;
    status.grades[std::size_t(slot)].PowerGrade[std::size_t(s)] = ItemHasPower(s) ? kMaxGrade : 0;
  }
}

}  // namespace bm

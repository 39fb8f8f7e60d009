#include "progress/ShopRules.h"

#include "bonus/ShopItems.h"

namespace bm {

namespace {

void GoHome(PlacedObject& o) {
  o.PosX = o.HomeX;
  o.PosY = o.HomeY;
}

}  // namespace

bool IsBlueStar(int index) { return index >= 1 && index <= kBlueStars; }
bool IsGoldStar(int index) { return index >= kGoldStarFirst && index <= kGoldStarLast; }

bool ItemLocked(const ShopSlot& s, int item) { return Lock(s.items, item).Flag != 0; }

bool HoldsKeyFor(const ShopSlot& s, int item) {
  int colour = Lock(s.items, item).Index;
  for (int k = 1; k <= kShopItems; ++k)
    if (Key(s.items, k).Flag != 0 && Key(s.items, k).Index == colour) return true;
  return false;
}

const char* TakeKey(ShopSlot& s, int key) {
  if (key < 1 || key > kShopItems || Key(s.items, key).Flag == 0 || s.items.Dragged != 0) return nullptr;
  s.items.Dragged = key;
  return "ev_shop_key_take";
}

const char* TakeStar(ShopSlot& s, int star) {
  if (!(IsBlueStar(star) || IsGoldStar(star)) || s.stars.Object[std::size_t(star)].Flag == 0 || s.stars.Dragged != 0)
    return nullptr;
  s.stars.Dragged = star;
  return "ev_shop_star_take";
}

void CarryTo(ShopSlot& s, double x, double y) {
  if (s.items.Dragged >= 1 && s.items.Dragged <= kShopItems) {
    PlacedObject& k = Key(s.items, s.items.Dragged);
    k.PosX = x;
    k.PosY = y;
  }
  if (IsBlueStar(s.stars.Dragged) || IsGoldStar(s.stars.Dragged)) {
    PlacedObject& o = s.stars.Object[std::size_t(s.stars.Dragged)];
    o.PosX = x;
    o.PosY = y;
  }
}

bool KeyOpens(const ShopSlot& s, int key, int item) {
  // A locked item takes only its own colour; an open one is locked again by any key.
  return !ItemLocked(s, item) || Key(s.items, key).Index == Lock(s.items, item).Index;
}

bool StarRaises(const ShopSlot& s, int star, int item) {
  if (ItemLocked(s, item)) return false;
  if (IsBlueStar(star)) return s.grades.ChanceGrade[std::size_t(item)] < kMaxGrade;
  return ItemHasPower(item) && s.grades.PowerGrade[std::size_t(item)] < kMaxGrade;
}

const char* Release(ShopSlot& s, int item) {
  const char* cue = nullptr;
  int key = s.items.Dragged;
  if (key >= 1 && key <= kShopItems) {
    PlacedObject& k = Key(s.items, key);
    GoHome(k);  // the key stays found whatever it did
    if (item < 1) {
      cue = "ev_shop_key_put";
    } else if (!KeyOpens(s, key, item)) {
      cue = "ev_shop_key_fail";
    } else {
      PlacedObject& lock = Lock(s.items, item);
      lock.Flag = lock.Flag != 0 ? 0 : -1;
      lock.Index = k.Index;
      cue = lock.Flag == 0 ? "ev_shop_open" : "ev_shop_close";
    }
  }
  int star = s.stars.Dragged;
  if (IsBlueStar(star) || IsGoldStar(star)) {
    PlacedObject& o = s.stars.Object[std::size_t(star)];
    GoHome(o);
    if (item < 1) {
      cue = "ev_shop_star_put";
    } else if (!StarRaises(s, star, item)) {
      cue = "ev_shop_star_fail";
    } else {
      auto& grade = IsBlueStar(star) ? s.grades.ChanceGrade : s.grades.PowerGrade;
      ++grade[std::size_t(item)];
      o.Flag = 0;
      cue = IsBlueStar(star) ? "ev_shop_stars_blue" : "ev_shop_stars_gold";
    }
  }
  s.items.Dragged = 0;
  s.stars.Dragged = 0;
  return cue;
}

void CheatToggleKey(ShopSlot& s, int key) {
  if (key < 1 || key > kShopItems) return;
  PlacedObject& k = Key(s.items, key);
  k.Flag = k.Flag != 0 ? 0 : -1;
  GoHome(k);
}

}  // namespace bm

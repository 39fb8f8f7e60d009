// The Pirate Shop's rules: picking up keys and stars, and what dropping them
// does to the current player's locks and grades. Where the cards, keys and
// stars lie on the screen is render/ShopLayout.h.
#pragma once
#include "storage/ItemStatus.h"

namespace bm {

// The current player's three shop records.
struct ShopSlot {
  ItemRecord& items;   // keys 1..10 and the locks of items 1..10
  ItemRecord& stars;   // blue stars 1..6, gold stars 12..17
  GradeRecord& grades;
};

inline constexpr int kGoldStarFirst = kGoldStarBase + 1;  // 12
inline constexpr int kGoldStarLast = kGoldStarBase + 6;   // 17

bool IsBlueStar(int index);
bool IsGoldStar(int index);

bool ItemLocked(const ShopSlot& s, int item);
// The player holds the key that fits the item's lock.
bool HoldsKeyFor(const ShopSlot& s, int item);

// Pressing on a key or star picks it up; each returns the cue to play, or null.
const char* TakeKey(ShopSlot& s, int key);
const char* TakeStar(ShopSlot& s, int star);
// The carried key or star follows the pointer (1280 x 1024 screen pixels).
void CarryTo(ShopSlot& s, double x, double y);
// Releasing the button: over an item it is a drop, anywhere else the carried
// thing goes home. Clears what is carried; returns the cue to play, or null.
const char* Release(ShopSlot& s, int itemUnderPointer);

// What a drop would do, without doing it (the bot's eyes).
bool KeyOpens(const ShopSlot& s, int key, int item);
bool StarRaises(const ShopSlot& s, int star, int item);

// Cheat keys: a star of that colour added to / taken from a random slot.
// Returns false when no slot could be found in 200 tries.
template <class Random>
bool CheatStar(ShopSlot& s, bool gold, bool add, Random&& below);
// Toggles whether key k was found.
void CheatToggleKey(ShopSlot& s, int key);

// --- template definition
template <class Random>
bool CheatStar(ShopSlot& s, bool gold, bool add, Random&& below) {
  for (int tries = 0; tries < 200; ++tries) {
    int slot = 1 + below(6) + (gold ? kGoldStarBase : 0);
    PlacedObject& o = s.stars.Object[std::size_t(slot)];
    if ((o.Flag != 0) == add) continue;
    o.Flag = add ? -1 : 0;
    o.PosX = o.HomeX;
    o.PosY = o.HomeY;
    return true;
  }
  return false;
}

}  // namespace bm

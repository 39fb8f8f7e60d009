// The Pirate Shop's ten items as the shop screen reads them: their bonus codes,
// the keys that fit them, their texts, and what each chance and power grade
// means. The items themselves are rows of the bonus table (bonus/BonusKinds.h).
#pragma once
#include <array>
#include <string>

#include "bonus/Spawn.h"

namespace bm {

struct ShopItem {
  int slot;                 // 1..10
  int code;                 // bonus code on the board
  int key;                  // the key that fits at the start, 1..10
  const char* description;  // "|" breaks lines
  bool hasPower;            // only the first four items have a power grade
};

// In slot order.
extern const std::array<ShopItem, 10> kShopCatalogue;

// The colour word of key k (1..10) in the shop's texts: "red" .. "tan" ("violet" for 8).
const char* KeyColourWord(int key);

// The chance, in percent, that a refilled top cell receives item s.
double ItemChancePercent(const BonusChanceTable& chance, int s);
// Two decimals with a point: 1.3333 -> "1.33".
std::string FormatChance(double x);
// The chance line of an unlocked item with its power grade's meaning.
std::string ChanceText(int s, double percent, int powerGrade);
// The text on a locked item: how to open it, or which key to find.
std::string LockedText(int keyColour, bool holdsKey);
// The same for item s of one player's shop (the key that fits its lock, and
// whether that key has been found).
std::string LockedText(const ItemStatus& status, int slot, int s);

}  // namespace bm

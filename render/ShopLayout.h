// Where the Pirate Shop's cards, keys and stars lie on the screen, and what is
// under the pointer. Positions are in 1280 x 1024 screen pixels; the shop's
// rules are progress/ShopRules.h.
#pragma once
#include "storage/ItemStatus.h"

namespace bm {

// The card's centre.
double ShopItemX(int item);
double ShopItemY(int item);
// Shop item 1..10 whose card holds the point, 0 for none.
int ShopItemAt(double x, double y);
// The point lies in the lower half of the card (where the chance is told).
bool OnLowerHalf(int item, double y);
// A found key / held star under the point, 0 for none.
int KeyAt(const ItemRecord& items, double x, double y);
int StarAt(const ItemRecord& stars, double x, double y);

}  // namespace bm

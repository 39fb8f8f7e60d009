#include "render/ShopLayout.h"

#include <cmath>

#include "progress/ShopRules.h"

namespace bm {

namespace {

// Cards are 170 x 220 around their centre; keys and stars are picked up within a radius.
constexpr double kCardHalfW = 85, kCardHalfH = 110;
constexpr double kKeyRadius = 38, kStarRadius = 28;

bool Near(const PlacedObject& o, double x, double y, double r) {
  return std::hypot(o.PosX - x, o.PosY - y) <= r;
}

}  // namespace

double ShopItemX(int item) { return 216 + 190 * ((item - 1) % 5); }
double ShopItemY(int item) { return item <= 5 ? 191 : 388; }

int ShopItemAt(double x, double y) {
  for (int s = 1; s <= kShopItems; ++s)
    if (std::fabs(x - ShopItemX(s)) <= kCardHalfW && std::fabs(y - ShopItemY(s)) <= kCardHalfH * 0.9) return s;
  return 0;
}

bool OnLowerHalf(int item, double y) { return y > ShopItemY(item); }

int KeyAt(const ItemRecord& items, double x, double y) {
  for (int k = 1; k <= kShopItems; ++k)
    if (Key(items, k).Flag != 0 && Near(Key(items, k), x, y, kKeyRadius)) return k;
  return 0;
}

int StarAt(const ItemRecord& stars, double x, double y) {
  for (int i = 1; i <= kGoldStarLast; ++i) {
    if (!IsBlueStar(i) && !IsGoldStar(i)) continue;
    const PlacedObject& o = stars.Object[std::size_t(i)];
    if (o.Flag != 0 && Near(o, x, y, kStarRadius)) return i;
  }
  return 0;
}

}  // namespace bm

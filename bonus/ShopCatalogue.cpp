#include "bonus/ShopCatalogue.h"

#include <algorithm>
#include <cstdio>

#include "bonus/BonusKinds.h"
#include "storage/ItemStatus.h"

namespace bm {

const std::array<ShopItem, 10> kShopCatalogue = [] {
  std::array<ShopItem, 10> items{};
  for (int s = 1; s <= 10; ++s) {
    const BonusKind& kind = *ShopKind(s);
    items[std::size_t(s - 1)] = {s, kind.code, s, kind.description.data(), kind.HasPower()};
  }
  return items;
}();

const char* KeyColourWord(int key) {
  const KeyKind* k = FindKey(kFirstKeyCode + key - 1);
  return k ? k->word.data() : "";
}

double ItemChancePercent(const BonusChanceTable& chance, int s) {
  if (s < 1 || s > 10) return 0;
  return chance[20] * chance[std::size_t(kShopCatalogue[std::size_t(s - 1)].code)] / 100;
}

std::string FormatChance(double x) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.2f", x);
  std::string s = buf;
  std::replace(s.begin(), s.end(), ',', '.');
  return s;
}

std::string ChanceText(int s, double percent, int powerGrade) {
  std::string head = "Chance: " + FormatChance(percent) + "%|";
  const BonusKind* kind = ShopKind(s);
  return kind ? head + GradeText(*kind, kind->power.shopLine, powerGrade) : head;
}

std::string LockedText(int keyColour, bool holdsKey) {
  std::string word = KeyColourWord(keyColour);
  if (holdsKey) return "to unlock bonus|Drag-n-Drop|" + word + " key here";
  return "bonus locked|Find " + word + " key|to unlock it";
}

std::string LockedText(const ItemStatus& status, int slot, int s) {
  if (slot < 0 || slot >= kItemSlots || s < 1 || s > 10) return LockedText(s, false);
  const ItemRecord& items = status.items[std::size_t(slot)];
  int colour = Lock(items, s).Index;
  bool holds = colour >= 1 && colour <= 10 && Key(items, colour).Flag != 0;
  return LockedText(colour, holds);
}

}  // namespace bm

#include "bonus/ShopCatalogue.h"

#include <algorithm>
#include <cstdio>

#include "storage/ItemStatus.h"

namespace bm {

const std::array<ShopItem, 10> kShopCatalogue = {{
    {1, 44, 1, "BOMB - explode|and convert to|gold nearby tiles", true},
    {2, 50, 2, "Pirate Gun -|shots certain|unconverted tiles", true},
    {3, 43, 3, "Pirate Clock -|gives additional|time on level", true},
    {4, 41, 4, "Pirate Chest -|gives additional|score points", true},
    {5, 45, 5, "Seismic Gem -|Destroy jewel|types as origin", false},
    {6, 47, 6, "Parrot - Allows|you to see all|available moves", false},
    {7, 52, 7, "Golden Sun -|Allows you to|remove objects", false},
    {8, 51, 8, "Anchor - Allows|you to swap|ranged jewels", false},
    {9, 42, 9, "Life -|gives one|additional life", false},
    {10, 49, 10, "Cannonball -|shots in all|directions", false},
}};

const char* KeyColourWord(int key) {
  static const char* kWords[10] = {"red", "orange", "yellow", "lettuce", "green",
                                   "cyan", "blue", "violet", "magenta", "tan"};
  return key >= 1 && key <= 10 ? kWords[key - 1] : "";
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
  static const char* kWave[4] = {"Single", "Single+Half", "Double", "Triple"};
  static const char* kShots[4] = {"two", "four", "six", "eight"};
  static const char* kTime[4] = {"30 seconds", "1 minute", "90 seconds", "2 minutes"};
  int g = std::clamp(powerGrade, 0, 3);
  std::string head = "Chance: " + FormatChance(percent) + "%|";
  switch (s) {
    case 1: return head + kWave[g] + " Wave|Detonation";
    case 2: return head + kShots[g] + " shots|per action";
    case 3: return head + "plus " + kTime[g] + "|per action";
    case 4: return head + "score increases|by " + std::to_string(1000 << g) + " points";
    default: return head;
  }
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

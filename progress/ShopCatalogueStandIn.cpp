#include "progress/ShopCatalogueStandIn.h"

#include <algorithm>
#include <cstdio>

namespace bm {

namespace {

struct Entry {
  int code;
  const char* description;
};
const Entry kItems[kShopItems] = {
    {44, "BOMB - explode|and convert to|gold nearby tiles"},
    {50, "Pirate Gun -|shots certain|unconverted tiles"},
    {43, "Pirate Clock -|gives additional|time on level"},
    {41, "Pirate Chest -|gives additional|score points"},
    {45, "Seismic Gem -|Destroy jewel|types as origin"},
    {47, "Parrot - Allows|you to see all|available moves"},
    {52, "Golden Sun -|Allows you to|remove objects"},
    {51, "Anchor - Allows|you to swap|ranged jewels"},
    {42, "Life -|gives one|additional life"},
    {49, "Cannonball -|shots in all|directions"},
};
const char* const kColours[kShopItems] = {"red",  "orange", "yellow", "lettuce", "green",
                                          "cyan", "blue",   "violet", "magenta", "tan"};

int Clamp(int s) { return std::clamp(s, 1, kShopItems); }

}  // namespace

int ShopItemCodeOf(int s) { return kItems[Clamp(s) - 1].code; }
std::string ShopDescription(int s) { return kItems[Clamp(s) - 1].description; }

std::string StandInLockedText(const ItemStatus& status, int slot, int s) {
  const ItemRecord& r = status.items[std::size_t(std::clamp(slot, 0, kItemSlots - 1))];
  int colour = std::clamp(Lock(r, Clamp(s)).Index, 1, kShopItems);
  bool holds = false;
  for (int k = 1; k <= kShopItems; ++k) holds |= Key(r, k).Flag != 0 && Key(r, k).Index == colour;
  std::string word = kColours[colour - 1];
  return holds ? "to unlock bonus|Drag-n-Drop|" + word + " key here" : "bonus locked|Find " + word + " key|to unlock it";
}

std::string StandInChanceText(int s, double percent, int g) {
  char c[32];
  std::snprintf(c, sizeof c, "%.2f", percent);
  std::string head = std::string("Chance: ") + c + "%|";
  g = std::clamp(g, 0, 3);
  static const char* kWave[4] = {"Single", "Single+Half", "Double", "Triple"};
  static const char* kShots[4] = {"two", "four", "six", "eight"};
  static const char* kTime[4] = {"30 seconds", "1 minute", "90 seconds", "2 minutes"};
  switch (Clamp(s)) {
    case 1: return head + kWave[g] + " Wave|Detonation";
    case 2: return head + kShots[g] + " shots|per action";
    case 3: return head + "plus " + kTime[g] + "|per action";
    case 4: return head + "score increases|by " + std::to_string(1000 << g) + " points";
    default: return head;
  }
}

}  // namespace bm

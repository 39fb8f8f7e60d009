#include "bench/harness/ArrivalShop.h"

#include <algorithm>
#include <vector>

#include "bonus/Spawn.h"

namespace bm {

namespace {

// The shop items in the order their keys first appear.
std::vector<int> OpenedBefore(int level) {
  std::vector<int> items;
  for (const KeyRule& k : kKeyRules)
    if (k.firstLevel < level) items.push_back(k.key);  // key k fits item k
  return items;
}

// Spends stars one grade at a time, round the items in the order they opened.
void Spend(int stars, const std::vector<int>& items, std::array<std::int16_t, 11>& grade) {
  while (stars > 0) {
    bool spent = false;
    for (int s : items) {
      if (stars == 0) break;
      if (grade[std::size_t(s)] >= kMaxGrade) continue;
      ++grade[std::size_t(s)];
      --stars;
      spent = true;
    }
    if (!spent) break;
  }
}

}  // namespace

int ArrivalItemsOpen(int level) { return int(OpenedBefore(level).size()); }

ItemStatus ArrivalItemStatus(int level, int slot) {
  ItemStatus status = NewGameItemStatus();
  if (slot < 0 || slot >= kItemSlots) return status;
  std::vector<int> open = OpenedBefore(level);
  ItemRecord& items = status.items[std::size_t(slot)];
  for (int s : open) {
    Key(items, s).Flag = -1;  // found, and it stays found once in its lock
    Lock(items, s).Flag = 0;
  }
  if (open.empty()) return status;
  int firstOpen = kKeyRules[0].firstLevel + 1;
  int stars = std::max(0, (level - firstOpen) / kLevelsPerStar);
  GradeRecord& g = status.grades[std::size_t(slot)];
  Spend(stars, open, g.ChanceGrade);
  std::vector<int> powered;
  for (int s : open)
    if (s <= 4) powered.push_back(s);
  Spend(stars, powered, g.PowerGrade);
  return status;
}

}  // namespace bm

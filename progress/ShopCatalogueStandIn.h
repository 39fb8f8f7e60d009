// Stand-in for the shop catalogue until the bonuses bring theirs: the items'
// codes and the texts the shop shows.
#pragma once
#include <string>

#include "storage/ItemStatus.h"

namespace bm {

int ShopItemCodeOf(int s);
std::string ShopDescription(int s);
std::string StandInLockedText(const ItemStatus& status, int slot, int s);
std::string StandInChanceText(int s, double percent, int powerGrade);

}  // namespace bm

// What a refilled top cell receives: a jewel, or now and then a bonus item, a
// magic star or one of the ten coloured keys.
#pragma once
#include <array>

#include "board/BoardContext.h"

namespace bm {

using BonusChanceTable = std::array<double, 101>;

// Rebuilds the chance table from one player's shop state (status may be null:
// every item locked). Run after the item status is loaded or saved and when
// the shop closes.
void RecomputeBonusChances(BonusChanceTable& chance, const ItemStatus* status, int slot);

// Fills one empty top cell that the refill has reached.
void SpawnBonusAtTopCell(BoardCtx& c, int cell);

// The ten keys in the order they are tried, with the first level each may
// appear on.
struct KeyRule {
  int key;  // 1..10
  int firstLevel;
};
inline constexpr std::array<KeyRule, 10> kKeyRules = {{{4, 4},
                                                        {1, 6},
                                                        {6, 8},
                                                        {8, 13},
                                                        {9, 16},
                                                        {7, 23},
                                                        {3, 29},
                                                        {10, 36},
                                                        {5, 46},
                                                        {2, 56}}};

}  // namespace bm

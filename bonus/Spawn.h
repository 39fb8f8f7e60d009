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

// A top cell the refill has just given a jewel may take a bonus or a key instead.
void SpawnBonusAtTopCell(BoardCtx& c, int cell);

// The ten keys in the order they are tried: by the first level each may appear on.
struct KeyRule {
  int key;  // 1..10
  int firstLevel;
};
extern const std::array<KeyRule, 10> kKeyRules;

}  // namespace bm

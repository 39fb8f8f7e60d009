// The shop state of a player who reaches a level by playing the game through:
// what the balance runs give the bot so that each level is measured with the
// bonuses a player would have there.
//
// The assumptions (levels/README.md lists them with the balance table):
//   - every key whose first level lies before the level was found on the way
//     and dropped on its lock, so those items are open;
//   - stars turn up once an item is open; on the way the player met one blue
//     and one gold star every kLevelsPerStar levels after the first open item,
//     spent in the order the items were opened: blue stars raise the chance
//     grades, gold stars the power grades (bomb, pirate gun, clock, chest);
//   - every star met was spent, so no star slot is full.
#pragma once
#include "storage/ItemStatus.h"

namespace bm {

inline constexpr int kLevelsPerStar = 4;

// The whole item status with one player slot filled in as above.
ItemStatus ArrivalItemStatus(int level, int slot);

// Shop items open on arrival at a level (0..10).
int ArrivalItemsOpen(int level);

}  // namespace bm

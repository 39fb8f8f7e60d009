// The current player's shop state as the bonuses read and write it: keys
// found, items unlocked, stars held, chance and power grades.
#pragma once
#include "board/BoardContext.h"

namespace bm {

// Shop slot s (1..10) to its bonus code on the board.
int ShopItemCode(int s);
// Whether item s has a power grade (gold stars raise it).
bool ItemHasPower(int s);

// Each reads the current player's records; without an item status every item
// is locked, no key is found, no star is held and every grade is 0.
bool KeyFound(const BoardCtx& c, int key);
void SetKeyFound(BoardCtx& c, int key);
// The power grade of item s; 0 for an item without one.
int PowerGrade(const BoardCtx& c, int s);
// The first free star slot 1..6, or 0 when all six are held.
int FreeStarSlot(const BoardCtx& c, bool gold);
// Fills the first free star slot; false when all six are held.
bool TakeStar(BoardCtx& c, bool gold);

// Opens every shop item of one player at the top grades (demo and soak runs).
void UnlockEveryItem(ItemStatus& status, int slot);

}  // namespace bm

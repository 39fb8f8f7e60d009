// What the match takes over from the screens around it: the player's stocks and
// tips, the current player's shop, and a level continued from a saved game.
// Each writes its line to the match's tape, so a replay meets the same values.
#pragma once
#include "board/BoardPlayer.h"
#include "storage/ItemStatus.h"

namespace bm {

struct Cells;
struct Match;

// The player's stocks, rum flag and tips, as the player record holds them.
void SetMatchPlayer(Match& m, const BoardPlayer& player, double now);

// The shop state of player slot `slot` taken from `status` (the records of the
// other slots come along), the slot made current, and the bonus chances rebuilt
// from it. Locks opened and grades raised since the match's own copy count in
// the report's shop figures.
void SetShopState(Match& m, const ItemStatus& status, int slot, double now);

// The progress fields of a saved game.
struct SavedProgress {
  int level = 1;
  int score = 0;
  int lives = 3;
  double timeLeft = 0;   // hourglass fraction
  double timeTotal = 0;  // the level's seconds; 0 keeps the level's own
};

// Continue: the saved level loaded afresh with the saved progress over it.
void ContinueLevel(Match& m, const SavedProgress& p, double now);
// The saved board laid over the level ContinueLevel loaded (the caller has
// checked it fits): no grow-in, no selection, a swap cut short goes home.
void PutSavedBoard(Match& m, const Cells& saved, double now);

}  // namespace bm

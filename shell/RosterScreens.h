// The players screen, the name entry and the high-score table as modal
// screens. They edit the tables they are handed; saving is the caller's,
// through the callbacks (called whenever a table changed and must be kept).
//
// Keys: Up/Down (or Tab) walk the lines and buttons, Enter or Space acts, Delete
// (or D) on a player's line asks to delete that player, Escape closes.
#pragma once
#include <functional>
#include <string>

#include "storage/HighScores.h"
#include "storage/Players.h"

namespace bm {

struct Game;

// Choose, create and delete players. save runs after each change that must be
// kept and when the screen closes; forgetBoard(slot) clears a deleted player's saved board.
void PlayersLoop(Game& g, PlayerTable& players, const std::function<void()>& save,
                 const std::function<void(int slot)>& forgetBoard = {});

// The name box; true with the name in name when "OK" took a non-empty name.
// Escape acts as "CANCEL" only when escapeAllowed.
bool NameEntryLoop(Game& g, std::string& name, bool escapeAllowed = true);

// The table with "BACK" and "RESET" (which asks first). reset resets and saves
// the table; without it the table is reset in memory and save is called.
void HighScoresLoop(Game& g, HighScoreTable& table, const std::function<void()>& save,
                    const std::function<void()>& reset = {});

}  // namespace bm

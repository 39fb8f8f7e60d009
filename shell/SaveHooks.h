// Where the running game meets its saved game: leaving a level in progress
// saves it, and the bot can leave a level mid-way and continue it.
#pragma once

#include "storage/ItemStatus.h"

namespace bm {

struct Game;

// Saves the level in progress (nothing when none is), reading the players and
// the shop state afresh so no other screen's change is written over.
void SaveLeftLevel(Game& g);
// After game over or the game's end: nothing is left to continue (the score's
// entry into the high scores is the level flow's).
void ForgetEndedGame(Game& g);
// Continues the current player's saved game; false when there is none.
bool ContinueSavedGame(Game& g);
// The current player has a saved game to continue (a name and a level).
bool HasGameToContinue(Game& g);
// "New Game": the abandoned game's score into the high scores, the player's
// shop, stocks and tips reset, then a new game on `level` (no fly-in yet).
void StartNewGame(Game& g, int level);
// Game over or game complete: the score into the high scores, the game no
// longer continued, the players file saved.
void EnterEndedGame(Game& g, int score);
// Leaving the screens between levels: the current player's shop and the map
// points written to the item files.
void SaveShopOnLeaving(Game& g);
// The level points of the map ("apo.dat" of the data folder, else the shipped one).
void LoadMapPointsOf(Game& g, MapPoints& points);

// A player without a name is asked for one on the way to the main menu, so a
// first game is kept under a name and can be continued after closing. True
// when the name box was shown.
bool AskFirstPlayerName(Game& g);

// With --bot-leave, the bot has played long enough on this visit to leave.
bool BotLeavesNow(const Game& g);

}  // namespace bm

// Where the running game meets its saved game: leaving a level in progress
// saves it, continuing puts it back, a new game or an ended one is written.
#pragma once
#include <string>

#include "storage/ItemStatus.h"
#include "storage/SaveFolder.h"

namespace bm {

struct Saves;
struct Match;

// Saves the level in progress (nothing when none is), reading the players and
// the shop state afresh so no other screen's change is written over.
void SaveLeftLevel(Saves& s, const Match& m);
// After game over or the game's end: nothing is left to continue (the score's
// entry into the high scores is the level flow's).
void ForgetEndedGame(Saves& s, const Match& m);
// The play screen was left (the menu, Escape, the close box, F12, a stop
// signal, the game's end): the level in progress is saved, or the ended game forgotten.
void LeftPlay(Saves& s, const Match& m);
// Continues the current player's saved game; false when there is none.
bool ContinueSavedGame(Saves& s, Match& m);
// The current player has a saved game to continue (a name and a level).
bool HasGameToContinue(Saves& s);
// "New Game": the abandoned game's score into the high scores, the player's
// shop, stocks and tips reset, then a new game on `level` (no fly-in yet).
void StartNewGame(Saves& s, Match& m, int level);
// Game over or game complete: the score into the high scores, the game no
// longer continued, the players file saved.
void EnterEndedGame(Saves& s, int score);
// Leaving the screens between levels: the current player's shop and the map
// points written to the item files.
void SaveShopOnLeaving(Saves& s, const Match& m);
// The level points of the map ("apo.dat" of the data folder, else the shipped one).
void LoadMapPointsOf(Saves& s, MapPoints& points);

// A player without a name is asked for one on the way to the main menu, so a
// first game is kept under a name and can be continued after closing.
// NeedsFirstPlayer loads the players into data (finishing first a new game
// whose start was cut short, so it is continued whole); false when the current
// player has a name. Otherwise the first player becomes the current one, and ask
// tells whether it still needs a name (the name box). KeepFirstPlayer then
// gives it the name (null when none was given) and saves the players.
bool NeedsFirstPlayer(Saves& s, SaveData& data, bool& ask);
void KeepFirstPlayer(Saves& s, SaveData& data, const std::string* name);

}  // namespace bm

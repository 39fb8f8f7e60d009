// Where the running game meets its saved game: leaving a level in progress
// saves it, and the bot can leave a level mid-way and continue it.
#pragma once

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
// A new game shows the current player each tip once, when they have tips on.
void UseCurrentPlayerTips(Game& g);
// With --bot-leave, the bot has played long enough on this visit to leave.
bool BotLeavesNow(const Game& g);

}  // namespace bm

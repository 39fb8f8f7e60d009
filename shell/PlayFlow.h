// The screens of a game between its levels and at its end, run in the order the
// match asks for them: fly-out, map and shop, level start with its fly-in, the
// congratulations screen, the high-score entry of a lost game. Also the play
// set-up from the main menu.
#pragma once

namespace bm {

struct Game;

// The menu's "Play": a new game, or the saved one continued when the player
// chooses so. False when the player stayed on the menu.
bool PlaySetUp(Game& g);
// Loads the match's current level, re-rolls ready-made lines, and flies it in
// unless play is being left.
void LevelStart(Game& g);
// Runs whatever the match has asked for; returns when play goes on or ends.
void RunPendingFlow(Game& g);

}  // namespace bm

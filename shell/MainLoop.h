// The nested loops of a run: the main menu, then play, until exit.
#pragma once

namespace bm {

struct Game;

// Runs menu and play until exit is requested; then shuts down ("Application End.").
void MainLoop(Game& g);
// The main menu; returns with a level set up, or with ExitRequested.
void goMainMenu(Game& g);
// Plays the level that is set up until the player leaves it or exits.
void GameLoop(Game& g);
// Shown while the window is in the background; nothing ticks.
void WaitWhileInactive(Game& g);

}  // namespace bm

// The congratulations and credits screen after the last level.
#pragma once

namespace bm {

struct Game;

// Runs until the left button is clicked; then play ends for the main menu.
void GameCompleteScreen(Game& g);

}  // namespace bm

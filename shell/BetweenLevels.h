// The screen between two levels: the island map and the Pirate Shop, with a
// button to go on to the next level.
#pragma once

namespace bm {

struct Game;

enum class BetweenView { Map = 0, Shop = 1, Leave = 2 };

// Runs until the player continues (button or Escape); the cheat keys on the map
// may change the level to be played next.
void BetweenLevelsScreen(Game& g, int& currentLevel);

// The shop's state and the map points go to their files on the way out.
void SaveItemStatusOnLeaving(Game& g);

}  // namespace bm

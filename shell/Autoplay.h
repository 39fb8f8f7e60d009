// The bot at the helm: it starts a game from the main menu like a player.
#pragma once

namespace bm {

struct Game;

// Puts the bot's hands in front of the real input.
void StartAutoplay(Game& g);
// The bot's hands on the main menu: press "Play" shortly after the menu shows.
void AutoplayMenuStep(Game& g);
// After a menu screen closed: the bot moves on to the next item of its tour.
void AutoplayScreenDone(Game& g);
// Back on the main menu after a game: the bot presses "Play" again a moment later.
void AutoplayBackOnMenu(Game& g);

}  // namespace bm

// The bot at the helm: it starts a game from the main menu like a player.
#pragma once

namespace bm {

struct Services;
struct PlaySide;

// Puts the bot's hands in front of the real input, and the board bot at the play side.
void StartAutoplay(Services& s, PlaySide& play);
// The bot's hands on the main menu: press "Play" shortly after the menu shows.
void AutoplayMenuStep(Services& s);
// After a menu screen closed: the bot moves on to the next item of its tour.
void AutoplayScreenDone(Services& s);
// Back on the main menu after a game: the bot presses "Play" again a moment later.
void AutoplayBackOnMenu(Services& s);

}  // namespace bm

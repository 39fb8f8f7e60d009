// The board flies in at the start of a level and out at its end.
#pragma once

namespace bm {

struct Game;

// Direction 1 flies in (and starts the stage's tune), 0 flies out. Right button,
// Escape or an arrow key skips it; an arrow already held at the start does not.
void BoardTransition(Game& g, int direction);

}  // namespace bm

// One pass of the play screen: the match advanced by the pass's input, its
// events played, and the screen drawn when something changed.
#pragma once
#include "match/Match.h"
#include "match/MatchInput.h"
#include "render/PlayScreen.h"

namespace bm {

struct Game;

// The pass's input as the match reads it: pointer, buttons, keys, screen, clock.
MatchInput ReadMatchInput(Game& g);
// Runs one pass of play; returns the clock time the next pass is due when
// nothing on screen is moving (0 when the next frame is wanted at once).
double PlayPass(Game& g);
// What the play screen's panel shows of the match.
PanelView PanelViewOf(const Match& m);
// Plays, writes or acts on the match's queued events, in order.
void DrainMatchEvents(Game& g);

}  // namespace bm

// One pass of the play screen: the game frame, the hourglass tick and drawing.
#pragma once

namespace bm {

struct Game;

// Called after a level is loaded: ready-made lines re-rolled, items grow in.
void BeginLevel(Game& g);
// Runs one pass of play; returns the clock time the next pass is due when
// nothing on screen is moving (0 when the next frame is wanted at once).
double PlayPass(Game& g);
// The hourglass: one tick per SandTickPeriod, never below empty.
void SandTick(Game& g);

}  // namespace bm

// The destructive bonuses as flying effect objects: bomb flames, Seismic Gem
// rays, cannonball shots and pirate-gun shots. Each object destroys the cells
// it passes over, once per pass, whatever they hold; a bonus destroyed that
// way triggers in its turn.
#pragma once
#include "board/BoardContext.h"
#include "bonus/BonusState.h"

namespace bm {

// Creates the objects of one effect at a cell. power is what the bonus's power
// grade gives it (the bomb's rings, the gun's shots: bonus/BonusKinds.h).
// Returns how many objects were created: a full slot table creates none, and
// the bonus is still removed and awarded by the board.
int StartEffect(BoardCtx& c, int cell, EffectKind kind, double power = 0);

// Advances every active object by one frame and lets it hit.
void RunEffects(BoardCtx& c);

// True while a Seismic Gem ray or a bomb flame flies: nothing falls, is clicked
// or matched until they end.
bool EffectsHoldBoard(const BonusState& b);

// Opacity 0..255 of an object as drawn.
int EffectAlpha(const EffectObject& e);

// Screen metrics of a context (a test may run without any).
ScreenMetrics MetricsOf(const BoardCtx& c);

}  // namespace bm

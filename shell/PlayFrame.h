// One pass of the play screen: the match advanced by the pass's input, its
// events played, and the screen drawn when something changed.
#pragma once
#include <optional>

#include "match/Match.h"
#include "match/MatchInput.h"
#include "render/PlayScreen.h"

namespace bm {

struct Stage;
struct PlaySide;

// The pass's input as the match reads it: pointer, buttons, keys, screen, clock.
MatchInput ReadMatchInput(Stage& s, PlaySide& play);
// Runs one pass of play; returns the clock time the next pass is due when
// nothing on screen is moving (0 when the next frame is wanted at once).
// leave is set when the menu button was clicked.
double PlayPass(Stage& s, PlaySide& play, bool& leave);
// What the stock buttons show (counts, armed, the one under the pointer and
// whether it is pressed), kept for the next pass to tell whether the panel
// changed: at the end of each pass, and as play (re)starts.
void KeepStockLook(Stage& s, PlaySide& play);
// Draws the whole play screen (within the device's clip, when one is set).
void DrawPlayScreen(Stage& s, PlaySide& play);
// What the play screen's panel shows of the match.
PanelView PanelViewOf(const Match& m);
// What the screen showed of the board's ornaments before a pass.
struct PlayLookBefore {
  bool ornaments = false;
  int hover = -1, selected = -1, keyCursor = -1;
};
// The part of a kept play frame a still pass must draw again: the time text
// when it changed, the cells whose ornaments moved or moved away.
std::optional<IRect> PlayDirtyPart(const Match& m, const PlayLookBefore& before, bool timeChanged);
// Shows tip n pointing at its place (a cell, or a button's code), or keeps it
// for when the tip on screen is closed.
void OfferTipBox(Stage& s, PlaySide& play, int number, int place);
void CloseTipBox(Stage& s, PlaySide& play);
// Plays, writes or acts on the match's queued events, in order.
void DrainMatchEvents(Stage& s, PlaySide& play);

}  // namespace bm

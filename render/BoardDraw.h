// Draws the board from the state the rules keep, in a fixed order: tiles and
// holes, gold tiles with their flash, items (the two swap items on top),
// bubbles, the selection marker and the cells it can swap with, hint and
// parrot marks, removal effects, points texts and the no-moves caption.
// Nothing drawn here feeds back into the rules.
#pragma once
#include <optional>

#include "board/BoardState.h"
#include "board/Cell.h"
#include "platform/Platform.h"

namespace bm {

class Canvas;
class Font;

// Which part of the board a call draws: all of it, or one of the two halves of
// the play screen's still layer (render/StillLayer.h).
enum class BoardPart {
  Whole,
  Still,   // tiles and the items at rest, when the tiles are still
  Moving,  // what the still part leaves out, then the marks and texts over the board
};

struct BoardDrawExtras {
  std::optional<Argb> freeTilesTint;  // the show-free bonus: tint of the tiles not gold yet
  int flipScale = 0;                  // level-end flip: 1..18 while it runs, 0 otherwise
  double clockMs = 0;                 // drives the pulse of the hint marks
  int keyCursor = -1;                 // the keyboard's cell, or none
  BoardPart part = BoardPart::Whole;
};

void DrawBoard(Canvas& canvas, Font& font, const Cells& cells, const BoardState& st,
               const BoardDrawExtras& extras = {});

// Whether a cell's item and bubbles are drawn at home with nothing moving on
// them: the item at rest (board/BoardPhase.h), not lifted, swollen, waving or
// shimmering. They may then lie in the still layer.
bool CellDrawnAtRest(const Cells& cells, int i, const BoardState& st);
// Whether the tiles stay as they are from frame to frame: no gold flash, flip,
// spyglass tint or pulsing hint frame.
bool TilesAtRest(const Cells& cells, const BoardState& st, const BoardDrawExtras& extras);

// Edge in pixels of an item drawn with this size offset at horizontal scale sx.
double ItemEdge(double sizeOffset, double sx);

// The glow behind a bonus item (alpha, red, green, blue); 0 for codes without one.
Argb BonusGlow(int code);

}  // namespace bm

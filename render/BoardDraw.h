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

struct BoardDrawExtras {
  std::optional<Argb> freeTilesTint;  // the show-free bonus: tint of the tiles not gold yet
  int flipScale = 0;                  // level-end flip: 1..18 while it runs, 0 otherwise
  double clockMs = 0;                 // drives the pulse of the hint marks
  int keyCursor = -1;                 // the keyboard's cell, or none
};

void DrawBoard(Canvas& canvas, Font& font, const Cells& cells, const BoardState& st,
               const BoardDrawExtras& extras = {});

// Edge in pixels of an item drawn with this size offset at horizontal scale sx.
double ItemEdge(double sizeOffset, double sx);

// The glow behind a bonus item (alpha, red, green, blue); 0 for codes without one.
Argb BonusGlow(int code);

}  // namespace bm

// The player's hand on the board: the hovered cell, presses, drags and clicks.
#pragma once
#include "board/BoardContext.h"
#include "board/FrameInput.h"

namespace bm {

// The existing cell whose drawn centre is nearest the pointer (kNoCell when no
// cell exists), with its distance in pixels.
int NearestCell(const Cells& cells, const ScreenMetrics& m, double x, double y, double* distance);
// Farther than this from the nearest centre, the pointer hovers no cell.
double HoverReach(const Cells& cells, const ScreenMetrics& m);

// A drag from cell `from` by (dx, dy) pixels: the neighbour the drag points at
// (the nearest of the lattice's six directions, within 30 degrees) once it has
// gone a third of the way there (a hole there takes no click); -1 before that.
int SwipeTarget(const Cells& cells, const ScreenMetrics& m, int from, double dx, double dy);

// The frame's input step: drag, left press, right press.
void InputStep(BoardCtx& c, const FrameInput& in);

// A click of button 1 (left) or 2 (right) on the hovered cell.
void MouseClick(BoardCtx& c, int button, bool pointerInClient);

}  // namespace bm

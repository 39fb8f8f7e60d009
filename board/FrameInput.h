// Everything a board frame reads from outside the board, taken once per frame.
#pragma once
#include "board/ScreenMetrics.h"

namespace bm {

struct FrameInput {
  double now = 0;          // clock, ms
  double frameFactor = 1;  // elapsed ms since the previous frame / 35
  double pointerX = 0, pointerY = 0;  // back-buffer pixels
  bool leftDown = false, rightDown = false;
  bool pointerOverGame = true;  // a press there counts for the board
  bool pointerInClient = true;  // the window's client area (or the whole screen in full-screen mode)
  ScreenMetrics metrics;
  bool levelEndFlip = false;  // the level-end flip runs
  int levelEndStep = 1;       // its step, 1..18
};

}  // namespace bm

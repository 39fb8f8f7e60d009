// The references a board rule works on, bundled so that rule functions take one
// argument. Built by GameFrame for each frame; tests build their own.
#pragma once
#include "board/BoardPlayer.h"
#include "board/BoardState.h"
#include "board/Cell.h"
#include "board/Rng.h"
#include "board/LevelState.h"

namespace bm {

struct BoardCtx {
  Cells& cells;
  BoardState& st;
  LevelState& level;
  BoardPlayer& player;
  Rng& rng;
  double now = 0;  // clock, ms
  double ff = 1;   // frame factor: elapsed ms / 35
  double sx = 1;   // horizontal display scale
  double sy = 1;   // vertical display scale
};

}  // namespace bm

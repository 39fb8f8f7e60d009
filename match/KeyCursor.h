// The keyboard's hand on the board: a cursor cell moved by the arrow keys, and
// presses made where the cursor or a stock button is. It steers the pass's
// input before the board reads it, exactly as a pointer would, so the board
// has one way in and a recorded game replays the same.
#pragma once
#include <cstdint>

#include "board/Cell.h"
#include "match/MatchInput.h"

namespace bm {

struct Match;

struct KeyCursor {
  int cell = kNoCell;             // kNoCell: hidden, the pointer has the board
  double rawX = -1, rawY = -1;    // where the pointer rested when the keys took over
  std::uint32_t held = 0;         // the keys of the previous pass
  double repeatAt = 0;            // when a held arrow steps again
  int lean = 1;                   // which way the last sideways step leaned (+1 down, -1 up)
  // A press handed to the board: 1 down on the next board frame, 2 up on the
  // frame after, at the same place, so that it is never taken for a drag.
  int pressStage = 0;
  bool pressRight = false;
  double pressX = 0, pressY = 0;
};

// A held arrow steps again after this delay, then at this interval.
inline constexpr double kKeyRepeatDelayMs = 350, kKeyRepeatMs = 110;

// The cell an arrow leads to from `from`: the nearest existing cell in that
// direction (dx, dy in -1..1, screen axes), across holes; sideways steps
// alternate up and down so that a row is followed. kNoCell when none.
int CellInDirection(const Cells& cells, int from, int dx, int dy, int& lean);

// The input the board sees this pass: the pass's own, or the pointer put on
// the keyboard cursor and the presses its keys asked for.
MatchInput SteerByKeys(Match& m, const MatchInput& raw);

}  // namespace bm

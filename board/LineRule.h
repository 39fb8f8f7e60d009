// Lines of three: the one rule every line search of the board shares.
#pragma once
#include <vector>

#include "board/Cell.h"

namespace bm {

// Angle of the removal effect for a line along an axis (11, 5 or 6).
double AxisRotation(int axis);

// True when cells i - d, i, i + d form a line of three identical jewels (or,
// with anyItem, of any identical code > 0: bonus items and keys count too).
// Bubbles never stop a line.
bool IsLineAt(const Cells& cells, int i, int d, bool anyItem = false);

// Calls f(i, d) for every line on the board: cells in increasing order, axes in
// the order 11, 5, 6 for each cell. A run of four is two lines.
template <class F>
void ForEachLine(const Cells& cells, F&& f) {
  for (int i = 0; i < kCellCount; ++i)
    for (int d : {11, 5, 6})
      if (IsLineAt(cells, i, d)) f(i, d);
}

struct LineRef {
  int centre = 0, axis = 0;
};
// Every line on the board now, any code > 0 counting.
std::vector<LineRef> LinesOfAnyCode(const Cells& cells);

// Whether exchanging the codes of a and b would leave any line on the board
// (any code > 0 counts). The board itself is not changed.
bool WouldMatch(const Cells& cells, int a, int b);
// The same, given LinesOfAnyCode of the board: a line after the exchange either
// passes through a or b, or was there before and touches neither.
bool WouldMatch(const Cells& cells, int a, int b, const std::vector<LineRef>& before);

}  // namespace bm

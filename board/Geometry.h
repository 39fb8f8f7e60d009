// The hexagonal lattice: which cells touch.
#pragma once
#include "board/Cell.h"

namespace bm {

// The three match axes: vertical, down-left/up-right, down-right/up-left.
inline constexpr int kAxes[3] = {11, 5, 6};

bool IsNear(const Cells& cells, int a, int b);
bool IsNeighbour(const Cells& cells, int a, int b);
// Recomputes the IsNear threshold after a level load or a display change.
void UpdateNearReference(Cells& cells, double xScale);

}  // namespace bm

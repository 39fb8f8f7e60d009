#include "board/Geometry.h"

#include <cmath>

namespace bm {

bool IsNear(const Cells& cells, int a, int b) {
  if (!Cells::InRange(a) || !Cells::InRange(b)) return false;
  double dx = cells[a].CenterX - cells[b].CenterX, dy = cells[a].CenterY - cells[b].CenterY;
  return std::sqrt(dx * dx + dy * dy) < cells.nearReference;
}

bool IsNeighbour(const Cells& cells, int a, int b) {
  if (!Cells::InRange(a) || !Cells::InRange(b)) return false;
  int d = b - a;
  bool offset = (d == -11 && a >= 11) || (d == -6 && a >= 6) || (d == -5 && a >= 5) || d == 5 || d == 6 || d == 11;
  return offset && IsNear(cells, a, b);
}

// Both distances are in board units, so the screen scale must not enter: a
// scaled threshold would let row ends touch on very wide desktops and part true
// neighbours in very small windows.
void UpdateNearReference(Cells& cells, double /*xScale*/) {
  double dx = cells[0].CenterX - cells[1].CenterX, dy = cells[0].CenterY - cells[1].CenterY;
  cells.nearReference = 1.5 * std::sqrt(dx * dx + dy * dy);
}

}  // namespace bm

#include "board/LineRule.h"

#include <numbers>

#include "board/Geometry.h"
#include "board/ItemCodes.h"

namespace bm {

double AxisRotation(int axis) {
  switch (axis) {
    case 11: return std::numbers::pi / 2;
    case 5: return std::numbers::pi / 6;
    default: return -std::numbers::pi / 6;
  }
}

namespace {

// Codes are compared first: equal triples are rare, so the geometry test
// (a square root per pair) runs only for the few that pass.
template <class CodeOf>
bool LineWith(const Cells& cells, int i, int d, bool anyItem, CodeOf code) {
  if (i < 0 || i >= kCellCount || i - d < 0 || i + d > 500) return false;
  int c = code(i);
  if (c <= 0 || code(i - d) != c || code(i + d) != c) return false;
  if (!anyItem && !IsJewel(c)) return false;
  if (!cells[i - d].isExists || !cells[i].isExists || !cells[i + d].isExists) return false;
  return IsNeighbour(cells, i, i - d) && IsNeighbour(cells, i, i + d);
}

}  // namespace

bool IsLineAt(const Cells& cells, int i, int d, bool anyItem) {
  return LineWith(cells, i, d, anyItem, [&](int k) { return cells[k].Gem; });
}

bool WouldMatch(const Cells& cells, int a, int b) {
  if (!Cells::InRange(a) || !Cells::InRange(b)) return false;
  int ga = cells[a].Gem, gb = cells[b].Gem;
  auto code = [&](int k) { return k == a ? gb : k == b ? ga : cells[k].Gem; };
  for (int i = 0; i < kCellCount; ++i)
    for (int d : {11, 5, 6})
      if (LineWith(cells, i, d, true, code)) return true;
  return false;
}

}  // namespace bm

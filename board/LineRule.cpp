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
  if (!cells[i - d].IsExists || !cells[i].IsExists || !cells[i + d].IsExists) return false;
  return IsNeighbour(cells, i, i - d) && IsNeighbour(cells, i, i + d);
}

}  // namespace

bool IsLineAt(const Cells& cells, int i, int d, bool anyItem) {
  return LineWith(cells, i, d, anyItem, [&](int k) { return cells[k].Gem; });
}

std::vector<LineRef> LinesOfAnyCode(const Cells& cells) {
  std::vector<LineRef> lines;
  for (int i = 0; i < kCellCount; ++i)
    for (int d : {11, 5, 6})
      if (IsLineAt(cells, i, d, true)) lines.push_back({i, d});
  return lines;
}

bool WouldMatch(const Cells& cells, int a, int b, const std::vector<LineRef>& before) {
  if (!Cells::InRange(a) || !Cells::InRange(b)) return false;
  int ga = cells[a].Gem, gb = cells[b].Gem;
  auto code = [&](int k) { return k == a ? gb : k == b ? ga : cells[k].Gem; };
  for (int c : {a, b})
    for (int d : {11, 5, 6})
      for (int centre : {c - d, c, c + d})
        if (LineWith(cells, centre, d, true, code)) return true;
  for (const LineRef& l : before) {
    bool touches = false;
    for (int k : {l.centre - l.axis, l.centre, l.centre + l.axis}) touches = touches || k == a || k == b;
    if (!touches) return true;
  }
  return false;
}

bool WouldMatch(const Cells& cells, int a, int b) { return WouldMatch(cells, a, b, LinesOfAnyCode(cells)); }

}  // namespace bm

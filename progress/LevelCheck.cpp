#include "progress/LevelCheck.h"

#include <cstdlib>

#include "progress/LoadLevel.h"

namespace bm {

namespace {

bool Exists(const LevelLayout& layout, int i) { return i >= 0 && i < kBoardCellCount && layout.kind[i] >= 1; }

// Index steps of the three match axes; a step is a real neighbour only where the
// lattice places the two cells side by side (not across the board's edge).
constexpr int kAxisSteps[3] = {11, 5, 6};

bool Touching(int a, int b) {
  if (b < 0 || b >= kBoardCellCount) return false;
  return std::abs(LatticeColumn(a) - LatticeColumn(b)) <= 1 && std::abs(LatticeY(a) - LatticeY(b)) <= kLatticeRowStep;
}

}  // namespace

bool HasRoomForALine(const LevelLayout& layout) {
  for (int i = 0; i < kBoardCellCount; ++i) {
    if (!Exists(layout, i)) continue;
    for (int d : kAxisSteps) {
      int b = i + d, c = i + 2 * d;
      if (Exists(layout, b) && Exists(layout, c) && Touching(i, b) && Touching(b, c)) return true;
    }
  }
  return false;
}

std::vector<std::string> CheckLevel(LevelLayout& layout, LevelRules& rules) {
  std::vector<std::string> repairs;
  int cells = 0;
  for (int i = 0; i < kBoardCellCount; ++i) cells += layout.kind[i] >= 1;
  if (!HasRoomForALine(layout)) {
    repairs.push_back("the layout has " + std::to_string(cells) +
                      " cells and no line of three; the plain full board is played instead");
    LevelRules keep = rules;
    FallbackLevel(layout, rules);
    rules = keep;
  }
  int moved = 0, capped = 0;
  for (int i = 0; i < kBoardCellCount; ++i) {
    if (layout.x[i] < 0 || layout.x[i] > kBoardUnitsWide || layout.y[i] < 0 || layout.y[i] > kBoardUnitsHigh) {
      layout.x[i] = LatticeX(i);
      layout.y[i] = LatticeY(i);
      ++moved;
    }
    if (layout.kind[i] > kMaxCellBubbles + 1) {
      layout.kind[i] = kMaxCellBubbles + 1;
      ++capped;
    }
  }
  if (moved) repairs.push_back(std::to_string(moved) + " cell positions lie off the board; put back on the lattice");
  if (capped) repairs.push_back(std::to_string(capped) + " cells hold more than eight bubbles; eight kept");
  // Wide arithmetic: time + 1 must not overflow for the largest stored value.
  long long seconds = (long long)rules.time + 1;
  if (seconds < kMinLevelSeconds || seconds > kMaxLevelSeconds) {
    repairs.push_back("the hourglass of " + std::to_string(seconds) + " s is outside " +
                      std::to_string(kMinLevelSeconds) + ".." + std::to_string(kMaxLevelSeconds) +
                      " s; three minutes are used");
    rules.time = kFallbackLevelTime;
  }
  int dropped = 0;
  for (int k = kDrawnJewelKinds; k < kJewelSlots; ++k)
    if (rules.allowed[k] == -1) {
      rules.allowed[k] = 0;
      ++dropped;
    }
  if (dropped) repairs.push_back(std::to_string(dropped) + " allowed item kinds have no picture; left out");
  return repairs;
}

}  // namespace bm

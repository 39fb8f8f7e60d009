// What the level loader sets up for the board and the hourglass.
#pragma once
#include <array>
#include <vector>

namespace bm {

struct LevelState {
  int Number = 1;               // the level loaded, 1..65
  std::vector<int> JewelKinds;  // kinds the refill draws from, at least two
  std::vector<int> TopCells;    // where new items drop in, in index order
  double TimeLimit = 60;        // seconds
  double SandLeft = 1.0;        // fraction of the hourglass still full
  std::array<bool, 11> KeyPlaced{};  // keys 1..10 placed during this level
};

// Stage of a level: 1..8 -> 1, 9..17 -> 2, ..., 54..65 -> 7.
constexpr int StageOfLevel(int n) {
  int s = n / 9 + 1;
  return s > 7 ? 7 : s;
}

}  // namespace bm

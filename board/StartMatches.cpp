#include "board/StartMatches.h"

#include "board/Geometry.h"

namespace bm {

namespace {

int DrawKind(const LevelState& level, Rng& rng) {
  if (level.JewelKinds.empty()) return 1 + rng.Below(2);
  return level.JewelKinds[std::size_t(rng.Below(int(level.JewelKinds.size())))];
}

}  // namespace

void RemoveStartMatches(Cells& cells, const LevelState& level, Rng& rng) {
  // With a single kind every pass would find lines again; a level always has
  // at least two, but a hand-made state might not.
  bool canEnd = level.JewelKinds.size() != 1;
  for (int pass = 0; pass < 10000; ++pass) {
    bool changed = false;
    for (int i = 0; i < kCellCount; ++i) {
      for (int d : {11, 5, 6}) {
        int g = cells[i].Gem;
        if (g <= 0 || i - d < 0 || i + d > 500) continue;
        if (!cells[i - d].IsExists || !cells[i].IsExists || !cells[i + d].IsExists) continue;
        if (cells[i - d].Gem != g || cells[i + d].Gem != g) continue;
        if (!IsNeighbour(cells, i, i - d) || !IsNeighbour(cells, i, i + d)) continue;
        for (int k : {i, i + d, i - d}) cells[k].Gem = DrawKind(level, rng);
        changed = true;
      }
    }
    if (!changed || !canEnd) return;
  }
}

}  // namespace bm

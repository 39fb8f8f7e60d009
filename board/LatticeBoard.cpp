#include "board/LatticeBoard.h"

#include <sstream>

#include "board/Geometry.h"
#include "board/StartMatches.h"

namespace bm {

namespace {

int Column(int i) {
  int k = i % 11;
  return k <= 5 ? 2 * k : 2 * (k - 6) + 1;
}

}  // namespace

double LatticeX(int i) { return 32 + 48 * Column(i); }

double LatticeY(int i) { return 32 + 54 * (i / 11) + (Column(i) % 2 ? 27 : 0); }

void LayOutLattice(Cells& cells, LevelState& level, std::string_view holes, double xScale) {
  cells = Cells{};
  std::istringstream in{std::string(holes)};
  bool hole[kCellCount] = {};
  for (int h; in >> h;)
    if (h >= 0 && h < kCellCount) hole[h] = true;
  for (int i = 0; i < kCellCount; ++i) {
    Cell& c = cells[i];
    c.IsExists = !hole[i];
    c.CenterX = c.OriginX = c.Pos.X = c.Pos.CurX = c.Pos.ToX = LatticeX(i);
    c.CenterY = c.OriginY = c.Pos.Y = c.Pos.CurY = c.Pos.ToY = LatticeY(i);
    c.IsAvailable = c.IsExists;
    cells.fx[std::size_t(i)].X = c.Pos.CurX;
    cells.fx[std::size_t(i)].Y = c.Pos.CurY;
  }
  level.TopCells.clear();
  for (int i = 0; i < kCellCount; ++i) {
    Cell& c = cells[i];
    c.IsUpper = c.IsExists && !(i >= 11 && cells[i - 11].IsExists);
    if (c.IsUpper) level.TopCells.push_back(i);
  }
  UpdateNearReference(cells, xScale);
}

void FillRandom(Cells& cells, const LevelState& level, Rng& rng) {
  for (int i = 0; i < kCellCount; ++i) {
    if (!cells[i].IsExists) continue;
    cells[i].Gem = level.JewelKinds.empty() ? 1 + rng.Below(2)
                                            : level.JewelKinds[std::size_t(rng.Below(int(level.JewelKinds.size())))];
  }
  RemoveStartMatches(cells, level, rng);
}

}  // namespace bm

#include "board/Geometry.h"

#include <gtest/gtest.h>

#include "board/ItemCodes.h"
#include "progress/LevelFile.h"

namespace bm {
namespace {

Cells LatticeCells(double xScale) {
  Cells c;
  for (int i = 0; i < kCellCount; ++i) {
    c[i].CenterX = LatticeX(i);
    c[i].CenterY = LatticeY(i);
    c[i].IsExists = LatticeIndex(LatticeColumn(i), LatticeRow(i)) == i;
  }
  UpdateNearReference(c, xScale);
  return c;
}

TEST(Adjacency, TrueNeighboursOnlyAtEveryScreenWidthAndNoneOutsideTheArray) {
  // Includes a 5K desktop (sx 4) and a tiny window (sx 0.3).
  for (double sx : {0.3, 0.5, 0.625, 0.8, 1.0, 1.25, 1.5, 4.0}) {
    Cells c = LatticeCells(sx);
    EXPECT_TRUE(IsNeighbour(c, 0, 6)) << sx;   // down-right
    EXPECT_FALSE(IsNeighbour(c, 0, 5)) << sx;  // far end of the row
    EXPECT_FALSE(IsNeighbour(c, 5, 0)) << sx;
    EXPECT_TRUE(IsNeighbour(c, 0, 11)) << sx;
    // Every pair the offsets produce is a neighbour exactly when the columns touch.
    for (int a = 0; a < kCellCount; ++a)
      for (int d : {-11, -6, -5, 5, 6, 11}) {
        int b = a + d;
        if (b < 0 || b >= kCellCount) continue;
        int dc = std::abs(LatticeColumn(a) - LatticeColumn(b)), dr = std::abs(LatticeRow(a) - LatticeRow(b));
        bool touching = (d == 11 || d == -11) ? dc == 0 : (dc == 1 && dr <= 1);
        EXPECT_EQ(IsNeighbour(c, a, b), touching) << "a=" << a << " b=" << b << " sx=" << sx;
      }
  }
  // Indices outside the array are never neighbours.
  Cells c = LatticeCells(1.0);
  EXPECT_FALSE(IsNeighbour(c, 3, -2));
  EXPECT_FALSE(IsNeighbour(c, 110, 121)) << "cell 121 sits at (0, 0), far from 110";
  EXPECT_FALSE(IsNeighbour(c, 495, 506));
  EXPECT_FALSE(IsNear(c, -1, 0));
}

}  // namespace
}  // namespace bm

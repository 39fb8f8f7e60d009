// A regular board laid out like the level compiler's lattice, for tests, the
// benchmarks and headless bot runs: column step 48 units, row step 54, odd
// columns 27 lower, the first centre at (32, 32).
#pragma once
#include <string_view>

#include "board/Cell.h"
#include "board/Rng.h"
#include "board/LevelState.h"

namespace bm {

// Board position of cell i on the lattice.
double LatticeX(int i);
double LatticeY(int i);

// Lays out cells 0..115 at rest, full size, no gold, no items. holes lists the
// cells that do not exist (every other index of 0..115 exists). Fills the
// top-cell list and the near reference.
void LayOutLattice(Cells& cells, LevelState& level, std::string_view holes = {}, double xScale = 1);

// Fills every existing cell with a jewel from the level's list and removes
// ready-made lines: a playable generated board.
void FillRandom(Cells& cells, const LevelState& level, Rng& rng);

}  // namespace bm

// A fresh board must not start with lines already on it.
#pragma once
#include "board/Cell.h"
#include "board/Rng.h"
#include "board/LevelState.h"

namespace bm {

// Re-rolls the three cells of every ready-made line from the level's jewel
// list, pass after pass, until a pass changes nothing.
void RemoveStartMatches(Cells& cells, const LevelState& level, Rng& rng);

}  // namespace bm

// The play screen's still layer: the part that does not move (background, the
// panel's frame, the tiles and the items at rest) drawn once into an
// off-screen picture and copied under each frame, with only what moves drawn
// over it. Whether the picture is still right is decided here, in one place:
// its key sums up everything drawn into it, and a different key rebuilds it.
#pragma once
#include <cstdint>

#include "board/BoardState.h"
#include "board/Cell.h"
#include "board/ScreenMetrics.h"
#include "render/BoardDraw.h"

namespace bm {

// The device's picture slot the layer lives in (0 and 1 are the screen copies).
inline constexpr int kStillLayerSlot = 2;

struct StillLayer {
  bool enabled = true;  // off: every frame is drawn whole (tests compare the two)
  bool valid = false;   // the slot holds the picture of key
  std::uint64_t key = 0;
  long builds = 0;      // how often it was drawn afresh
};

// Everything the layer's picture depends on: the stage's background, the screen
// size, and with still tiles every tile and every item at rest (with its colours,
// bubbles and fade) and which cells are not at rest.
std::uint64_t StillLayerKey(int level, const ScreenMetrics& metrics, const Cells& cells, const BoardState& st,
                            const BoardDrawExtras& extras);

}  // namespace bm

#include "render/StillLayer.h"

#include <cstring>

namespace bm {

namespace {

struct Hash {
  std::uint64_t h = 1469598103934665603ull;  // FNV-1a
  template <class T>
  void Add(const T& v) {
    unsigned char bytes[sizeof(T)];
    std::memcpy(bytes, &v, sizeof(T));
    for (unsigned char b : bytes) h = (h ^ b) * 1099511628211ull;
  }
};

}  // namespace

std::uint64_t StillLayerKey(int level, const ScreenMetrics& metrics, const Cells& cells, const BoardState& st,
                            const BoardDrawExtras& extras) {
  Hash k;
  k.Add(level);
  k.Add(metrics.Width);
  k.Add(metrics.Height);
  bool tiles = TilesAtRest(cells, st, extras);
  k.Add(tiles);
  if (!tiles) return k.h;  // the layer is the background and the frame alone
  for (int i = 0; i < kCellCount; ++i) {
    const Cell& c = cells[i];
    // The tile, or the hole that its neighbours' tiles outline.
    k.Add(c.IsExists);
    if (!c.IsExists) continue;
    k.Add(c.Gnd);
    for (std::uint32_t col : c.GndCol) k.Add(col);
    bool rest = CellDrawnAtRest(cells, i, st);
    k.Add(rest);
    if (!rest) continue;  // drawn over the layer each frame
    k.Add(c.Gem);
    if (c.Gem == 0) continue;
    for (std::uint32_t col : c.GemCol) k.Add(col);
    k.Add(c.Ice);
    k.Add(c.ColFade);
  }
  return k.h;
}

}  // namespace bm

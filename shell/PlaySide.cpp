#include "shell/PlaySide.h"

#include "board/Geometry.h"

namespace bm {

PlaySide::PlaySide(const RunOptions& options)
    : match(options.seedGiven ? options.seed : 1, options.gameDir + "/levels"),
      fxRng((options.seedGiven ? options.seed : 1) + 0x5151) {}

PlaySide::~PlaySide() = default;

void FitScreen(Match& m, const ScreenMetrics& metrics) {
  m.metrics = metrics;
  UpdateNearReference(m.cells, metrics.XScale);
}

}  // namespace bm

#include "shell/Game.h"

#include "board/Geometry.h"

namespace bm {

Game::Game(Platform& platform, Logs& logs, RunOptions opts)
    : plat(platform),
      logs(logs),
      options(std::move(opts)),
      rng(options.seedGiven ? options.seed : 1),
      textures(*platform.render, options.gameDir, &logs),
      canvas(*platform.render, textures, ScreenMetrics::For(platform.render->Width(), platform.render->Height())),
      sfx(*platform.sound, *platform.clock, logs, options.gameDir),
      music(*platform.music, *platform.clock, logs, options.gameDir) {
  metrics = canvas.metrics;
}

void Game::SetScreenSize(int w, int h) {
  metrics = ScreenMetrics::For(w, h);
  canvas.metrics = metrics;
  UpdateNearReference(cells, metrics.XScale);
}

}  // namespace bm

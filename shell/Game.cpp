#include "shell/Game.h"

#include <cmath>

#include "board/Geometry.h"
#include "shell/BotInput.h"

namespace bm {

Game::Game(Platform& platform, Logs& logs, RunOptions opts)
    : plat(platform),
      logs(logs),
      options(std::move(opts)),
      fxRng((options.seedGiven ? options.seed : 1) + 0x5151),
      match(options.seedGiven ? options.seed : 1, options.gameDir + "/levels"),
      textures(*platform.render, options.gameDir, &logs),
      canvas(*platform.render, textures, ScreenMetrics::For(platform.render->Width(), platform.render->Height())),
      sfx(*platform.sound, *platform.clock, logs, options.gameDir),
      music(*platform.music, *platform.clock, logs, options.gameDir) {
  metrics = canvas.metrics;
}

Game::~Game() = default;

void Game::SetScreenSize(int w, int h) {
  metrics = ScreenMetrics::For(w, h);
  canvas.metrics = metrics;
  double side = std::sqrt(double(w) * h);
  textures.SetPictureSize(side < 950 ? 128 : side < 1300 ? 256 : 512);
  match.metrics = metrics;
  UpdateNearReference(match.cells, metrics.XScale);
}

}  // namespace bm

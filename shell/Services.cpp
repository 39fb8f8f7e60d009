#include "shell/Services.h"

#include <cmath>

#include "shell/InputSource.h"

namespace bm {

Look::Look(RenderDevice& render, const std::string& gameDir, Logs& logs)
    : metrics(ScreenMetrics::For(render.Width(), render.Height())),
      textures(render, gameDir, &logs),
      canvas(render, textures, metrics) {}

Sound::Sound(Platform& platform, Logs& logs, const std::string& gameDir)
    : sfx(*platform.sound, *platform.clock, logs, gameDir), music(*platform.music, *platform.clock, logs, gameDir) {}

Stage::Stage(Platform& p, Logs& l, const std::string& gameDir)
    : platform(p), logs(l), look(*p.render, gameDir, l), sound(p, l, gameDir) {
  look.textures.SetPacks(p.packs);
}

Services::Services(Platform& p, Logs& l, RunOptions opts) : Stage(p, l, opts.gameDir), options(std::move(opts)) {}

Services::~Services() = default;

void Saves::Count(const SaveFolder& f) {
  counters.games += f.counters.games;
  counters.writes += f.counters.writes;
  counters.failures += f.counters.failures;
}

void Stage::SetScreenSize(int w, int h) {
  look.metrics = ScreenMetrics::For(w, h);
  look.canvas.metrics = look.metrics;
  double side = std::sqrt(double(w) * h);
  look.textures.SetPictureSize(side < 950 ? 128 : side < 1300 ? 256 : 512);
}

}  // namespace bm

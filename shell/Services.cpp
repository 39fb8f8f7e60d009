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

Services::Services(Platform& p, Logs& l, RunOptions opts)
    : platform(p), logs(l), options(std::move(opts)), look(*p.render, options.gameDir, l), sound(p, l, options.gameDir) {}

Services::~Services() = default;

void Services::Count(const SaveFolder& f) {
  saveCounters.games += f.counters.games;
  saveCounters.writes += f.counters.writes;
  saveCounters.failures += f.counters.failures;
}

void Services::SetScreenSize(int w, int h) {
  look.metrics = ScreenMetrics::For(w, h);
  look.canvas.metrics = look.metrics;
  double side = std::sqrt(double(w) * h);
  look.textures.SetPictureSize(side < 950 ? 128 : side < 1300 ? 256 : 512);
}

}  // namespace bm

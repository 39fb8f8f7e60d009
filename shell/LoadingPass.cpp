#include "shell/LoadingPass.h"

#include <algorithm>

#include "shell/Game.h"
#include "shell/Loop.h"

namespace bm {

namespace {
constexpr const char* kLogo = "red/logo/gamelogo0.jpg";
}

void DrawLoadingFrame(Game& g, double fraction) {
  if (!g.drawing) return;
  const ScreenMetrics& m = g.metrics;
  g.render().Clear(0xFF000000);
  TextureId back = g.canvas.Tex(kLogo);
  if (back) g.canvas.FullScreen(back);
  g.font.Draw(g.canvas, "Loading...", m.DesignRect(0, 880, 1280, 940), 0.6, 0xFF000000, 0xFFFFE6A0, Align::Center);
  // The bar: a dark trough with a gold fill.
  double l = 340, r = 940, t = 950, b = 975;
  g.canvas.DesignFill(l - 3, t - 3, r + 3, b + 3, 0xFFFFE6A0);
  g.canvas.DesignFill(l, t, r, b, 0xFF201008);
  double x = l + (r - l) * std::clamp(fraction, 0.0, 1.0);
  if (x > l) g.canvas.FillGradient(l * m.XScale, t * m.YScale, x * m.XScale, b * m.YScale, 0xFFFFE070, 0xFFC07818);
  RenderScene(g);
}

void BeginLoading(Game& g, LoadingPass& pass) {
  pass.progress = LoadProgress{};
  pass.progress.StepsTotal = LoadPBar(g.options.dataDir, g.logs);
  g.logs.WriteRunLog("LoadPBar()", "OK");
  pass.lastDrawMs = g.Now();
  DrawLoadingFrame(g, BarFraction(pass.progress));
}

void LoadingStep(Game& g, LoadingPass& pass) {
  ++pass.progress.StepsDone;
  PumpMessages(g);
  if (g.flags.ExitRequested) pass.stopped = true;
  if (g.Now() - pass.lastDrawMs >= 30) {
    pass.lastDrawMs = g.Now();
    DrawLoadingFrame(g, BarFraction(pass.progress));
  }
}

void RunLoadingSteps(Game& g, LoadingPass& pass, const std::vector<std::function<void()>>& steps) {
  for (const auto& step : steps) {
    if (pass.stopped) return;
    step();
    LoadingStep(g, pass);
  }
}

void EndLoading(Game& g, LoadingPass& pass) {
  g.textures.Release(kLogo);  // only the logo screen shows it
  if (pass.stopped) return;
  if (SavePBar(g.options.dataDir, pass.progress.StepsDone, g.logs)) g.logs.WriteRunLog("SavePBar()", "OK");
}

std::vector<std::string> MenuPictures() {
  std::vector<std::string> v = {"red/menu/main0-new2.jpg", "red/menu/main1-new2.jpg", "fonts/new/c0m.png",
                                "fonts/new/c0mp.png"};
  for (int i = 1; i <= 19; ++i) v.push_back("fonts/large/c" + std::to_string(i) + "n.png");
  return v;
}

}  // namespace bm

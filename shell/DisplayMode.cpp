#include "shell/DisplayMode.h"

#include "shell/Game.h"

namespace bm {

namespace {
bool HasModeOf(int w, int h, const void* ctx) {
  return static_cast<Window*>(const_cast<void*>(ctx))->HasDisplayMode(w, h);
}
}  // namespace

DisplayInfo DisplayOf(Window& w) { return DisplayInfo{w.DesktopWidth(), w.DesktopHeight(), HasModeOf, &w}; }

void ApplyDisplayMode(Game& g) {
  DisplayInfo display = DisplayOf(g.window());
  bool fullScreen = g.settings.FullScreen != 0;
  int resolution = g.settings.Resolution;
  Size2 size = BackBufferSize(resolution, fullScreen, display);
  g.settings.Resolution = resolution;
  g.window().SetMode(size.w, size.h, fullScreen);
  g.render().Resize(size.w, size.h);
  g.SetScreenSize(size.w, size.h);
  g.logs.WriteRunLog("SetFormSize(Function)", "Resolution is set to " + std::to_string(size.w) + "x" +
                                                  std::to_string(size.h) + (fullScreen ? "" : " Window mode"));
  RestoreTextures(g);
}

void RestoreTextures(Game& g) {
  std::size_t n = g.textures.ReloadAll();
  g.logs.WriteRunLog("RestoreTextures", std::to_string(n) + " pictures loaded again");
  g.flags.Redraw = true;
}

}  // namespace bm

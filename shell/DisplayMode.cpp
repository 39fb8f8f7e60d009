#include "shell/DisplayMode.h"

#include "diag/LogTags.h"
#include "shell/Services.h"

namespace bm {

namespace {
bool HasModeOf(int w, int h, const void* ctx) {
  return static_cast<Window*>(const_cast<void*>(ctx))->HasDisplayMode(w, h);
}
}  // namespace

DisplayInfo DisplayOf(Window& w) {
  return DisplayInfo{w.DesktopWidth(), w.DesktopHeight(), HasModeOf, &w, w.HasFrame()};
}

void ApplyDisplayMode(Services& s) {
  DisplayInfo display = DisplayOf(s.window());
  bool fullScreen = s.settings.FullScreen != 0;
  int resolution = s.settings.Resolution;
  Size2 size = BackBufferSize(resolution, fullScreen, display);
  s.settings.Resolution = resolution;
  if (!s.window().SetMode(size.w, size.h, fullScreen)) {
    // The window system kept its own size: back to the mode the window was in
    // (kept as the setting too), drawn at the size the window has.
    s.logs.WriteRunLog(logtag::kWindowSizeFailed, "Can't set correct window resolution!");
    fullScreen = s.loop.WindowFullScreen;
    s.settings.FullScreen = fullScreen ? -1 : 0;
    s.settings.Resolution = s.loop.WindowResolution;
    SaveSettings(s.options.dataDir, s.settings, s.logs);
    s.window().SetMode(s.look.metrics.Width, s.look.metrics.Height, fullScreen);
    size = {s.window().Width(), s.window().Height()};
  } else {
    // A page draws the picture at the screen's pixels: its own size for these proportions.
    size = {s.window().Width(), s.window().Height()};
    s.logs.WriteRunLog(logtag::kWindowSize, "Resolution is set to " + std::to_string(size.w) + "x" +
                                                std::to_string(size.h) + (fullScreen ? "" : " Window mode"));
  }
  s.loop.WindowFullScreen = fullScreen;
  s.loop.WindowResolution = s.settings.Resolution;
  s.render().Resize(size.w, size.h);
  s.SetScreenSize(size.w, size.h);
  RestoreTextures(s);
}

void FollowDisplay(Services& s, Window::DisplayChange change) {
  using Change = Window::DisplayChange;
  bool modeChanged = false;
  if (change == Change::FullScreenEntered || change == Change::FullScreenLeft) {
    bool fullScreen = change == Change::FullScreenEntered;
    modeChanged = (s.settings.FullScreen != 0) != fullScreen;
    if (modeChanged) {
      s.logs.WriteRunLog("FollowDisplay", fullScreen ? "Full screen was entered outside the game"
                                                     : "Full screen was left outside the game");
      s.settings.FullScreen = fullScreen ? -1 : 0;
      SettingsRecord stored = LoadSettings(s.options.dataDir, s.logs);
      stored.FullScreen = s.settings.FullScreen;
      SaveSettings(s.options.dataDir, stored, s.logs);
    }
  }
  if (change == Change::None) return;
  // A page draws at the screen's pixels: resized, its picture has a new size whatever the setting.
  bool ownSize = s.window().Width() != s.look.metrics.Width || s.window().Height() != s.look.metrics.Height;
  if (!modeChanged && !ownSize && s.settings.Resolution != 0) return;
  // A tab resized back to the size it had changes nothing.
  int resolution = s.settings.Resolution;
  Size2 size = BackBufferSize(resolution, s.settings.FullScreen != 0, DisplayOf(s.window()));
  if (modeChanged || ownSize || size.w != s.window().Width() || size.h != s.window().Height()) ApplyDisplayMode(s);
}

void RestoreTextures(Services& s) {
  std::size_t n = s.look.textures.ReloadAll();
  s.logs.WriteRunLog("RestoreTextures", std::to_string(n) + " pictures loaded again");
  s.loop.Redraw = true;
}

}  // namespace bm

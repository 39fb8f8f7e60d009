#include "shell/LoadingScreen.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "diag/LogTags.h"
#include "render/Font.h"
#include "render/PictureWords.h"
#include "shell/Loop.h"
#include "shell/PackWaitScreen.h"
#include "shell/Services.h"

namespace bm {

void DrawLoadingFrame(Stage& s, double fraction) {
  const ScreenMetrics& m = s.look.metrics;
  Canvas& c = s.look.canvas;
  s.render().Clear(0xFF000000);
  TextureId back = c.Tex(kLoadingPicture), filled = c.Tex(kLoadingPictureFilled);
  if (back) c.FullScreen(back);
  // The filled picture over it, cut at the bar's end.
  double cut = LoadingBarCut(int(std::nearbyint(std::clamp(fraction, 0.0, 1.0) * 100))) / 1024.0;
  if (filled && cut > 0) c.ImagePart(filled, 0, 0, cut * m.Width, m.Height, 0, 0, cut, 1);
  DrawPictureWords(c, s.look.font, kLoadingPicture, {0, 0, m.Width, m.Height});
}

Next LoadingScreen::Enter(Stage& s) {
  progress_.StepsTotal = LoadPBar(dataDir_, s.logs);
  s.logs.WriteRunLog(logtag::kLoadPBar, "OK");
  lastDrawMs_ = s.Now();
  // The first pass only moves the bar for the sound device, started before it.
  SoundFx& sfx = s.sound.sfx;
  MusicMod& music = s.sound.music;
  steps_ = {[] {}, [&music] { music.PreLoadMusic(); }, [&sfx] { sfx.loadAllSFX(); }};
  if (s.look.drawing)
    for (const std::string& picture : MenuPictures())
      steps_.push_back([&s, picture] { s.look.textures.Get(picture); });
  // Shown before the first pass: nothing slow comes before the logo.
  if (s.look.drawing) {
    DrawLoadingFrame(s, BarFraction(progress_));
    RenderScene(s, processStart_);
  }
  return Next::Stay();
}

Next LoadingScreen::Pass(Stage& s) {
  if (s.loop.ExitRequested) return Next::Stay();  // the rest is skipped
  // On the page the menu's pack may still be on its way: the bar follows it first.
  if (next_ == 0) {
    double here = PacksHere(s, {kMenuPack});
    if (here < 1) {
      if (s.look.drawing && s.Now() - lastDrawMs_ >= 100) {
        lastDrawMs_ = s.Now();
        DrawLoadingFrame(s, std::max(BarFraction(progress_), here));
        s.loop.SceneDirty = true;
      }
      return Next::Stay(s.Now() + 100);
    }
  }
  steps_[next_++]();
  ++progress_.StepsDone;
  if (s.Now() - lastDrawMs_ >= 30 && s.look.drawing) {
    lastDrawMs_ = s.Now();
    DrawLoadingFrame(s, BarFraction(progress_));
    s.loop.SceneDirty = true;
  }
  if (next_ < steps_.size()) return Next::Stay(Next::kAtOnce);
  End(s, false);
  return Next::Pop();
}

Answer LoadingScreen::Closing(Stage& s) {
  End(s, true);
  return {};
}

void LoadingScreen::End(Stage& s, bool stopped) {
  // The bar full: the picture the fade into the menu starts from.
  if (!stopped && s.look.drawing) {
    DrawLoadingFrame(s, 1);
    s.loop.SceneDirty = true;
  }
  // Only the loading screen shows them.
  s.look.textures.Release(kLoadingPicture);
  s.look.textures.Release(kLoadingPictureFilled);
  if (!stopped && SavePBar(dataDir_, progress_.StepsDone, s.logs)) s.logs.WriteRunLog(logtag::kSavePBar, "OK");
  // The music ticks from now on.
  s.sound.music.MusicReady = true;
  double ms =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - processStart_).count();
  s.logs.WriteRunLog("Startup", "Loading done " + std::to_string(int(ms)) + " ms after start");
}

std::vector<std::string> MenuPictures() {
  std::vector<std::string> v = {"red/menu/main0-new2.jpg", "red/menu/main1-new2.jpg"};
  for (const std::string& page : EnglishGlyphPages()) v.push_back(page);
  return v;
}

}  // namespace bm

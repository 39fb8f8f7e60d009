// The options screen on the headless loop: arrows that repeat, sliders that
// drag, switches, the keyboard, and what "OK" and Escape write.
#include <gtest/gtest.h>

#include <filesystem>

#include "ScreenHarness.h"
#include "diag/Notices.h"
#include "lang/Language.h"
#include "lang/Tr.h"
#include "render/OptionsDraw.h"
#include "shell/DialogScreen.h"
#include "shell/Loop.h"
#include "shell/OptionsScreen.h"
#include "storage/GameSettings.h"

namespace bm {
namespace {

using test::ScreenHarness;

struct OptionsHarness : ScreenHarness {
  OptionRectTable rects = OptionRects(s().look.metrics);
  explicit OptionsHarness(double sound = 0.5, double music = 0.5) {
    SettingsRecord s = DefaultSettings();
    s.SoundVolume = sound;
    s.MusicVolume = music;
    s.Resolution = 3;
    SaveSettings(dir.str(), s, logs);
    stored = test::ReadText(dir.path / "config.dat");
  }
  const IRect& at(int item) { return rects[std::size_t(item)]; }
  void Hold(double at, const IRect& r, double ms) { Click(at, r, ms); }
  void Run() {
    Deadline(now() + 60000);
    ScreenHarness::Run(std::make_unique<OptionsScreen>(s()));
  }
  bool ConfigChanged() { return test::ReadText(dir.path / "config.dat") != stored; }
  std::string stored;
};

TEST(OptionsScreen, ArrowsStepAtThePressThenRepeatFasterReleaseResetsTheDelayAndTheEndsHold) {
  OptionsHarness h;
  double t = h.now();
  h.Hold(t + 100, h.at(opt::SoundUp), 600);   // the press and one repeat at 500 ms
  h.Hold(t + 1000, h.at(opt::SoundUp), 400);  // released before the delay: the press only
  h.Key(t + 2000, vk::Escape);
  h.Run();
  EXPECT_NEAR(h.s().settings.SoundVolume, 0.53, 1e-9);
  EXPECT_FALSE(h.ConfigChanged()) << "Escape writes nothing";

  OptionsHarness k;
  t = k.now();
  k.Hold(t + 100, k.at(opt::MusicDown), 2000);
  k.Key(t + 3000, vk::Escape);
  k.Run();
  // At 0, 500, 750, 875, 938, 970 ms, then every 30 ms up to 2000 ms: about 40 steps.
  int steps = int(std::lround((0.5 - k.s().settings.MusicVolume) * 100));
  EXPECT_GE(steps, 36);
  EXPECT_LE(steps, 44);

  // The volumes stop at their ends.
  OptionsHarness e(0.995, 0.004);
  t = e.now();
  for (double at : {100, 300}) e.Click(t + at, e.at(opt::SoundUp));
  for (double at : {500, 700}) e.Click(t + at, e.at(opt::MusicDown));
  e.Key(t + 1000, vk::Escape);
  e.Run();
  EXPECT_EQ(std::pair(e.s().settings.SoundVolume, e.s().settings.MusicVolume), std::pair(1.0, 0.0));
}

TEST(OptionsScreen, TheLanguageRowChangesTheLanguageAtOnceAndKeepsIt) {
  OptionsHarness h;
  double t = h.now();
  h.Click(t + 100, h.at(opt::LanguageNext));  // English to Deutsch
  h.Click(t + 300, h.at(opt::LanguagePrev));  // back, then round to the last, Nederlands
  h.Click(t + 500, h.at(opt::LanguagePrev));
  h.Key(t + 1000, vk::Escape);
  h.Run();
  EXPECT_EQ(CurrentLanguage(), "nl");
  EXPECT_EQ(LoadGameSettings(h.dir.str(), h.logs).Language, "nl") << "kept at once, Escape or not";
  EXPECT_FALSE(h.ConfigChanged()) << "config.dat keeps its record as it was";
  // The page's status line: the notice in the language in use, told again when the language changes.
  RaiseNotice("kept.dat", Words("Your game could not be saved: %s. The last save is kept.", {AsIs("full")}));
  CurrentNotice(h.now());
  std::string status;
  EXPECT_TRUE(TakeNoticeText(status) && !TakeNoticeText(status));
  EXPECT_EQ(status, "Je spel kon niet worden opgeslagen: full. De laatste opslag blijft bewaard.");
  UseCatalogue(nullptr, kEnglish);
  EXPECT_TRUE(TakeNoticeText(status) && status == "Your game could not be saved: full. The last save is kept.");
  ClearNotices();
}


TEST(OptionsScreen, SlidersDragToExactEndsAndAHeldButtonStartsNothing) {
  OptionsHarness h;
  const IRect& s = h.at(opt::SoundSlider);
  const IRect& m = h.at(opt::MusicSlider);
  // The button is already held over the music slider when the screen opens.
  h.w().SetPointer(ScreenHarness::cx(m), ScreenHarness::cy(m));
  h.w().SetButton(1, true);
  h.Move(h.now() + 100, m.left + 1, ScreenHarness::cy(m));
  h.Up(h.now() + 200);
  double t = h.now() + 300;
  h.Move(t, ScreenHarness::cx(s), ScreenHarness::cy(s));
  h.Down(t + 50);
  h.Move(t + 100, s.right + 500, ScreenHarness::cy(s) + 200);  // far right, off the slider
  h.Move(t + 200, s.left + (s.right - s.left) / 4.0, 0);
  h.Move(t + 300, s.left - 500, 0);  // far left
  h.Up(t + 400);
  h.Move(t + 500, s.right + 10, ScreenHarness::cy(s));  // after the release: no drag
  // Dragged to three quarters, out of the window (the pointer reads -1, -1) and let go there.
  h.Move(t + 600, ScreenHarness::cx(m), ScreenHarness::cy(m));
  h.Down(t + 650);
  h.Move(t + 700, m.left + (m.right - m.left) * 0.75, ScreenHarness::cy(m));
  h.Move(t + 800, -1, -1);
  h.Up(t + 900);
  h.Key(t + 1000, vk::Escape);
  h.Run();
  EXPECT_NEAR(h.s().settings.MusicVolume, 0.75, 0.01) << "the held button started no drag; leaving kept the value";
  EXPECT_EQ(h.s().settings.SoundVolume, 0.0);
  EXPECT_EQ(SliderValue(s, s.right + 500), 1.0);
  EXPECT_EQ(SliderValue(s, s.left - 500), 0.0);
}

TEST(OptionsScreen, OkAfterVolumeChangesWritesWithoutAQuestion) {
  OptionsHarness h;
  double t = h.now();
  h.Click(t + 100, h.at(opt::SoundUp));
  h.Click(t + 300, h.at(opt::MusicLabel));  // music off
  h.Click(t + 500, h.at(opt::Ok));
  h.Run();
  EXPECT_FALSE(h.s().loop.ExitRequested) << "no dialog waited for an answer";
  SettingsRecord s = LoadSettings(h.dir.str(), h.logs);
  EXPECT_NEAR(s.SoundVolume, 0.51, 1e-9);
  EXPECT_EQ(s.MusicOn, 0);
  EXPECT_EQ(h.w().Width(), 1280) << "no device reset";
}

TEST(OptionsScreen, ResolutionChangeAsksFirstExitWritesNothingApplyResizes) {
  for (int answer : {vk::Escape, vk::Enter}) {
    OptionsHarness h;
    h.s().SetScreenSize(1024, 768);
    h.w().SetMode(1024, 768, false);
    h.rects = OptionRects(h.s().look.metrics);
    double t = h.now();
    h.Click(t + 100, h.at(opt::ResNext));  // 1024x768 -> 1280x1024
    h.Click(t + 300, h.at(opt::Ok));
    h.Key(t + 800, answer);  // the dialog: Enter is "Apply", Escape is "Exit"
    h.Run();
    EXPECT_FALSE(h.s().loop.ExitRequested);
    if (answer == vk::Escape) {
      EXPECT_FALSE(h.ConfigChanged());
      EXPECT_EQ(h.w().Width(), 1024);
    } else {
      EXPECT_EQ(LoadSettings(h.dir.str(), h.logs).Resolution, 4);
      EXPECT_EQ(h.w().Width(), 1280);
      EXPECT_EQ(h.s().look.metrics.Width, 1280);
    }
  }
}

TEST(OptionsScreen, FullScreenMovesTheResolutionToOneTheModeSupports) {
  OptionsHarness h;
  h.s().settings.Resolution = 5;
  SettingsRecord s = DefaultSettings();
  s.Resolution = 5;  // 1600x1200: the headless display has it full screen only
  s.FullScreen = -1;
  SaveSettings(h.dir.str(), s, h.logs);
  h.Click(h.now() + 100, h.at(opt::CheckBox));
  h.Key(h.now() + 500, vk::Escape);
  h.Run();
  EXPECT_EQ(h.s().settings.FullScreen, 0);
  EXPECT_NE(h.s().settings.Resolution, 5) << "a window must be smaller than the 1920x1200 desktop";
}

TEST(OptionsScreen, EveryRowByKeyboard) {
  OptionsHarness h;
  double t = h.now();
  h.Key(t + 100, vk::Down);    // Full Screen
  h.Key(t + 200, vk::Enter);   // on
  h.Key(t + 300, vk::Enter);   // off again
  h.Key(t + 400, vk::Down);    // Resolution
  h.Key(t + 500, vk::Left);    // 800x600
  h.Key(t + 600, vk::Down);    // Sound Volume
  h.Key(t + 700, vk::Right);   // +1 %
  h.Key(t + 800, vk::Down);    // Music Volume
  h.Key(t + 900, vk::Space);   // music off
  h.Key(t + 1000, vk::Left, 700);  // held: a press and one repeat
  h.Key(t + 2000, vk::Down);   // Language
  h.Key(t + 2100, vk::Right);  // Deutsch
  h.Key(t + 2200, vk::Left);   // English again
  h.Key(t + 2300, vk::Down);   // OK
  h.Key(t + 2400, vk::Enter);  // the resolution changed: the question
  h.Key(t + 2900, vk::Escape); // "Exit"
  h.Run();
  EXPECT_EQ(CurrentLanguage(), kEnglish);
  const SettingsRecord& s = h.s().settings;
  EXPECT_EQ(std::tuple(s.FullScreen, s.Resolution, s.MusicOn), std::tuple(0, 2, 0));
  EXPECT_NEAR(s.SoundVolume, 0.51, 1e-9);
  EXPECT_NEAR(s.MusicVolume, 0.48, 1e-9);
  EXPECT_FALSE(h.ConfigChanged() || h.s().loop.ExitRequested);
}

TEST(OptionsScreen, HintsAndValueTexts) {
  EXPECT_EQ(VolumeText(0.75, true), "75");
  EXPECT_EQ(VolumeText(0.29, true), "29") << "0.29 * 100 must not print 28";
  EXPECT_EQ(VolumeText(0.75, false), "Mute");
  EXPECT_EQ(OptionHint(opt::SoundSlider, 0.4, true, 0, true), "");
  EXPECT_EQ(OptionHint(opt::MusicLabel, 0, true, 0.3, false),
            "Background music volume is 30|to turn MUSIC ON - click here");
  OptionRectTable r = OptionRects(ScreenMetrics::For(1280, 1024));
  EXPECT_EQ(OptionItemAt(r, ScreenHarness::cx(r[opt::CheckMark]), ScreenHarness::cy(r[opt::CheckMark])), opt::CheckBox)
      << "the check box lies under the mark and comes first";
  EXPECT_EQ(OptionItemAt(r, 5, 5), -1);
}

TEST(HintBox, StandsCentredAboveThePointAndNeverLeavesTheScreenSideways) {
  for (auto [w, h] : {std::pair{1280, 1024}, std::pair{800, 600}}) {
    ScreenMetrics m = ScreenMetrics::For(w, h);
    const double textW = 200, textH = 60;
    IRect mid = PlaceHintBox(m, textW, textH, {w / 2.0, h / 2.0});
    EXPECT_NEAR((mid.left + mid.right) / 2.0, w / 2.0, 1);
    EXPECT_NEAR(mid.right - mid.left, textW + 16 * m.XScale, 1);
    EXPECT_NEAR(mid.bottom - mid.top, textH + 6 * m.YScale, 1);
    EXPECT_NEAR(mid.bottom, h / 2.0 - 10 * m.YScale, 1) << "10 design pixels clear of the point";
    for (double x : {0.0, 3.0, w - 3.0, double(w)}) {
      IRect r = PlaceHintBox(m, textW, textH, {x, h / 2.0});
      EXPECT_TRUE(r.left >= 0 && r.right <= w) << w << " at " << x;
      EXPECT_EQ(r.right - r.left, mid.right - mid.left) << "moved, not squeezed";
    }
    IRect top = PlaceHintBox(m, textW, textH, {w / 2.0, 5});
    EXPECT_LT(top.top, 0) << "its top is not limited";
  }
}

}  // namespace
}  // namespace bm

#include "shell/RunScreen.h"

#include <filesystem>
#include <memory>
#include "lang/Tr.h"

#include "diag/LogTags.h"
#include "shell/IntroFadeScreen.h"
#include "shell/LoadingScreen.h"
#include "shell/LogoScreen.h"
#include "shell/Loop.h"
#include "shell/MainMenuScreen.h"
#include "shell/MemoryReport.h"
#include "shell/NameBoxScreen.h"
#include "shell/PlayScreen.h"
#include "shell/PlaySide.h"
#include "shell/SaveHooks.h"
#include "shell/ScreenKit.h"
#include "shell/Services.h"
#include "storage/DataIni.h"

namespace bm {

Next RunScreen::Enter(Stage&) { return Next::Push(std::make_unique<LogoScreen>(s_.options.level)); }

// Never reached: another screen always stands on this one.
Next RunScreen::Pass(Stage&) { return Next::Stay(); }

void RunScreen::AfterLoading() {
  Services& s = s_;
  s.logs.WriteRunPoint(logtag::kMainLoop, "Begin");
  s.loop.Input.CheatCode = CheatModeCode(s.options.gameDir, &s.logs);
  if (!std::filesystem::exists(std::filesystem::path(s.options.gameDir) / kDataIniFileName))
    s.logs.WriteRunLog(logtag::kMainLoop,
                       std::string(kDataIniFileName) + " is missing; the built-in switches are used");
}

Next RunScreen::ToMenu() {
  Services& s = s_;
  if (s.loop.ExitRequested) return End();
  s.sound.sfx.RearmSfx("ev_menu_click");
  s.sound.sfx.UseSounds(SoundPlace::Menu);
  UseMenuPictures(s);
  bool active = s.window().IsForeground();
  s.loop.Input.ClickLatch = s.in().ButtonDown(2) || (s.in().ButtonDown(1) && active);
  MatchClock& clock = play_.match.clock;
  clock.sandTickPeriod = 1000.0;
  clock.sandEnabled = clock.framesEnabled = true;
  PumpMessages(s);
  s.logs.WriteRunPoint(logtag::kMainLoop, "CP1");
  s.logs.WriteRunPoint(logtag::kMainMenu, "CP1");
  players_ = SaveData{};
  bool ask = false;
  if (NeedsFirstPlayer(s.saves, players_, ask)) {
    if (ask) {
      leg_ = Leg::Naming;
      name_.clear();
      return Next::Push(std::make_unique<NameBoxScreen>(&name_, true));
    }
    KeepFirstPlayer(s.saves, players_, nullptr);
    s.loop.Redraw = true;
  }
  leg_ = Leg::Menu;
  return Next::Push(std::make_unique<MainMenuScreen>(menuView_, s));
}

Next RunScreen::LevelAtOnce() {
  Services& s = s_;
  players_ = SaveData{};
  bool ask = false;
  if (NeedsFirstPlayer(s.saves, players_, ask)) {
    const std::string name = TrC("default player name", kDefaultPlayerName);
    KeepFirstPlayer(s.saves, players_, ask ? &name : nullptr);
    s.loop.Redraw = true;
  }
  return Play(false);
}

Next RunScreen::Play(bool continueSaved) {
  Services& s = s_;
  s.logs.WriteRunPoint(logtag::kMainLoop, "CP2");
  leg_ = Leg::Playing;
  auto start = continueSaved ? PlayScreen::Start::SavedGame : PlayScreen::Start::NewGame;
  return Next::Push(std::make_unique<PlayScreen>(play_, start, s.saves, s.options.level));
}

Next RunScreen::Resume(Stage&, Answer answer) {
  Services& s = s_;
  switch (leg_) {
    case Leg::Logo:
      leg_ = Leg::Loading;
      if (s.loop.ExitRequested) return End();
      return Next::Push(std::make_unique<LoadingScreen>(s.options));
    case Leg::Loading:
      AfterLoading();
      if (s.options.level > 0 && !s.loop.ExitRequested) return LevelAtOnce();
      if (s.loop.ExitRequested) return ToMenu();
      leg_ = Leg::Intro;
      return Next::Push(std::make_unique<IntroFadeScreen>());
    case Leg::Intro: return ToMenu();
    case Leg::Naming:
      KeepFirstPlayer(s.saves, players_, answer == NameAnswer::Given ? &name_ : nullptr);
      s.loop.Redraw = true;
      leg_ = Leg::Menu;
      return Next::Push(std::make_unique<MainMenuScreen>(menuView_, s));
    case Leg::Menu:
      if (answer == MenuAnswer::Exit) {
        s.logs.WriteRunPoint(logtag::kMainLoop, "CP2");
        return End();
      }
      // Even with the program ending, the game chosen is set up (a new one's records written).
      return Play(answer == MenuAnswer::Continue);
    case Leg::Playing:
      // Leaving by the menu, Escape, the close box, F12 or a stop signal: the level is kept.
      if (answer == PlayAnswer::Played) LeftPlay(s.saves, play_.match);
      return ToMenu();
  }
  return End();
}

Next RunScreen::End() {
  Services& s = s_;
  LogMemory(s);
  s.logs.WriteRunLog("", "Application End.");
  return Next::Pop();
}

}  // namespace bm

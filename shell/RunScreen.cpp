#include "shell/RunScreen.h"

#include <filesystem>
#include <memory>

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
#include "shell/Services.h"
#include "storage/DataIni.h"

namespace bm {

Next RunScreen::Enter(Services&) { return Next::Push(std::make_unique<LogoScreen>()); }

// Never reached: another screen always stands on this one.
Next RunScreen::Pass(Services&) { return Next::Stay(); }

void RunScreen::AfterLoading(Services& s) {
  s.logs.WriteRunPoint(logtag::kMainLoop, "Begin");
  s.loop.Input.CheatCode = CheatModeCode(s.options.gameDir, &s.logs);
  if (!std::filesystem::exists(std::filesystem::path(s.options.gameDir) / kDataIniFileName))
    s.logs.WriteRunLog(logtag::kMainLoop,
                       std::string(kDataIniFileName) + " is missing; the built-in switches are used");
}

Next RunScreen::ToMenu(Services& s) {
  if (s.loop.ExitRequested) return End(s);
  s.sound.sfx.RearmSfx("ev_menu_click");
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
  if (NeedsFirstPlayer(s, players_, ask)) {
    if (ask) {
      stage_ = Stage::Naming;
      name_.clear();
      return Next::Push(std::make_unique<NameBoxScreen>(&name_, true));
    }
    KeepFirstPlayer(s, players_, nullptr);
  }
  stage_ = Stage::Menu;
  return Next::Push(std::make_unique<MainMenuScreen>(menuView_));
}

Next RunScreen::LevelAtOnce(Services& s) {
  players_ = SaveData{};
  bool ask = false;
  if (NeedsFirstPlayer(s, players_, ask)) {
    const std::string name = kDefaultPlayerName;
    KeepFirstPlayer(s, players_, ask ? &name : nullptr);
  }
  return Play(s, false);
}

Next RunScreen::Play(Services& s, bool continueSaved) {
  s.logs.WriteRunPoint(logtag::kMainLoop, "CP2");
  stage_ = Stage::Playing;
  auto start = continueSaved ? PlayScreen::Start::SavedGame : PlayScreen::Start::NewGame;
  return Next::Push(std::make_unique<PlayScreen>(play_, start));
}

Next RunScreen::Resume(Services& s, Answer answer) {
  switch (stage_) {
    case Stage::Logo:
      stage_ = Stage::Loading;
      if (s.loop.ExitRequested) return End(s);
      return Next::Push(std::make_unique<LoadingScreen>());
    case Stage::Loading:
      AfterLoading(s);
      if (s.options.level > 0 && !s.loop.ExitRequested) return LevelAtOnce(s);
      if (s.loop.ExitRequested) return ToMenu(s);
      stage_ = Stage::Intro;
      return Next::Push(std::make_unique<IntroFadeScreen>());
    case Stage::Intro: return ToMenu(s);
    case Stage::Naming:
      KeepFirstPlayer(s, players_, answer == NameAnswer::Given ? &name_ : nullptr);
      stage_ = Stage::Menu;
      return Next::Push(std::make_unique<MainMenuScreen>(menuView_));
    case Stage::Menu:
      if (answer == MenuAnswer::Exit) {
        s.logs.WriteRunPoint(logtag::kMainLoop, "CP2");
        return End(s);
      }
      // Even with the program ending, the game chosen is set up (a new one's records written).
      return Play(s, answer == MenuAnswer::Continue);
    case Stage::Playing:
      // Leaving by the menu, Escape, the close box, F12 or a stop signal: the level is kept.
      if (answer == PlayAnswer::Played) LeftPlay(s, play_.match);
      return ToMenu(s);
  }
  return End(s);
}

Next RunScreen::End(Services& s) {
  LogMemory(s);
  s.logs.WriteRunLog("", "Application End.");
  return Next::Pop();
}

}  // namespace bm

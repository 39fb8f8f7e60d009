#include "shell/PlayScreen.h"

#include <memory>

#include "progress/LevelFlow.h"
#include "progress/Stages.h"
#include "shell/AwayScreen.h"
#include "shell/BetweenLevelsScreen.h"
#include "shell/CreditsScreen.h"
#include "shell/FlightScreen.h"
#include "shell/PackWaitScreen.h"
#include "shell/PlayFrame.h"
#include "shell/PlaySide.h"
#include "shell/SaveHooks.h"
#include "shell/ScreenKit.h"
#include "shell/Services.h"

namespace bm {

Next PlayScreen::Enter(Stage& s) {
  Match& m = play_.match;
  s.sound.sfx.UseSounds(SoundPlace::Play);
  // The levels come with the board's pictures: on the page they may still be on their way.
  if (start_ != Start::AsItStands && PacksHere(s, {kPlayPack}) < 1) return AfterPacks(s, {kPlayPack}, Step::Entering);
  FitScreen(m, s.look.metrics);
  if (start_ == Start::AsItStands) {
    UseLevelPictures(s, m.level);
    return BeginPlay(s);
  }
  if (start_ == Start::SavedGame) {
    // Continue: the board as it was left, no fly-in, the stage's tune.
    if (ContinueSavedGame(saves_, m)) {
      DrainMatchEvents(s, play_);
      s.sound.music.FadeMusAll(-0.1, 0);
      s.sound.music.PlayMusic(MusicMod::StageTrack(StageOfLevel(m.session.CurrentLevel)), 0.1, 0, false);
      s.loop.Input.ClickLatch = true;
      if (s.loop.ExitRequested) return Next::Pop(PlayAnswer::NotStarted);
      return AfterPacks(s, LevelPacks(m.session.CurrentLevel), Step::Playing);
    }
    // A saved game that cannot be continued after all starts a new one.
  }
  return NewGame(s);
}

Next PlayScreen::NewGame(Stage& s) {
  s.loop.Input.ClickLatch = true;
  StartNewGame(saves_, play_.match, newGameLevel_);
  play_.match.session.ShownScore = 0;
  DrainMatchEvents(s, play_);
  return AfterPacks(s, LevelPacks(play_.match.session.CurrentLevel), Step::FlyingIn);
}

Next PlayScreen::AfterPacks(Stage& s, std::vector<std::string> packs, Step next) {
  if (PacksHere(s, packs) < 1) {
    step_ = Step::WaitingForPacks;
    afterPacks_ = next;
    return Next::Push(std::make_unique<PackWaitScreen>(std::move(packs)));
  }
  switch (next) {
    case Step::FlyingIn:
    case Step::FlyingInNext:
      UseLevelPictures(s, play_.match.level);
      step_ = next;
      return Next::Push(std::make_unique<FlightScreen>(play_, 1));
    case Step::BetweenLevels:
      step_ = next;
      return Next::Push(std::make_unique<BetweenLevelsScreen>(play_, level_, saves_));
    case Step::Credits:
      step_ = next;
      return Next::Push(std::make_unique<CreditsScreen>());
    case Step::Entering: return Enter(s);
    default:
      UseLevelPictures(s, play_.match.level);
      return BeginPlay(s);
  }
}

Next PlayScreen::BeginPlay(Stage& s) {
  ResumeFrames(play_.match, s.Now());
  play_.keysLatched = ~0u;
  s.loop.Input.MenuKeyLatch = true;  // a Start still held from the screen before acts once let go
  return Playing(s);
}

Next PlayScreen::Playing(Stage& s) {
  step_ = Step::Playing;
  KeepStockLook(s, play_);
  return Next::Stay();
}

Next PlayScreen::Pass(Stage& s) {
  InputRouter& input = s.loop.Input;
  bool active = s.window().IsForeground();
  s.loop.AppActive = active;
  if (!active) {
    s.sound.music.PauseMusAll();
    step_ = Step::Away;
    return Next::Push(std::make_unique<AwayScreen>());
  }
  bool leave = false;
  double wake = PlayPass(s, play_, leave);
  if (play_.match.flow.pending != FlowStep::None && !leave) return LevelEnd(s);
  if (!s.in().KeyDown(vk::Left) && !s.in().KeyDown(vk::Right)) input.ClickLatch = false;
  // Escape and the menu key (a pad's Start) leave as the menu button does.
  bool escape = EscapePressed(input, s.in()), menuKey = MenuKeyPressed(input, s.in());
  if (escape || menuKey) leave = true;
  if (leave) {
    s.sound.sfx.PlaySfxOnce("ev_menu_click");
    return Next::Pop(PlayAnswer::Played);
  }
  return Next::Stay(wake);
}

OnScreen PlayScreen::Shows(const ScreenMetrics&) const {
  OnScreen o{ScreenKind::Play};
  o.match = &play_.match;
  return o;
}

Next PlayScreen::LevelEnd(Stage& s) {
  Match& m = play_.match;
  switch (m.flow.pending) {
    case FlowStep::None: break;
    case FlowStep::NextLevel:
    case FlowStep::RestartLevel:
    case FlowStep::SkipLevel:
      s.loop.Input.ClickLatch = true;
      step_ = Step::FlyingOut;
      return Next::Push(std::make_unique<FlightScreen>(play_, 0));
    case FlowStep::GameComplete: {
      const int score = m.session.Score;
      EndFinishedGame(m);
      // The finished game's score goes to the high scores like a lost one's.
      EnterEndedGame(saves_, score);
      return AfterPacks(s, {kCreditsPack}, Step::Credits);
    }
    case FlowStep::GameOver: {
      const int level = m.level.Number;
      const int score = EndLostGame(m);
      s.logs.WriteRunLog("GameOver", "Game over on level " + std::to_string(level) + " with a score of " +
                                         std::to_string(score));
      EnterEndedGame(saves_, score);
      return Next::Pop(PlayAnswer::Played);
    }
  }
  return Next::Stay();
}

Next PlayScreen::NextLevel(Stage& s, int level) {
  Match& m = play_.match;
  BetweenLevelsDone(m, s.Now(), level);
  s.sound.sfx.UseSounds(SoundPlace::Play);
  s.loop.Input.ClickLatch = true;
  EnterLevel(m, s.Now());
  DrainMatchEvents(s, play_);
  return AfterPacks(s, LevelPacks(m.session.CurrentLevel), Step::FlyingInNext);
}

Next PlayScreen::Resume(Stage& s, Answer) {
  Match& m = play_.match;
  switch (step_) {
    case Step::FlyingIn:
      ResumeFrames(m, s.Now());
      s.loop.Input.ClickLatch = true;
      if (s.loop.ExitRequested) return Next::Pop(PlayAnswer::NotStarted);
      return BeginPlay(s);
    case Step::Away:
      s.sound.music.ResumeMusAll();
      // Time spent away does not count: frames and the hourglass resume where they were.
      ResumeFrames(m, s.Now());
      return Playing(s);
    case Step::FlyingOut: {
      // Closing the program on the way still lands on the next level, fresh, so
      // the save on the way out never keeps a board already won or out of time.
      if (!LeaveLevel(m)) return Playing(s);
      level_ = m.session.CurrentLevel;
      if (s.loop.ExitRequested) return NextLevel(s, level_);
      return AfterPacks(s, {kBetweenPack}, Step::BetweenLevels);
    }
    case Step::BetweenLevels: return NextLevel(s, level_);
    case Step::FlyingInNext:
      // The flight is not play: the board's clock starts when it has landed.
      ResumeFrames(m, s.Now());
      s.loop.Redraw = true;
      return Playing(s);
    case Step::Credits: return Next::Pop(PlayAnswer::Played);
    case Step::WaitingForPacks: return AfterPacks(s, {}, afterPacks_);
    case Step::Entering:  // never on the stack's way back: AfterPacks enters again at once
    case Step::Playing: break;
  }
  return Next::Stay();
}

}  // namespace bm

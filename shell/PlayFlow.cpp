#include "shell/PlayFlow.h"

#include "progress/LevelFlow.h"
#include "progress/Stages.h"
#include "shell/BetweenLevels.h"
#include "shell/BoardTransition.h"
#include "shell/Dialog.h"
#include "shell/GameComplete.h"
#include "shell/Game.h"
#include "shell/PlayFrame.h"
#include "shell/SaveHooks.h"
#include "render/MenuScreen.h"

namespace bm {

namespace {

// Fly out, the map and the shop, then the level the match chose with its fly-in.
// Closing the program on the way still lands on that level, fresh, so the save
// on the way out never keeps a board that is already won or out of time.
void ChangeLevel(Game& g) {
  Match& m = g.match;
  g.input.ClickLatch = true;
  BoardTransition(g, 0);
  if (!LeaveLevel(m)) return;
  int level = m.session.CurrentLevel;
  if (!g.flags.ExitRequested) BetweenLevelsScreen(g, level);
  BetweenLevelsDone(m, g.Now(), level);
  g.input.ClickLatch = true;
  LevelStart(g);
}

void NewGameSetUp(Game& g) {
  Match& m = g.match;
  g.input.ClickLatch = true;
  StartNewGame(g, g.options.level > 0 ? g.options.level : 1);
  m.session.ShownScore = 0;
  DrainMatchEvents(g);
  BoardTransition(g, 1);
  ResumeFrames(m, g.Now());
  g.input.ClickLatch = true;
}

// Continue: the board as it was left, no fly-in, the stage's tune.
bool ContinueSetUp(Game& g) {
  if (!ContinueSavedGame(g)) return false;
  DrainMatchEvents(g);
  g.music.FadeMusAll(-0.1, 0);
  g.music.PlayMusic(MusicMod::MP3onStage(StageOfLevel(g.match.session.CurrentLevel)), 0.1, 0, false);
  g.input.ClickLatch = true;
  return true;
}

}  // namespace

bool PlaySetUp(Game& g) {
  bool newGame = true;
  if (HasGameToContinue(g)) {
    DialogRequest q;
    q.message = "Continue saved game|or start new one?";
    q.first = "Continue";
    q.second = "New Game";
    q.background = [&g] { DrawMainMenu(g.canvas, g.font, g.menuView); };
    // The bot goes on with what it left; a level asked for on the command line is a new game.
    q.botAnswer = g.options.level > 0 && g.options.botLeaveSeconds <= 0 ? 2 : 1;
    int answer = TwoButtonDialog(g, q);
    g.input.ClickLatch = true;
    if (answer != 1 && answer != 2) return false;
    newGame = answer == 2;
  }
  g.input.ClickLatch = true;
  // A saved game that cannot be continued after all starts a new one.
  if (!newGame && ContinueSetUp(g)) return !g.flags.ExitRequested;
  NewGameSetUp(g);
  return !g.flags.ExitRequested;
}

void LevelStart(Game& g) {
  Match& m = g.match;
  EnterLevel(m, g.Now());
  DrainMatchEvents(g);
  if (!g.flags.LeavePlay) BoardTransition(g, 1);
  // The flight is not play: the board's clock starts when it has landed.
  ResumeFrames(m, g.Now());
  g.flags.Redraw = true;
}

void RunPendingFlow(Game& g) {
  Match& m = g.match;
  switch (m.flow.pending) {
    case FlowStep::None: return;
    case FlowStep::NextLevel:
    case FlowStep::RestartLevel:
    case FlowStep::SkipLevel: ChangeLevel(g); return;
    case FlowStep::GameComplete: {
      const int score = m.session.Score;
      EndFinishedGame(m);
      // The finished game's score goes to the high scores like a lost one's.
      EnterEndedGame(g, score);
      GameCompleteScreen(g);
      g.flags.LeavePlay = true;
      return;
    }
    case FlowStep::GameOver: {
      const int level = m.level.number;
      const int score = EndLostGame(m);
      g.logs.WriteRunLog("GameOver", "Game over on level " + std::to_string(level) + " with a score of " +
                                         std::to_string(score));
      EnterEndedGame(g, score);
      g.flags.LeavePlay = true;
      return;
    }
  }
}

}  // namespace bm

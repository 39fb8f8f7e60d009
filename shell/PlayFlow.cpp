#include "shell/PlayFlow.h"

#include "progress/LevelFlow.h"
#include "progress/Stages.h"
#include "shell/BetweenLevels.h"
#include "shell/BoardTransition.h"
#include "shell/Dialog.h"
#include "shell/GameComplete.h"
#include "shell/Game.h"
#include "shell/PlayFrame.h"
#include "storage/SaveFolder.h"

namespace bm {

namespace {

// The map and the shop, then the values the next level starts from.
void BetweenLevels(Game& g) {
  BetweenLevelsScreen(g, g.match.session.CurrentLevel);
  BetweenLevelsDone(g.match, g.Now());
}

// Fly out, the screens between levels, then the level the match chose.
void ChangeLevel(Game& g) {
  Match& m = g.match;
  g.input.ClickLatch = true;
  BoardTransition(g, 0);
  if (g.flags.ExitRequested) return;
  if (!LeaveLevel(m)) return;
  BetweenLevels(g);
  if (g.flags.ExitRequested) return;
  g.input.ClickLatch = true;
  LevelStart(g);
}

// The player has a game that can be continued.
bool HasGameToContinue(Game&) {
  // Saved games come with the players' records; until then every Play is a new game.
  return false;
}

bool ContinueSavedGame(Game&) { return false; }

void NewGameSetUp(Game& g) {
  Match& m = g.match;
  // The shop starts afresh for this player: every item locked, no key, no star.
  g.between.statusStandIn = NewGameItemStatus();
  g.input.ClickLatch = true;
  NewGame(m, g.options.level > 0 ? g.options.level : 1, g.Now());
  m.player.sunCount = m.player.parrotCount = m.player.shuffleCount = m.player.rumCount = m.player.anchorCount = 0;
  m.player.rumSwap = false;
  m.player.tipSeen.fill(false);
  m.session.ShownScore = 0;
  DrainMatchEvents(g);
  BoardTransition(g, 1);
  ResumeFrames(m, g.Now());
  g.input.ClickLatch = true;
}

// The files of the players and the high scores, read afresh for the moment's need.
struct Records {
  SaveFolder folder;
  SaveData data;
  explicit Records(Game& g) : folder{g.options.dataDir, g.options.gameDir, &g.logs, {}} {
    PrepareSaveFolder(folder);
    LoadPlayers(folder, data);
  }
};

// The game can no longer be continued; the players file keeps that.
void ForgetGame(Records& r) {
  PlayerRecord& p = r.data.players.CurrentRecord();
  p.GameLevel = 0;
  p.MaxLevel = 0;
  SavePlayers(r.folder, r.data);
}

// The lost game's running score goes to the high-score table under the player's name.
void EnterLostGame(Game& g, int score) {
  g.logs.WriteRunLog("GameOver", "Game over on level " + std::to_string(g.match.level.number) + " with a score of " +
                                     std::to_string(score));
  Records r(g);
  std::string name = r.data.players.CurrentRecord().Name;
  if (name.empty()) name = "Player";
  int place = RecordHighScore(r.folder, r.data, name, score);
  if (place > 0) g.logs.WriteRunLog("GameOver", name + " takes place " + std::to_string(place) + " in the high scores");
  ForgetGame(r);
}

void FinishedGameSaved(Game& g) {
  Records r(g);
  ForgetGame(r);
}

}  // namespace

bool PlaySetUp(Game& g) {
  bool newGame = true;
  if (HasGameToContinue(g)) {
    DialogRequest q;
    q.message = "Continue saved game|or start new one?";
    q.first = "Continue";
    q.second = "New Game";
    q.botAnswer = 1;
    int answer = TwoButtonDialog(g, q);
    g.input.ClickLatch = true;
    if (answer != 1 && answer != 2) return false;
    newGame = answer == 2;
  }
  g.input.ClickLatch = true;
  if (!newGame) return ContinueSavedGame(g);
  NewGameSetUp(g);
  return !g.flags.ExitRequested;
}

void LevelStart(Game& g) {
  Match& m = g.match;
  StartLevel(m, g.Now());
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
    case FlowStep::GameComplete:
      EndFinishedGame(m);
      FinishedGameSaved(g);
      GameCompleteScreen(g);
      g.flags.LeavePlay = true;
      return;
    case FlowStep::GameOver:
      EnterLostGame(g, EndLostGame(m));
      g.flags.LeavePlay = true;
      return;
  }
}

}  // namespace bm

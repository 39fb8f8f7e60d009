// A game in progress driven through its one entry point: outcomes, lives, the
// hourglass and the cheat keys.
#include <gtest/gtest.h>

#include "tests/board/BoardKit.h"
#include "board/Swap.h"
#include "match/Match.h"

namespace bm {
namespace {

using testing::BoardKit;

// A board one line short of all gold: the swap of 28 and 22 makes 0-11-22.
void OneLineFromGold(BoardKit& kit) {
  for (int i = 0; i < kCellCount; ++i) kit.cells[i].Gnd = 1;
  for (int i : {0, 11, 22}) kit.cells[i].Gnd = 0;
  for (int i : {0, 11, 28}) kit.Set(i, 1);
}

TEST(MatchOutcome, LevelCompletesOnlyOnASettledAllGoldBoardThenTheNextLevelStarts) {
  BoardKit kit;
  OneLineFromGold(kit);
  ASSERT_TRUE(StartSwap(kit.cells, kit.st, 28, 22));
  bool completeWhileBusy = false;
  while (!kit.st.LevelComplete) {
    kit.Frame();
    bool busy = kit.st.SwapState != SwapPhase::Idle || kit.cells[0].Disappear != Removal::None || kit.cells[11].Move;
    completeWhileBusy = completeWhileBusy || (busy && kit.st.LevelComplete);
    ASSERT_LT(kit.now, 100000);
  }
  EXPECT_FALSE(completeWhileBusy);
  EXPECT_EQ(kit.CountEvents(BoardEvent::Kind::LevelWon), 0);
  // Every item shrinks by 4 per frame from the completing frame on; the first
  // one below -40 hands over to the next level.
  EXPECT_DOUBLE_EQ(kit.cells[1].Pos.Size, -4);
  kit.Frames(9);
  EXPECT_EQ(kit.CountEvents(BoardEvent::Kind::LevelWon), 0);
  int scoreBefore = kit.st.Score;
  kit.Frame();
  EXPECT_EQ(kit.CountEvents(BoardEvent::Kind::LevelWon), 1);
  EXPECT_EQ(kit.m.stats.levelsWon, 1);
  EXPECT_EQ(kit.m.session.Score, scoreBefore);
  // The board flips away: 18 steps of 30 ms, then the cue of what was completed.
  ASSERT_TRUE(kit.m.flow.flip.running);
  EXPECT_TRUE(kit.m.flow.levelWon);
  double flipStart = kit.now;
  while (kit.m.flow.pending == FlowStep::None && kit.now < flipStart + 5000) kit.Frame(10);
  EXPECT_NEAR(kit.now - flipStart, 18 * 30, 30);
  EXPECT_EQ(kit.m.flow.pending, FlowStep::NextLevel);
  EXPECT_EQ(kit.CountSound("complete_level"), 1);
  EXPECT_EQ(kit.m.session.CurrentLevel, 1) << "the level changes only after the screens between levels";
  long frames = kit.m.stats.frames;
  kit.Frames(5);
  EXPECT_EQ(kit.m.stats.frames, frames) << "no board frames while the screens run";
  FollowFlowWithoutScreens(kit.m, kit.now);
  EXPECT_EQ(kit.m.session.CurrentLevel, 2);
  EXPECT_EQ(kit.m.flow.pending, FlowStep::None);
  EXPECT_FALSE(kit.m.flow.flip.running || kit.m.flow.levelWon || kit.st.LevelComplete);
  EXPECT_EQ(kit.st.Score, scoreBefore) << "the score carries into the next level";
  EXPECT_TRUE(kit.st.BoardGrowIn);
}

TEST(MatchOutcome, BetweenLevelsTheChosenLevelStartsWithoutRumShowingTheScore) {
  BoardKit kit;
  kit.st.Score = 5000;
  kit.m.session.ShownScore = 1200;  // the count was still running up
  kit.player.rumCount = 12;
  kit.player.rumSwap = true;
  RequestSkip(kit.m, 1);
  ASSERT_TRUE(LeaveLevel(kit.m));
  EXPECT_EQ(kit.m.session.CurrentLevel, 2);
  BetweenLevelsDone(kit.m, kit.now, 5);  // the map's cheat keys chose level 5
  EXPECT_EQ(std::tuple(kit.m.session.CurrentLevel, kit.m.session.ShownScore, kit.player.rumCount, kit.player.rumSwap),
            std::tuple(5, 5000, 0, false));
  // Skipping far on stops at the last level.
  RequestSkip(kit.m, 100);
  ASSERT_TRUE(LeaveLevel(kit.m));
  EXPECT_EQ(kit.m.session.CurrentLevel, 65);
}

// Frames until the match asks for a screen; returns the game time they took.
double RunUntilPending(BoardKit& kit, double limitMs = 60000) {
  double start = kit.now;
  while (kit.m.flow.pending == FlowStep::None && kit.now - start < limitMs) kit.Frame();
  return kit.now - start;
}

TEST(MatchOutcome, ABoardAllGoldAsItGrowsInStillCompletesAndTheHourglassStops) {
  BoardKit kit;
  for (int i = 0; i < kCellCount; ++i) {
    kit.cells[i].Gnd = 1;
    kit.cells[i].Pos.Size = -40;
  }
  BeginLevelPlay(kit.st, kit.now);
  int frames = 0;
  bool completeWhileGrowing = false;
  while (!kit.st.LevelComplete && frames < 400) {
    kit.Frame(), ++frames;
    completeWhileGrowing = completeWhileGrowing || (kit.st.LevelComplete && kit.st.BoardGrowIn);
  }
  EXPECT_TRUE(kit.st.LevelComplete) << "a gold board that grew in is a won level";
  EXPECT_FALSE(completeWhileGrowing);

  double spent = RunUntilPending(kit);
  EXPECT_NE(kit.m.flow.pending, FlowStep::None) << "the level ends and asks for the next screen";
  EXPECT_LT(spent, 20000);
  // The hourglass stops on a completed board.
  BoardKit done;
  done.m.clock.sandEnabled = true;
  done.level.TimeLimit = 60;
  done.st.LevelComplete = true;
  done.Frames(100);
  EXPECT_EQ(done.level.SandLeft, 1.0);
}

TEST(MatchOutcome, AWonLevelsTipStopsTheFlipAndItsClosingGoesOn) {
  BoardKit kit;
  kit.player.tipsOn = true;
  for (int i = 0; i < kCellCount; ++i) kit.cells[i].Gnd = 1;
  RunUntilPending(kit, 10000);
  EXPECT_EQ(kit.m.flow.pending, FlowStep::None) << "the tip waits for its click";
  ASSERT_TRUE(kit.m.flow.tipWaiting);
  EXPECT_EQ(kit.Tips().back(), 4);
  FlipTipClosed(kit.m, kit.now);
  EXPECT_LT(RunUntilPending(kit, 5000), 5000);
  EXPECT_EQ(kit.m.flow.pending, FlowStep::NextLevel);
  EXPECT_EQ(kit.m.stats.levelsWon, 1);
}

TEST(MatchOutcome, TimeUpCostsALifeAndRestartsTheLevelUntilNoneIsLeft) {
  BoardKit kit;
  kit.m.clock.sandEnabled = true;
  kit.level.TimeLimit = 2;
  for (int lives = 2; lives >= 0; --lives) {
    kit.level.SandLeft = 0;
    double took = RunUntilPending(kit);
    EXPECT_GT(took, 1000) << "\"TIME IS UP\" rises before the restart";
    EXPECT_EQ(kit.m.flow.pending, FlowStep::RestartLevel);
    EXPECT_EQ(kit.CountEvents(BoardEvent::Kind::LevelLost), 1);
    EXPECT_EQ(kit.CountSound("complete_timeisup"), 1);
    EXPECT_EQ(kit.m.session.Lives, lives);
    FollowFlowWithoutScreens(kit.m, kit.now);
    EXPECT_GT(kit.level.SandLeft, 0) << "the level restarts with a full hourglass";
    EXPECT_FALSE(kit.st.TimeUpFlag);
    kit.ClearEvents();
  }
  // With no life left the fourth time-up shows "GAME OVER" and ends the game.
  kit.level.SandLeft = 0;
  int scoreBefore = kit.m.session.Score = kit.st.Score = 1234;
  RunUntilPending(kit);
  EXPECT_EQ(kit.m.flow.pending, FlowStep::GameOver);
  EXPECT_EQ(std::pair(kit.CountSound("complete_timeisup"), kit.CountSound("complete_gameover")), std::pair(1, 1));
  EXPECT_EQ(std::pair(kit.CountEvents(BoardEvent::Kind::LevelLost), kit.CountEvents(BoardEvent::Kind::GameOver)),
            std::pair(0, 1));
  EXPECT_EQ(std::pair(kit.m.session.Lives, kit.m.session.Ended), std::pair(0, true));
  EXPECT_EQ(std::pair(kit.m.stats.livesLost, kit.m.stats.gameOvers), std::pair(3, 1));
  EXPECT_EQ(EndLostGame(kit.m), scoreBefore) << "the lost game's running score goes to the table";
  EXPECT_EQ(std::tuple(kit.m.session.Lives, kit.m.session.Score, kit.m.session.CurrentLevel), std::tuple(3, 0, 0));
  // The match stops: no more frames, no more outcomes.
  kit.ClearEvents();
  long frames = kit.m.stats.frames;
  kit.Frames(5);
  EXPECT_EQ(kit.m.stats.frames, frames);
  EXPECT_TRUE(kit.Events().empty());
}

}  // namespace
}  // namespace bm

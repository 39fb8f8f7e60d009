// How a level of a game in progress ends and the next one begins, as plain
// state: the flip of a won level, the time-up and game-over caption, and what
// the caller must run next. The match steps it (match/MatchFlow.h).
#pragma once
#include "progress/LevelEnd.h"

namespace bm {

// What the caller must run next; the match takes no board frames meanwhile.
enum class FlowStep {
  None = 0,
  NextLevel,     // won: fly out, next level, between levels, level start
  RestartLevel,  // time up with a life left: fly out, between levels, the same level
  GameComplete,  // the last level won: the congratulations screen, then the menu
  GameOver,      // no life left: the score to the high-score table, then the menu
  SkipLevel,     // cheat keys: fly out, skipBy levels on, between levels, level start
};

struct FlowState {
  LevelEndFlip flip;
  bool levelWon = false;  // from the start of a won level's flip until the next level
  TimeUpOverlay timeUp;
  bool tipWaiting = false;  // the flip has ended on a tip box; its closing goes on
  FlowStep pending = FlowStep::None;
  int skipBy = 0;
};

}  // namespace bm

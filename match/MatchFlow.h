// The steps that end a level of a game in progress and begin the next: the
// match runs them on the board's frames; whatever needs a screen (the board's
// flight, the map and shop, the credits, the high-score entry) is asked for
// through `flow.pending` (progress/LevelFlow.h), and the caller runs it and
// then calls the step that follows.
#pragma once

namespace bm {

struct Match;

// The board reports every tile gold and every item gone: the flip begins.
void OnLevelComplete(Match& m, double now);
// At the start of each board frame: one flip step when 30 ms have passed.
void FlipFrame(Match& m, double now);
// The tip shown at the flip's end was closed: the flip ends for good.
void FlipTipClosed(Match& m, double now);
// Each board frame while the time-up flag is set.
void TimeUpFrame(Match& m, double frameFactor);
// Cheat keys: leave the level for another, skipBy levels away.
void RequestSkip(Match& m, int by);

// The level-end steps, in the order the screens between them run:
// after the fly-out, the level to play next (false when the game is complete);
bool LeaveLevel(Match& m);
// after the map and shop, the values a new level starts from and the level
// to play (the map's cheat keys may have changed it);
void BetweenLevelsDone(Match& m, double now, int level);
// the level start: the current level loaded afresh (the fly-in is the caller's);
void EnterLevel(Match& m, double now);
// game over: lives back to three, no score, no level (returns the score to enter).
int EndLostGame(Match& m);
// game complete: no level.
void EndFinishedGame(Match& m);

// Each of these writes its line to the match's tape (match/Tape.h).

// Runs whatever is pending without any screen (bot runs and tests of the rules).
void FollowFlowWithoutScreens(Match& m, double now);

}  // namespace bm

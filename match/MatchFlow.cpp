#include "match/MatchFlow.h"

#include <algorithm>
#include <string>

#include "board/MoveSearch.h"
#include "match/Match.h"
#include "match/Tape.h"
#include "progress/Stages.h"

namespace bm {

namespace {

constexpr int kTipLevelWon = 4;

void Record(Match& m, char kind, double now, std::vector<double> values = {}) {
  if (!m.tape) return;
  TapeStep s;
  s.kind = kind;
  s.in.now = now;
  s.values = std::move(values);
  RecordStep(m, s);
}
constexpr int kTipCell = 57;

// The flip has run its course: the tip first (once per player), then the cue of
// what was completed and the screens that follow.
void EndOfFlip(Match& m, bool offerTip) {
  FlowState& f = m.flow;
  if (offerTip && f.levelWon) {
    if (f.tipWaiting) return;
    if (m.player.WantsTip(kTipLevelWon)) {
      OfferTip(m.events, m.player, kTipLevelWon, kTipCell);
      f.tipWaiting = true;
      return;
    }
  }
  f.tipWaiting = false;
  LevelEnd kind = LevelEndKind(m.session.CurrentLevel);
  QueueSfx(m.events, LevelEndCue(kind));
  if (kind == LevelEnd::Game) {
    f.pending = FlowStep::GameComplete;
    ++m.stats.gamesCompleted;
    m.session.Ended = true;
    QueueOutcome(m.events, BoardEvent::Kind::GameComplete, m.session.CurrentLevel);
  } else {
    f.pending = FlowStep::NextLevel;
  }
}

}  // namespace

void OnLevelComplete(Match& m, double now) {
  // The board reports it on every frame of its last shrinking; the flip starts once.
  if (m.flow.levelWon) return;
  MatchSession& s = m.session;
  ++m.stats.levelsWon;
  s.Score = m.board.Score;
  QueueLog(m.events, "Level " + std::to_string(s.CurrentLevel) + " complete, score " + std::to_string(s.Score),
           "LevelWon");
  QueueOutcome(m.events, BoardEvent::Kind::LevelWon, s.CurrentLevel);
  StartFlip(m.flow.flip, now);
  m.flow.levelWon = true;
}

void FlipFrame(Match& m, double now) {
  LevelEndFlip& flip = m.flow.flip;
  if (!flip.running || now - flip.lastStep < kFlipStepMs) return;
  FlipEnd end = FlipStep(flip, 1, now);
  if (end != FlipEnd::None) EndOfFlip(m, end == FlipEnd::Forward);
}

void FlipTipClosed(Match& m, double now) {
  if (!m.flow.tipWaiting) return;
  Record(m, 'T', now);
  if (FlipStep(m.flow.flip, -1, now) != FlipEnd::None) EndOfFlip(m, false);
}

void TimeUpFrame(Match& m, double frameFactor) {
  MatchSession& s = m.session;
  TimeUpStep step = StepTimeUp(m.flow.timeUp, s.Lives, frameFactor);
  if (step.cue) QueueSfx(m.events, step.cue);
  if (step.end == TimeUpEnd::None) return;
  // The hourglass stays empty: the flag comes back on the next frame while the
  // "GAME OVER" caption still has to rise.
  m.board.TimeUpFlag = false;
  switch (step.end) {
    case TimeUpEnd::Restart:
      ++m.stats.livesLost;
      QueueLog(m.events,
               "Time is up on level " + std::to_string(s.CurrentLevel) + ", lives left " + std::to_string(s.Lives),
               "TimeUp");
      QueueOutcome(m.events, BoardEvent::Kind::LevelLost, s.CurrentLevel);
      m.flow.pending = FlowStep::RestartLevel;
      break;
    case TimeUpEnd::GameOverShown:
      QueueLog(m.events, "Time is up on level " + std::to_string(s.CurrentLevel) + ", no life left", "TimeUp");
      break;
    case TimeUpEnd::GameOver:
      QueueOutcome(m.events, BoardEvent::Kind::GameOver, s.CurrentLevel);
      m.flow.pending = FlowStep::GameOver;
      ++m.stats.gameOvers;
      s.Ended = true;
      break;
    case TimeUpEnd::None: break;
  }
}

void RequestSkip(Match& m, int by) {
  m.session.Score = m.board.Score;
  m.flow.pending = FlowStep::SkipLevel;
  m.flow.skipBy = by;
}

bool LeaveLevel(Match& m) {
  Record(m, 'L', 0);
  FlowState& f = m.flow;
  MatchSession& s = m.session;
  switch (f.pending) {
    case FlowStep::NextLevel:
      ResetFlip(f.flip);
      f.levelWon = false;
      ++s.CurrentLevel;
      break;
    case FlowStep::SkipLevel: s.CurrentLevel = std::clamp(s.CurrentLevel + f.skipBy, 1, kLastLevel); break;
    default: break;
  }
  f.pending = FlowStep::None;
  f.skipBy = 0;
  return s.CurrentLevel >= 1 && s.CurrentLevel <= kLastLevel;
}

void BetweenLevelsDone(Match& m, double now, int level) {
  Record(m, 'B', now, {double(level)});
  m.session.CurrentLevel = std::clamp(level, 1, kLastLevel);
  ResetMoveTimer(m.board, now);
  m.session.ShownScore = m.session.Score;
  // Rum does not carry over into the next level.
  m.player.rumCount = 0;
  m.player.rumSwap = false;
  m.level.SandLeft = 0;
}

void EnterLevel(Match& m, double now) {
  Record(m, 'S', now);
  StartLevel(m, now);
}

int EndLostGame(Match& m) {
  Record(m, 'O', 0);
  MatchSession& s = m.session;
  int score = s.Score;
  s.Lives = 3;
  s.Score = 0;
  s.CurrentLevel = 0;
  m.flow.timeUp = TimeUpOverlay{};
  m.flow.pending = FlowStep::None;
  return score;
}

void EndFinishedGame(Match& m) {
  Record(m, 'E', 0);
  m.session.CurrentLevel = 0;
  ResetFlip(m.flow.flip);
  m.flow.levelWon = false;
  m.flow.pending = FlowStep::None;
}

void FollowFlowWithoutScreens(Match& m, double now) {
  switch (m.flow.pending) {
    case FlowStep::None: return;
    case FlowStep::GameComplete: EndFinishedGame(m); return;
    case FlowStep::GameOver: EndLostGame(m); return;
    case FlowStep::NextLevel:
    case FlowStep::RestartLevel:
    case FlowStep::SkipLevel:
      if (!LeaveLevel(m)) return;
      BetweenLevelsDone(m, now, m.session.CurrentLevel);
      EnterLevel(m, now);
      return;
  }
}

}  // namespace bm

#include "shell/PlayFrame.h"

#include <algorithm>

#include "board/GameFrame.h"
#include "board/StartMatches.h"
#include "render/BoardDraw.h"
#include "render/PlayScreen.h"
#include "shell/BotInput.h"
#include "shell/Game.h"
#include "shell/MainLoop.h"

namespace bm {

namespace {

// Nothing on the board moves: no need to draw it again. The hover shimmer and
// the turning selection marker are ornaments, judged apart. (The move count may
// still be running: it changes only the panel, at its end.)
bool BoardStill(const Game& g) {
  const BoardState& st = g.board;
  if (!(st.BoardIdle && st.NoFall && st.PrevNoFall) || st.SwapState != 0 || st.BoardGrowIn || st.NoMovesRunning ||
      st.LevelComplete || st.TimeUpFlag)
    return false;
  for (int i = 0; i < kCellCount; ++i)
    if (g.cells[i].Shine > 0 || g.cells.fx[std::size_t(i)].Active) return false;
  return true;
}

bool OrnamentsShown(const Game& g) {
  return g.board.HoveredCell != kNoCell || g.board.SelectedCell != kNoSelection;
}

void PlayCue(Game& g, const BoardEvent& e) {
  switch (e.mode) {
    case SfxMode::Play: g.sfx.PlaySfx(e.text); break;
    case SfxMode::NoSteal: g.sfx.PlaySfx(e.text, true); break;
    case SfxMode::Once: g.sfx.PlaySfxOnce(e.text); break;
    case SfxMode::Rearm: g.sfx.RearmSfx(e.text); break;
  }
}

void LevelWon(Game& g) {
  ++g.stats.levelsWon;
  g.logs.WriteRunLog("LevelWon", "Level " + std::to_string(g.session.CurrentLevel) + " complete, score " +
                                     std::to_string(g.board.Score));
  if (g.session.CurrentLevel >= 65) {
    g.sfx.PlaySfx("complete_game");
    g.flags.LeavePlay = true;
    return;
  }
  bool stageEnds = StageOfLevel(g.session.CurrentLevel + 1) > StageOfLevel(g.session.CurrentLevel);
  g.sfx.PlaySfx(stageEnds ? "complete_stage" : "complete_level");
  ++g.session.CurrentLevel;
  StartLevel(g);
}

void TimeUp(Game& g) {
  g.sfx.PlaySfx("complete_timeisup");
  --g.session.Lives;
  g.logs.WriteRunLog("TimeUp", "Time is up on level " + std::to_string(g.session.CurrentLevel) + ", lives left " +
                                   std::to_string(std::max(g.session.Lives, 0)));
  if (g.session.Lives < 0) {
    g.sfx.PlaySfx("complete_gameover");
    g.session.Lives = 0;
    g.flags.LeavePlay = true;
    return;
  }
  StartLevel(g);
}

// The board's queued sounds, log lines and outcomes, in order.
void DrainEvents(Game& g) {
  BoardEvents events;
  events.swap(g.board.events);
  for (const BoardEvent& e : events) {
    switch (e.kind) {
      case BoardEvent::Kind::Sound: PlayCue(g, e); break;
      case BoardEvent::Kind::Log: g.logs.WriteRunLog("MouseClick", e.text); break;
      case BoardEvent::Kind::Tip: break;  // tip windows come with the overlays
      case BoardEvent::Kind::LevelComplete: LevelWon(g); return;
      case BoardEvent::Kind::TimeUp: TimeUp(g); return;
    }
  }
}

// Hidden cheat keys: Up and Down skip levels; with a cell selected, digits and
// F-keys put items into it and the right button a random bonus.
void CheatKeys(Game& g) {
  Input& in = g.in();
  for (int dir : {+1, -1}) {
    if (!in.KeyDown(dir > 0 ? vk::Up : vk::Down) || g.input.ClickLatch) continue;
    g.input.ClickLatch = true;
    g.session.CurrentLevel = std::clamp(g.session.CurrentLevel + dir, 1, 65);
    g.session.Score = g.board.Score;
    StartLevel(g);
    return;
  }
  int s = g.board.SelectedCell;
  if (s < 0 || s >= kCellCount || !g.cells[s].isExists) return;
  int code = 0;
  for (int k = 1; k <= 10; ++k)
    if (in.KeyDown('0' + k % 10) && k <= int(g.level.jewelKinds.size())) code = g.level.jewelKinds[std::size_t(k - 1)];
  const int fkeys[][2] = {{vk::F1, 46}, {vk::F2, 45}, {vk::F3, 48}, {vk::F5, 54}, {vk::F6, 55}};
  for (const auto& f : fkeys)
    if (in.KeyDown(f[0])) code = f[1];
  bool right = MouseClicked(g.input, in, g.flags.AppActive, 2);
  if (right) {
    code = 41 + g.rng.Below(14);  // the bonus kinds 41..55 without 53
    if (code > 52) ++code;
  }
  if (code == 0) return;
  g.cells[s].Gem = code;
  g.board.SelectedCell = kNoSelection;
}

// The figures of --report, read off the board's state around each frame.
void CountStats(Game& g, int swapBefore, double comboBefore, bool noMovesBefore) {
  const BoardState& st = g.board;
  if (swapBefore == 0 && st.SwapState != 0 && !st.IsReturnSwap) ++g.stats.moves;
  if (st.Combo > comboBefore) {
    g.stats.lines += long(st.MatchLines);
    g.stats.longestCascade = std::max(g.stats.longestCascade, int(st.Combo));
  }
  if (!noMovesBefore && st.NoMovesRunning) ++g.stats.reshuffles;
}

}  // namespace

void BeginLevel(Game& g) {
  RemoveStartMatches(g.cells, g.level, g.rng);
  BeginLevelPlay(g.board, g.Now());
  g.invariants.NewLevel();
  g.board.Score = g.session.Score;
  g.play.LastFrameTime = g.Now();
  g.boardQuiet = false;
  g.flags.Redraw = true;
}

void SandTick(Game& g) {
  // A finished board stops the hourglass.
  if (g.board.LevelComplete) return;
  if (!g.play.sandEnabled || !(g.play.LastSandTick + g.play.SandTickPeriod < g.Now())) return;
  g.play.LastSandTick = g.Now();
  g.level.SandLeft -= 1.0 / g.level.TimeLimit;
  if (g.level.SandLeft < 0) g.level.SandLeft = 0;
}

double PlayPass(Game& g) {
  std::string timeBefore = TimeLeftText(g.level.SandLeft, g.level.TimeLimit);
  std::string movesBefore = g.board.MovesText;
  int scoreBefore = g.board.Score;
  bool hintBefore = g.board.HintVisible;
  if (g.play.framesEnabled && g.play.LastFrameTime < g.Now()) {
    double now = g.Now();
    FrameInput in;
    in.now = now;
    in.frameFactor = (now - g.play.LastFrameTime) / 35.0;
    // After a quiet spell the loop slept; nothing was moving, so no motion is owed.
    if (g.boardQuiet) in.frameFactor = std::min(in.frameFactor, 1.0);
    g.play.FrameFactor = in.frameFactor;
    g.play.LastFrameTime = now;
    // The bot's hands move first; the board then reads them like a player's.
    if (g.bot) g.botInput->Feed(g.bot->Step(now, g.cells, g.board, g.metrics));
    PointD p = g.in().Pointer();
    in.pointerX = p.x;
    in.pointerY = p.y;
    in.leftDown = MouseDown(g.in(), g.flags.AppActive);
    in.rightDown = g.flags.AppActive && g.in().ButtonDown(2);
    in.pointerInClient = p.x >= 0 && p.y >= 0 && p.x < g.metrics.width && p.y < g.metrics.height;
    in.pointerOverGame = in.pointerInClient;
    in.metrics = g.metrics;
    int levelBefore = g.session.CurrentLevel;
    int swapBefore = g.board.SwapState;
    double comboBefore = g.board.Combo;
    bool noMovesBefore = g.board.NoMovesRunning;
    GameFrame(in, g.cells, g.board, g.level, g.player, g.rng);
    CountStats(g, swapBefore, comboBefore, noMovesBefore);
    if (g.checkInvariants) {
      int before = g.invariants.Violations();
      g.invariants.Check(g.cells, g.board, now);
      if (g.invariants.Violations() != before)
        g.logs.WriteRunLog("Invariants", g.invariants.Messages().empty() ? "violation" : g.invariants.Messages().back(),
                           true);
      g.stats.invariantViolations = g.invariants.Violations();
    }
    DrainEvents(g);
    if (g.session.CurrentLevel == levelBefore) g.session.Score = g.board.Score;
  }
  SandTick(g);
  if (g.input.CheatMode) CheatKeys(g);
  // The menu button: lit under the pointer, pressed while held, leaves on the click.
  PointD p = g.in().Pointer();
  bool overButton = MenuButtonRect(g.metrics).Contains(p.x, p.y);
  int buttonState = overButton ? (MouseDown(g.in(), g.flags.AppActive) ? 2 : 1) : 0;
  // Polled on every pass so the edge latch sees each release.
  bool clicked = MouseClicked(g.input, g.in(), g.flags.AppActive, 1);
  if (overButton && clicked) g.flags.LeavePlay = true;
  bool buttonChanged = buttonState != g.menuButtonState;
  g.menuButtonState = buttonState;
  // The ornaments move for a short while after the pointer last moved or
  // clicked, at a reduced rate; then the screen rests until something changes.
  PointD at = g.in().Pointer();
  bool buttons = g.in().ButtonDown(1) || g.in().ButtonDown(2);
  if (at.x != g.play.lastPointer.x || at.y != g.play.lastPointer.y || buttons) {
    g.play.lastPointer = at;
    g.play.lastPointerMs = g.Now();
  }
  bool still = BoardStill(g);
  bool ornaments = still && OrnamentsShown(g) && g.Now() - g.play.lastPointerMs < kOrnamentLifeMs;
  bool quiet = still && !ornaments;
  bool changed = !quiet || !g.boardQuiet || g.flags.Redraw ||
                 timeBefore != TimeLeftText(g.level.SandLeft, g.level.TimeLimit) ||
                 movesBefore != g.board.MovesText || scoreBefore != g.board.Score ||
                 hintBefore != g.board.HintVisible || buttonChanged;
  g.boardQuiet = quiet;
  if (changed && !g.flags.LeavePlay) {
    g.flags.Redraw = false;
    if (g.drawing) {
      DrawPlayBackground(g);
      DrawPanel(g, g.board.MovesText);
      DrawMenuButton(g, g.menuButtonState);
      BoardDrawExtras extras;
      extras.clockMs = g.Now();
      DrawBoard(g.canvas, g.font, g.cells, g.board, extras);
    }
    g.flags.SceneDirty = true;
  }
  if (ornaments) return g.Now() + kOrnamentFrameMs;
  if (!quiet) return 0;
  // The move count takes one cell per frame; run those frames without drawing them.
  if (!g.board.MovesCounted) return g.Now() + 1;
  // Quiet: wake for the next hourglass tick, or a little sooner for the hint timer.
  return std::min(g.play.LastSandTick + g.play.SandTickPeriod + 1, g.Now() + 250);
}

}  // namespace bm

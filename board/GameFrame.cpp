#include "board/GameFrame.h"

#include <cmath>
#include <numbers>

#include "board/BoardPhase.h"
#include "board/BonusHooks.h"
#include "board/FallStep.h"
#include "board/MarkMatches.h"
#include "board/MouseClick.h"
#include "board/MoveSearch.h"
#include "board/RemovalStates.h"
#include "board/Swap.h"

namespace bm {

namespace {
constexpr double kDeg = std::numbers::pi / 180;


std::uint32_t Grey(int level) {
  std::uint32_t v = std::uint32_t(level & 255);
  return (v << 16) | (v << 8) | v;
}

// Items shrink away together; the first one gone hands over to the level end.
void LevelEndShrink(BoardCtx& c) {
  for (int i = 0; i < kCellCount; ++i) {
    Cell& cell = c.cells[i];
    if (!cell.IsExists) continue;
    cell.Pos.Size -= 4 * c.sx * c.ff;
    if (cell.Pos.Size < -40 * c.sx) {
      cell.Pos.Size = 0;
      cell.Gem = 0;
      cell.Ice = 0;  // the bubbles go with their item
      QueueOutcome(c.st.Events, BoardEvent::Kind::LevelComplete);
      return;
    }
  }
}

void HoverAndColours(BoardCtx& c, int nearest, bool linesThisFrame) {
  BoardState& st = c.st;
  st.HoveredCell = nearest;
  bool settled = SettleFlagsHold(st);
  // A line this frame's search just found starts a cascade: its items are paid with it.
  if (settled && !linesThisFrame) st.Combo = 0;
  for (int i = 0; i < kCellCount; ++i) {
    Cell& cell = c.cells[i];
    if (settled && i == st.HoveredCell) {
      cell.Phase += 15 * kDeg;  // per frame, not scaled
      for (int k = 0; k < 4; ++k) {
        cell.Shimmer[k] = int(std::floor(31 * std::sin(cell.Phase + k * 90 * kDeg) + 224));
        cell.GemCol[k] = Grey(cell.Shimmer[k]);
      }
      continue;
    }
    for (auto& col : cell.GemCol) col = 0xDDDDDD;
    cell.GndCol[0] = 0xEEEEEE;
    cell.GndCol[1] = cell.GndCol[2] = cell.GndCol[3] = 0xCCCCCC;
  }
}

void PointsTexts(BoardCtx& c) {
  BoardState& st = c.st;
  // Clock-driven, 10 ms per step, whatever the frame rate; a long stall does
  // not replay more than a tenth of a second.
  int steps = 0;
  while (c.now - st.PointsTextTime >= 10 && steps < 10) {
    st.PointsTextTime += 10;
    ++steps;
    for (int i = 0; i < kCellCount; ++i) {
      CellFx& fx = c.cells.fx[std::size_t(i)];
      if (!c.cells[i].IsExists || !fx.Active) continue;
      fx.Speed += fx.Accel;
      fx.Rise += 2 * fx.Speed;
      fx.X = fx.BaseX;
      fx.Y = fx.BaseY + fx.Rise;
      fx.Alpha -= 7;
      if (fx.Alpha < 0) {
        fx.Alpha = 255;
        fx.Active = false;
        fx.Rise = 0;
      }
    }
  }
  if (c.now - st.PointsTextTime >= 10) st.PointsTextTime = c.now;
}

void MoveCount(BoardCtx& c) {
  BoardState& st = c.st;
  if (!st.BoardIdle) {
    ResetMoveTimer(st, c.now);
    st.ParrotShowing = false;
  }
  // A running swap holds a half-exchanged board: the count starts afresh once it ends.
  int count = -1;
  if (st.SwapState != SwapPhase::Idle) {
    st.ScanCursor = 0;
    st.ScanCount = 0;
  } else {
    count = CountMovesStep(c);
  }
  if (count >= 0) {
    st.MovesText = std::to_string(count);
    st.MovesAvailable = count;
  }
  if (count == 0 || st.NoMovesRunning) {
    st.BoardIdle = false;
    NoMovesStep(c, count == 0);
  }
}

void LastTiles(BoardCtx& c) {
  BoardState& st = c.st;
  st.TilesLeft = -1;
  if (!AtRest(PhaseOf(c.cells, st))) return;
  int left = 0;
  for (int i = 0; i < kCellCount; ++i) {
    const Cell& cell = c.cells[i];
    if (!cell.IsExists) continue;
    if (c.cells.fx[std::size_t(i)].Active) return;
    if (cell.Gnd == 0) ++left;
  }
  st.TilesLeft = left;
  if (left >= 1 && left <= 3) OfferTip(st.Events, c.player, 2, kTipAtShowFreeButton);
}

void HourglassWarning(BoardCtx& c) {
  double remaining = c.level.SandLeft * c.level.TimeLimit;
  if (remaining >= 30 || remaining <= 0) return;
  int second = int(remaining);
  QueueSfx(c.st.Events, "ev_game_timeout", second % 2 == 1 ? SfxMode::Once : SfxMode::Rearm);
}

}  // namespace

void GameFrame(const FrameInput& in, Cells& cells, BoardState& st, LevelState& level, BoardPlayer& player, Rng& rng,
               const BonusRefs& bonus) {
  BoardCtx c{cells, st, level, player, rng, in.now, in.frameFactor, in.metrics.XScale, in.metrics.YScale};
  c.metrics = &in.metrics;
  c.Attach(bonus);
  const BonusHooks* hooks = c.hooks;

  // Settle flags.
  st.PrevNoFall = st.NoFall;
  st.BoardIdle = true;
  st.NoFall = true;
  if (st.TimeUpFlag) st.BoardIdle = false;
  // Nothing may be clicked, fall or match while the no-moves captions run.
  if (st.NoMovesRunning) st.BoardIdle = false;
  if (hooks && hooks->holdsBoard(c)) st.BoardIdle = false;

  // Cell pass.
  bool growInReached = false;
  for (int i = 0; i < kCellCount; ++i) {
    CellSteps(c, i, in, growInReached);
    FallStep(c, i);
  }

  // The gold test: the pass only ever clears the settle flags, so flags that
  // hold now held at every cell. A board still growing in is not finished,
  // gold or not: its shrinking away would fight the growth and neither would
  // ever end; nor is one whose swap still runs, as its two items would shrink
  // away under it.
  st.AllGold = SettleFlagsHold(st) && !st.BoardGrowIn && st.SwapState == SwapPhase::Idle;
  for (int i = 0; i < kCellCount && st.AllGold; ++i)
    if (cells[i].IsExists && cells[i].Gnd == 0) st.AllGold = false;
  if (st.AllGold) {
    st.LevelComplete = true;
    st.BoardIdle = false;
  }
  if (st.LevelComplete && !st.BoardIdle) LevelEndShrink(c);

  // The grow-in ends once every item has reached its full size.
  if (st.BoardGrowIn && growInReached) {
    bool lagging = false;
    for (int i = 0; i < kCellCount; ++i)
      if (cells[i].IsExists && cells[i].Pos.Size < 0) lagging = true;
    if (!lagging) st.BoardGrowIn = false;
  }

  double comboBefore = st.Combo;
  if (st.NoFall && st.BoardIdle) {
    ScoreMatches(cells, st);
    Refill(c);
  }

  // A click goes to the cell under the pointer now: the pointer may have jumped
  // since the last drawing (a press and a move often arrive together).
  // The cell centres stand still within a frame: one search serves the click
  // and the hover.
  double hoverDistance = 0;
  int nearest = NearestCell(cells, in.metrics, in.pointerX, in.pointerY, &hoverDistance);
  bool outOfReach = hoverDistance > HoverReach(cells, in.metrics);
  st.HoveredCell = outOfReach ? kNoCell : nearest;
  InputStep(c, in);

  // Only a cell within reach of the pointer shimmers: far off the board, none does.
  HoverAndColours(c, st.HoveredCell, st.Combo > comboBefore);

  SwapStep(c);

  PointsTexts(c);
  if (hooks) hooks->popupsStep(c);
  MoveCount(c);

  if (level.SandLeft <= 0) st.TimeUpFlag = true;
  if (st.TimeUpFlag) {
    st.BoardIdle = false;
    QueueOutcome(st.Events, BoardEvent::Kind::TimeUp);
  }

  if (hooks) hooks->rumStep(c);
  st.MarkerAngle = std::fmod(st.MarkerAngle + 3 * in.frameFactor, 360.0);
  if (hooks) hooks->effectsStep(c);
  LastTiles(c);
  HourglassWarning(c);

}

void BeginLevelPlay(BoardState& st, double now) {
  st.BoardGrowIn = true;
  st.LevelComplete = false;
  st.AllGold = false;
  st.SelectedCell = kNoSelection;
  st.HoveredCell = kNoCell;
  st.PressedCell = -1;
  st.SwapState = SwapPhase::Idle;
  st.IsReturnSwap = st.AnchorSwap = false;
  st.MatchLines = st.GoldSum = st.Combo = 0;
  st.TimeUpFlag = false;
  st.NoMovesRunning = st.NoMovesPhase = false;
  st.CaptionProgress = 0;
  st.ParrotShowing = false;
  st.MovesAvailable = -1;
  st.MovesCounted = false;
  st.AnchorArmed = st.SunArmed = false;
  st.PointsTextTime = now;
  st.BoardIdle = st.NoFall = st.PrevNoFall = true;
  ResetMoveTimer(st, now);
}

}  // namespace bm

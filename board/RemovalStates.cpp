#include "board/RemovalStates.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>

#include "board/BonusHooks.h"
#include "board/ItemCodes.h"

namespace bm {

namespace {

int Sign(double v) { return (v > 0) - (v < 0); }

void StartPointsText(CellFx& fx, const Cell& cell, int points) {
  fx.Alpha = 255;
  fx.Active = true;
  fx.Accel = 0.004;
  fx.Speed = -0.4;
  fx.Rise = 0;
  fx.BaseX = fx.X = cell.Pos.CurX;
  fx.BaseY = fx.Y = cell.Pos.CurY;
  fx.Text = std::to_string(points < 1 ? 1 : points);
}

void ClearParent(Cell& cell) {
  cell.Parent = kNoCell;
  cell.ParentGem = 1;
}

// State 2: award the item, gild its tile, empty the cell. Returns false when
// the emptying waits a frame for tip 1.
bool AwardAndGild(BoardCtx& c, int i) {
  Cell& cell = c.cells[i];
  CellFx& fx = c.cells.fx[std::size_t(i)];
  BoardState& st = c.st;
  StartPointsText(fx, cell, ItemPoints(fx.Points, st.MatchLines, st.Combo, st.GoldSum));
  st.Score += std::stoi(fx.Text);
  st.BoardIdle = false;
  if (cell.Gnd == 0) cell.Shine = 1.0;
  cell.Gnd = 1;
  ClearParent(cell);
  if (c.player.WantsTip(1)) {
    cell.Disappear = Removal::EmptyAfterTip;
    return false;
  }
  cell.Gem = 0;
  cell.Pos.Size = 0;
  cell.IsAvailable = true;
  cell.Disappear = Removal::None;
  return true;
}

}  // namespace

int ItemPoints(int tileValue, double matchLines, double combo, double goldSum) {
  double c = tileValue, L = matchLines;
  return int(std::floor(c + combo - Sign(goldSum) + (L - Sign(L)) * (c + 1) / 2));
}

void CellSteps(BoardCtx& c, int i, const FrameInput& in, bool& growInReached) {
  Cell& cell = c.cells[i];
  BoardState& st = c.st;
  const double sx = c.sx, ff = c.ff;

  if (cell.Shine > 0) {
    cell.Shine -= 0.05 * ff;
    if (cell.Shine < 0) {
      cell.Shine = 0;
      OfferTip(st.Events, c.player, 1, i);
    }
  }

  if (in.levelEndFlip) {
    double step = in.levelEndStep;
    cell.Wave = std::floor(std::sin((step - 1) * 5 * std::numbers::pi / 180) * 17) + 1;
  } else {
    cell.Wave = 1;
  }

  if (st.BoardGrowIn && cell.IsExists) {
    cell.Pos.Size += 4 * sx;  // per frame, on purpose not scaled by the frame factor
    if (cell.Pos.Size >= 0) {
      cell.Pos.Size = 0;
      growInReached = true;
      st.NoFall = false;
      st.BoardIdle = false;
      cell.IsAvailable = true;
    }
  }

  if (!cell.IsExists) cell.Disappear = Removal::None;

  if (cell.Disappear == Removal::Start) {
    if (c.hooks) c.hooks->itemTaken(c, cell.Gem, i);
    cell.Disappear = Removal::Removing;
  }

  if (cell.Disappear == Removal::Removing && cell.Ice == 0) {
    st.BoardIdle = false;
    cell.Pos.Size -= (IsJewel(cell.Gem) ? 5 : 2.5) * sx * ff;
    if (cell.Pos.Size <= -40 * sx) {
      // A line the running swap made is paid when the swap ends, however slow the frames.
      if (st.SwapState == SwapPhase::Idle) cell.Disappear = Removal::Award;
      else cell.Pos.Size = -40 * sx;
    }
  }

  if (cell.Disappear == Removal::Removing && cell.Ice >= 1) {
    st.BoardIdle = false;
    cell.Pos.Size += 4 * sx * ff;
    cell.ColFade = std::clamp(int((1 - cell.Pos.Size / (40 * sx)) * 255), 0, 255);
    if (cell.Pos.Size >= 40 * sx && st.SwapState != SwapPhase::Idle) cell.Pos.Size = 40 * sx;  // paid after the swap
    if (cell.Pos.Size >= 40 * sx && st.SwapState == SwapPhase::Idle) {
      cell.Pos.Size = 0;
      cell.Ice -= 1;
      cell.ColFade = 255;
      cell.IsAvailable = true;
      cell.Disappear = Removal::BurstAward;
      QueueSfx(st.Events, cell.Ice == 0 ? "ev_game_bal_pop" : "ev_game_bal_fill");
    }
  }

  if (cell.Disappear == Removal::Dropping) {
    st.BoardIdle = false;
    cell.Ice = 0;
    cell.Pos.Size -= 2 * sx * ff;
    cell.Pos.CurY = 1.02 * cell.Pos.CurY + 2 * c.sy * ff;  // accelerates downwards
    if (cell.Pos.Size <= -40 * sx) {
      cell.Pos.Size = 0;
      cell.Gem = 0;
      cell.IsAvailable = true;
      cell.Disappear = Removal::DropDone;
    }
  }

  if (cell.Disappear == Removal::Award) {
    if (!AwardAndGild(c, i)) return;
  }

  if (cell.Disappear == Removal::EmptyAfterTip) {
    st.BoardIdle = false;
    cell.IsAvailable = false;
    cell.Disappear = Removal::None;
    cell.Gem = 0;
    cell.Pos.Size = 0;
    cell.IsAvailable = true;
  }

  if (cell.Disappear == Removal::DropDone) {
    st.BoardIdle = false;
    cell.Pos.CurX = cell.Pos.X;
    cell.Pos.CurY = cell.Pos.Y;
    ClearParent(cell);
    cell.Disappear = Removal::None;
  }

  if (cell.Disappear == Removal::BurstAward) {
    CellFx& fx = c.cells.fx[std::size_t(i)];
    StartPointsText(fx, cell, ItemPoints(fx.Points, st.MatchLines, st.Combo, st.GoldSum));
    // The line bonus is shown but not paid for a burst. A burst never costs
    // points, even when its tile value was never set by a line search.
    int paid = int(fx.Points + st.Combo - Sign(st.GoldSum));
    st.Score += std::max(paid, 0);
    st.BoardIdle = false;
    ClearParent(cell);
    cell.Disappear = Removal::None;
  }
}

}  // namespace bm

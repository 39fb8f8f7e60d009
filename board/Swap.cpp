#include "board/Swap.h"

#include <cmath>
#include <numbers>

#include "board/FallStep.h"
#include "board/ItemCodes.h"
#include "board/MarkMatches.h"

namespace bm {

namespace {

constexpr double kDeg = std::numbers::pi / 180;

bool StartPair(Cells& cells, BoardState& st, int a, int b, bool (*kind)(int)) {
  if (a < 0 || a > 500 || b < 0 || b > 500 || a == b || st.SwapState != SwapPhase::Idle) return false;
  int ga = cells[a].Gem, gb = cells[b].Gem;
  if (!kind(ga) || !kind(gb) || ga == gb) return false;
  st.IsReturnSwap = false;
  cells[a].IsAvailable = false;
  cells[b].IsAvailable = false;
  st.SwapA = a;
  st.SwapB = b;
  st.SwapState = SwapPhase::Start;
  return true;
}

bool AnyItem(int code) { return IsItem(code); }
bool AnyJewel(int code) { return IsJewel(code); }

void Begin(BoardCtx& c, Cell& A, Cell& B) {
  BoardState& st = c.st;
  QueueSfx(st.Events, st.IsReturnSwap ? "ev_game_wrong" : "ev_game_swap");
  A.Front = B.Front = true;
  A.Fronter = false;
  B.Fronter = true;
  SwapGeometry& g = st.Swap;
  g.startAX = A.CenterX;
  g.startAY = A.CenterY;
  g.startBX = B.CenterX;
  g.startBY = B.CenterY;
  g.midX = (g.startAX + g.startBX) / 2;
  g.midY = (g.startAY + g.startBY) / 2;
  g.halfDist = std::hypot(g.startAX - g.midX, g.startAY - g.midY);
  st.SavedGemA = A.Gem;
  st.SavedGemB = B.Gem;
  st.SwapState = SwapPhase::Lift;
}

void Lift(BoardCtx& c, Cell& B) {
  B.Pos.Size += 4 * c.sx * c.ff;
  if (B.Pos.Size > 8 * c.sx) {
    B.Pos.Size = 8 * c.sx;
    SwapGeometry& g = c.st.Swap;
    // A = M + r * (sin a0, cos a0)
    g.startAngle = std::atan2(g.startAX - g.midX, g.startAY - g.midY);
    g.angle = g.startAngle;
    g.radius = g.halfDist;
    g.angleSpeed = 0;
    c.st.SwapState = SwapPhase::Exchange;
  }
}

void PlaceAt(Cell& A, Cell& B, const SwapGeometry& g, double radius, double angle) {
  double ox = radius * std::sin(angle), oy = radius * std::cos(angle);
  A.Pos.CurX = g.midX + ox;
  A.Pos.CurY = g.midY + oy;
  B.Pos.CurX = g.midX - ox;
  B.Pos.CurY = g.midY - oy;
}

void Exchange(BoardCtx& c, Cell& A, Cell& B) {
  BoardState& st = c.st;
  SwapGeometry& g = st.Swap;
  bool done;
  if (c.player.rumSwap) {
    // The rum turns the pair about its midpoint, faster and faster.
    g.angleSpeed += 1 * kDeg * c.ff;
    g.angle += g.angleSpeed;
    PlaceAt(A, B, g, g.halfDist, g.angle);
    done = g.angle - g.startAngle >= std::numbers::pi;
  } else {
    g.radius -= 7 * c.ff;
    PlaceAt(A, B, g, g.radius, g.startAngle);
    done = g.radius < -g.halfDist;
  }
  if (!done) return;
  for (Cell* cell : {&A, &B}) {
    cell->Pos.CurX = cell->Pos.X;
    cell->Pos.CurY = cell->Pos.Y;
  }
  g.angle = g.startAngle = g.angleSpeed = g.radius = 0;
  A.Gem = st.SavedGemB;
  B.Gem = st.SavedGemA;
  bool found = MarkMatches(c.cells);
  bool goBack = !found && !st.IsReturnSwap && !IsBonus(A.Gem) && !IsBonus(B.Gem) && !c.player.rumSwap &&
                !st.AnchorSwap;
  st.SwapState = goBack ? SwapPhase::SetDownBack : SwapPhase::SetDown;
}

// Set the lifted item down. An item already being removed keeps its own size:
// a bursting bubble grows it, and the two must not fight over it.
bool SetDown(BoardCtx& c, Cell& A, Cell& B) {
  bool down;
  if (B.Disappear == Removal::None || (B.Disappear == Removal::Removing && B.Ice == 0)) {
    B.Pos.Size -= 4 * c.sx * c.ff;
    down = B.Pos.Size < 0;
  } else {
    down = true;
  }
  if (!down) return false;
  for (Cell* cell : {&A, &B}) {
    cell->Front = cell->Fronter = false;
    // A matched item stays unavailable until its removal ends.
    if (cell->Disappear == Removal::None) {
      cell->IsAvailable = true;
      cell->Pos.Size = 0;
    }
  }
  return true;
}

// Triggering changes neither code, so the order of the two calls does not matter.
void Trigger(Cell& bonus, int partnerCell, const Cell& partner) {
  if (IsBonus(bonus.Gem) && IsItem(partner.Gem) && bonus.Disappear == Removal::None) {
    bonus.Parent = partnerCell;
    bonus.ParentGem = partner.Gem;
    bonus.Disappear = Removal::Start;
  }
}

void Finish(BoardCtx& c, Cell& A, Cell& B) {
  BoardState& st = c.st;
  st.SwapState = SwapPhase::Idle;
  if (st.IsReturnSwap) OfferTip(st.Events, c.player, 3, st.SwapA);
  // Both may trigger when two bonus items were swapped.
  Trigger(A, st.SwapB, B);
  Trigger(B, st.SwapA, A);
  c.player.rumSwap = false;
  ScoreMatches(c.cells, st);
  Refill(c);
  st.AnchorSwap = false;
}

}  // namespace

bool CanSwap(const Cells& cells, int a, int b) {
  if (!Cells::InRange(a) || !Cells::InRange(b) || a == b) return false;
  const Cell& A = cells[a];
  const Cell& B = cells[b];
  return IsItem(A.Gem) && IsItem(B.Gem) && A.Gem != B.Gem && A.Ice < 1 && B.Ice < 1;
}

bool StartSwap(Cells& cells, BoardState& st, int a, int b) { return StartPair(cells, st, a, b, AnyItem); }

bool StartJewelSwap(Cells& cells, BoardState& st, int a, int b) { return StartPair(cells, st, a, b, AnyJewel); }

void SwapStep(BoardCtx& c) {
  BoardState& st = c.st;
  if (st.SwapState == SwapPhase::Idle) return;
  Cell& A = c.cells[st.SwapA];
  Cell& B = c.cells[st.SwapB];
  switch (st.SwapState) {
    case SwapPhase::Start: Begin(c, A, B); break;
    case SwapPhase::Lift: Lift(c, B); break;
    case SwapPhase::Exchange: Exchange(c, A, B); break;
    case SwapPhase::SetDown:
      if (SetDown(c, A, B)) st.SwapState = SwapPhase::Finish;
      break;
    case SwapPhase::SetDownBack:
      if (SetDown(c, A, B)) st.SwapState = SwapPhase::SwapBack;
      break;
    case SwapPhase::SwapBack:
      // The same two cells are exchanged again.
      st.IsReturnSwap = true;
      A.IsAvailable = B.IsAvailable = false;
      st.SwapState = SwapPhase::Start;
      break;
    case SwapPhase::Finish: Finish(c, A, B); break;
    default: st.SwapState = SwapPhase::Idle; break;
  }
}

}  // namespace bm

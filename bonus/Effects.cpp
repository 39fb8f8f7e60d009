#include "bonus/Effects.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "board/BoardPhase.h"
#include "board/ItemCodes.h"

namespace bm {

namespace {

constexpr double kDeg = std::numbers::pi / 180;

EffectObject* FreeSlot(BonusState& b) {
  if (b.EffectsAlive >= kEffectSlots) return nullptr;
  for (EffectObject& e : b.Effects)
    if (!e.Active) return &e;
  return nullptr;
}

bool Holds(EffectKind k) { return k == EffectKind::Bomb || k == EffectKind::Rainbow; }

EffectObject* Create(BoardCtx& c, EffectKind kind, int owner, double x, double y) {
  BonusState& b = *c.bonus;
  EffectObject* e = FreeSlot(b);
  if (!e) return nullptr;
  *e = EffectObject{};
  e->Active = true;
  e->Kind = kind;
  e->FromX = e->X = e->ToX = x;
  e->FromY = e->Y = e->ToY = y;
  e->Owner = owner;
  e->OwnerGem = c.cells[owner].Gem;
  ++b.EffectsAlive;
  if (Holds(kind)) ++b.HoldingAlive;
  b.Figures.effectsPeak = std::max(b.Figures.effectsPeak, b.EffectsAlive);
  return e;
}

void End(BonusState& b, EffectObject& e) {
  if (!e.Active) return;
  e.Active = false;
  --b.EffectsAlive;
  if (Holds(e.Kind)) --b.HoldingAlive;
}

// An item the gun may shoot at or the Seismic Gem may reach.
bool AtRestWithItem(const Cell& cell) { return CellAtRest(cell) && IsItem(cell.Gem); }

double CellX(const BoardCtx& c, const ScreenMetrics& m, int i) { return m.CellScreenX(c.cells[i].CenterX); }
double CellY(const BoardCtx& c, const ScreenMetrics& m, int i) { return m.CellScreenY(c.cells[i].CenterY); }

// Three flames that turn through q rings.
void StartBomb(BoardCtx& c, int cell, double q, double x, double y, int& made) {
  for (double offset : {0.0, 120.0, -120.0}) {
    EffectObject* e = Create(c, EffectKind::Bomb, cell, x, y);
    if (!e) return;
    e->Spin = q;
    e->Offset = offset;
    ++made;
  }
}

void StartRainbow(BoardCtx& c, int cell, double x, double y, const ScreenMetrics& m, int& made) {
  int partner = c.cells[cell].ParentGem;
  // Every cell, the corner cell 0 included: the gem takes every item of the kind.
  for (int i = 0; i < kCellCount; ++i) {
    const Cell& t = c.cells[i];
    if (i == cell || !AtRestWithItem(t) || t.Gem != partner) continue;
    EffectObject* e = Create(c, EffectKind::Rainbow, cell, x, y);
    if (!e) return;
    e->Target = i;
    e->ToX = CellX(c, m, i);
    e->ToY = CellY(c, m, i);
    e->Color = 0xFF000000u | std::uint32_t(c.rng.Below(1 << 24));
    ++made;
  }
}

void StartCore(BoardCtx& c, int cell, double x, double y, const ScreenMetrics& m, int& made) {
  double length = 50 * m.XPercent;
  for (double a : {0.0, 63.0, 117.0, 180.0, -63.0, -117.0}) {
    EffectObject* e = Create(c, EffectKind::Core, cell, x, y);
    if (!e) return;
    e->ToX = x + length * std::sin(a * kDeg);
    e->ToY = y + length * std::cos(a * kDeg);
    ++made;
  }
}

void StartGun(BoardCtx& c, int cell, int shots, double x, double y, const ScreenMetrics& m, int& made) {
  int candidates[kCellCount];
  int n = 0;
  for (int i = 0; i < kCellCount; ++i)
    if (i != cell && AtRestWithItem(c.cells[i])) candidates[n++] = i;
  int want = std::min(shots, n);
  int targets[kCellCount];
  int found = 0;
  // Distinct targets: a repeat is drawn again, up to 1000 draws in all.
  for (int draws = 0; found < want && draws < 1000; ++draws) {
    int t = candidates[c.rng.Below(n)];
    if (std::find(targets, targets + found, t) == targets + found) targets[found++] = t;
  }
  for (int k = 0; k < found; ++k) {
    EffectObject* e = Create(c, EffectKind::Gun, cell, x, y);
    if (!e) return;
    e->Target = targets[k];
    e->ToX = CellX(c, m, targets[k]);
    e->ToY = CellY(c, m, targets[k]);
    ++made;
  }
}

// Bomb flame: keeps a ring for most of each 130 degrees, then jumps to the next.
void MoveFlame(EffectObject& e, double ff, const ScreenMetrics& m) {
  e.Turn += 15 * ff;
  double ring = e.Turn / 130;
  double k = std::floor(ring), f = ring - k;
  double R = k + 0.5 + (std::pow(2 * f - 1, 9) + 1) / 2;
  double a = (e.Turn + e.Offset) * kDeg;
  e.X = e.FromX + 6 * m.YPercent * R * std::sin(a);
  e.Y = e.FromY + 6 * m.XPercent * R * std::cos(a);
  double reach = e.Spin * 130 - 5;
  e.Progress = std::min(1.0, e.Turn / reach);
}

void MoveFlight(EffectObject& e, double step) {
  e.Progress = std::min(1.0, e.Progress + step);
  e.X = e.FromX + (e.ToX - e.FromX) * e.Progress;
  e.Y = e.FromY + (e.ToY - e.FromY) * e.Progress;
}

}  // namespace

ScreenMetrics MetricsOf(const BoardCtx& c) {
  if (c.metrics) return *c.metrics;
  return ScreenMetrics::For(int(std::lround(1280 * c.sx)), int(std::lround(1024 * c.sy)));
}

int StartEffect(BoardCtx& c, int cell, EffectKind kind, double power) {
  if (!c.bonus || cell < 0 || cell >= kCellCount) return 0;
  ScreenMetrics m = MetricsOf(c);
  double x = m.CellScreenX(c.cells[cell].Pos.CurX), y = m.CellScreenY(c.cells[cell].Pos.CurY);
  int made = 0;
  switch (kind) {
    case EffectKind::Bomb: StartBomb(c, cell, power, x, y, made); break;
    case EffectKind::Rainbow: StartRainbow(c, cell, x, y, m, made); break;
    case EffectKind::Core: StartCore(c, cell, x, y, m, made); break;
    case EffectKind::Gun: StartGun(c, cell, int(power), x, y, m, made); break;
    case EffectKind::None: break;
  }
  return made;
}

bool EffectsHoldBoard(const BonusState& b) { return b.HoldingAlive > 0; }

int EffectAlpha(const EffectObject& e) {
  if (e.Kind == EffectKind::Core) return std::clamp(int((1 - e.Progress) * 255), 0, 255);
  return 255;
}

void RunEffects(BoardCtx& c) {
  if (!c.bonus || c.bonus->EffectsAlive == 0) return;
  BonusState& b = *c.bonus;
  ScreenMetrics m = MetricsOf(c);
  const double h = m.YPercent;

  // The drawn centres of the existing cells, once for all objects.
  struct Centre {
    float x, y;
    int cell;
  };
  Centre centres[kCellCount];
  int n = 0;
  for (int i = 0; i < kCellCount; ++i)
    if (c.cells[i].IsExists)
      centres[n++] = {float(m.CellScreenX(c.cells[i].CenterX)), float(m.CellScreenY(c.cells[i].CenterY)), i};
  const double reach = 37.0 * 96 * m.XScale / 64;
  const double reach2 = reach * reach;

  int left = b.EffectsAlive;
  for (EffectObject& e : b.Effects) {
    if (left == 0) break;
    if (!e.Active) continue;
    --left;
    bool ends = false;
    switch (e.Kind) {
      case EffectKind::Bomb:
        MoveFlame(e, c.ff, m);
        ends = e.Turn > e.Spin * 130 - 5;
        break;
      case EffectKind::Rainbow: {
        double d = std::hypot(e.ToX - e.FromX, e.ToY - e.FromY);
        MoveFlight(e, 1 / (0.5 * d / h + 25));
        e.Spin = 4 * std::numbers::pi * e.Progress;
        ends = e.Progress >= 1;
        break;
      }
      case EffectKind::Core:
        MoveFlight(e, 1.0 / 60);
        ends = e.Progress >= 1;
        break;
      case EffectKind::Gun: {
        double d = std::hypot(e.ToX - e.FromX, e.ToY - e.FromY);
        MoveFlight(e, 1 / (0.7 * d / h + 15));
        ends = e.Progress >= 1;
        break;
      }
      case EffectKind::None: ends = true; break;
    }

    // The cell under the object, once per pass.
    double best = reach2;
    int hit = -1;
    for (int k = 0; k < n; ++k) {
      double dx = centres[k].x - e.X, dy = centres[k].y - e.Y;
      double d = dx * dx + dy * dy;
      if (d < best) {
        best = d;
        hit = centres[k].cell;
      }
    }
    if (hit >= 0 && hit != e.LastCell) {
      Cell& cell = c.cells[hit];
      // Only an item at rest is destroyed: one that falls or is being swapped
      // keeps its place in the pass and is not hit twice.
      if (CellAtRest(cell)) {
        cell.Parent = e.Owner;
        cell.ParentGem = e.OwnerGem;
        cell.Disappear = Removal::Start;
      }
      e.LastCell = hit;
    }
    if (ends) End(b, e);
  }
}

}  // namespace bm

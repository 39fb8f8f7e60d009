#include "bot/BotBonuses.h"

#include <cmath>

#include "board/BoardPhase.h"
#include "board/Geometry.h"
#include "board/ItemCodes.h"
#include "board/LineRule.h"
#include "bonus/BonusKinds.h"

namespace bm {

namespace {

// What a key is worth to take; a bonus code of no kind, like a stock bonus.
constexpr double kKeyWorth = 500, kOtherWorth = 220;

bool Plain(const Cell& c) { return c.IsExists && c.Gnd == 0; }
bool FreeItem(const Cell& c) { return CellAtRest(c) && IsItem(c.Gem) && c.Ice == 0; }

double ScreenX(const Cells& cells, const ScreenMetrics& m, int i) { return m.CellScreenX(cells[i].CenterX); }
double ScreenY(const Cells& cells, const ScreenMetrics& m, int i) { return m.CellScreenY(cells[i].CenterY); }

// Plain tiles within a radius of a cell.
int PlainWithin(const Cells& cells, const ScreenMetrics& m, int at, double radius) {
  int n = 0;
  double x = ScreenX(cells, m, at), y = ScreenY(cells, m, at);
  for (int k = 0; k < kCellCount; ++k)
    if (Plain(cells[k]) && std::hypot(ScreenX(cells, m, k) - x, ScreenY(cells, m, k) - y) < radius) ++n;
  return n;
}

// Plain tiles near the six lines of a cannonball.
int PlainOnRays(const Cells& cells, const ScreenMetrics& m, int at) {
  double x = ScreenX(cells, m, at), y = ScreenY(cells, m, at);
  int n = 0;
  for (int k = 0; k < kCellCount; ++k) {
    if (!Plain(cells[k])) continue;
    double dx = ScreenX(cells, m, k) - x, dy = ScreenY(cells, m, k) - y;
    for (double a : {0.0, 63.0, 117.0}) {
      double r = a * 3.14159265358979 / 180;
      double off = std::abs(dx * std::cos(r) - dy * std::sin(r));  // distance from the line through the cell
      if (off < 50 * m.XScale) {
        ++n;
        break;
      }
    }
  }
  return n;
}

int PlainTiles(const Cells& cells) {
  int n = 0;
  for (int k = 0; k < kCellCount; ++k) n += Plain(cells[k]);
  return n;
}

// The anchor pair whose swap makes a line over the most plain tiles.
BonusPlan BestAnchorSwap(const Cells& cells) {
  BonusPlan best;
  std::vector<LineRef> before = LinesOfAnyCode(cells);
  for (int a = 0; a < kCellCount; ++a) {
    if (!FreeItem(cells[a]) || !IsJewel(cells[a].Gem)) continue;
    for (int b = a + 1; b < kCellCount; ++b) {
      if (!FreeItem(cells[b]) || !IsJewel(cells[b].Gem) || cells[a].Gem == cells[b].Gem) continue;
      if (!WouldMatch(cells, a, b, before)) continue;
      // Worth: plain tiles among the two cells' neighbourhoods, as a cheap guess.
      double w = 100.0 * (Plain(cells[a]) + Plain(cells[b])) + 1;
      for (int d : {-11, -6, -5, 5, 6, 11}) {
        if (a + d >= 0 && a + d < kCellCount && Plain(cells[a + d])) w += 30;
        if (b + d >= 0 && b + d < kCellCount && Plain(cells[b + d])) w += 30;
      }
      if (w > best.worth) best = {BonusPlan::Kind::AnchorSwap, a, b, StockButton::Hook, w};
    }
  }
  return best;
}

}  // namespace

double BonusSwapWorth(const Cells& cells, const ScreenMetrics& m, int i, int j, double sandLeft) {
  const Cell& c = cells[i];
  double self = Plain(c) ? 100 : 0;
  const BonusKind* kind = FindBonusKind(c.Gem);
  if (!kind) return self + (IsKey(c.Gem) ? kKeyWorth : kOtherWorth);
  const double ring = 6 * m.YPercent;
  switch (kind->bot) {
    case BotAim::Flat: return self + kind->botWorth;
    case BotAim::Blast: return self + 100.0 * PlainWithin(cells, m, i, ring * 1.6);
    case BotAim::Rays: return self + 100.0 * PlainOnRays(cells, m, i);
    case BotAim::Shots: return self + 100.0 * std::min(2, PlainTiles(cells));
    case BotAim::SameKind: {
      int n = 0;
      for (int k = 0; k < kCellCount; ++k) n += cells[k].Gem == cells[j].Gem && Plain(cells[k]) && k != j;
      return self + 100.0 * n;
    }
    // Time is worth most when the glass runs low.
    case BotAim::Time: return self + (sandLeft < 0.35 ? 900 : kind->botWorth);
    // Jewels swapping by themselves: a nuisance while lines are easy to find,
    // a welcome stir when the last few tiles wait for the right jewels.
    case BotAim::Stir: return self + (PlainTiles(cells) <= 8 ? 150 : 20);
  }
  return self;
}

BonusPlan PlanBonus(const Cells& cells, const BoardState& st, const BoardPlayer& player, const ScreenMetrics& m,
                    double sandLeft, double bestMoveWorth) {
  BonusPlan best;
  // Board bonuses: each with the neighbour that makes it worth most.
  for (int i = 0; i < kCellCount; ++i) {
    if (!FreeItem(cells[i]) || !IsBonus(cells[i].Gem)) continue;
    for (int d : {-11, -6, -5, 5, 6, 11}) {
      int j = i + d;
      if (j < 0 || j >= kCellCount || !FreeItem(cells[j]) || cells[j].Gem == cells[i].Gem) continue;
      if (!IsNeighbour(cells, i, j)) continue;
      double w = BonusSwapWorth(cells, m, i, j, sandLeft);
      if (IsBonus(cells[j].Gem)) w += BonusSwapWorth(cells, m, j, i, sandLeft);
      if (w > best.worth) best = {BonusPlan::Kind::Swap, i, j, StockButton::None, w};
    }
  }
  if (best.worth > bestMoveWorth) return best;
  best = {};

  int plain = PlainTiles(cells);
  // The sun: the last few tiles, or a jewel deep in bubbles.
  if (player.sunCount > 0 && !st.SunArmed && plain >= 1) {
    int target = -1, deepest = 0;
    for (int k = 0; k < kCellCount; ++k) {
      const Cell& c = cells[k];
      if (!CellAtRest(c)) continue;
      if (plain <= 3 && c.Gnd == 0 && bestMoveWorth < 100) target = k;
      if (c.Ice >= 3 && c.Ice > deepest && c.Gnd == 0) {
        deepest = c.Ice;
        target = k;
      }
    }
    if (target >= 0) return {BonusPlan::Kind::PressAndClick, target, -1, StockButton::Sun, 1000};
  }
  if (bestMoveWorth >= 100) return best;
  // Nothing on the board gilds: look again with the parrot, stir with the
  // shuffle, or reach across with the anchor.
  if (player.anchorCount > 0 && !st.AnchorArmed) {
    BonusPlan anchor = BestAnchorSwap(cells);
    if (anchor.kind != BonusPlan::Kind::None && anchor.worth >= 100) return anchor;
  }
  if (player.shuffleCount > 0 && plain > 6)
    return {BonusPlan::Kind::Press, -1, -1, StockButton::Shuffle, 50};
  if (player.parrotCount > 0 && !st.ParrotShowing)
    return {BonusPlan::Kind::Press, -1, -1, StockButton::Parrot, 10};
  return best;
}

}  // namespace bm

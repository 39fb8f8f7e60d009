#include "bot/MoveChoice.h"

#include <algorithm>
#include <cmath>

#include "board/Geometry.h"
#include "board/ItemCodes.h"

namespace bm {

namespace {

constexpr int kUnknown = -1;  // a jewel still to drop in: nobody knows its kind

// The visible board, small enough to copy for every move tried.
struct Sim {
  std::array<std::int16_t, kCellCount> gem{};
  std::array<std::int8_t, kCellCount> ice{};
  std::array<std::uint8_t, kCellCount> gold{};
};

// Worth of gilding a tile and of bursting a bubble, per unit of hardness.
constexpr double kGild = 100, kBurst = 70, kBurstOnGold = 10;
// Worth of a tile left plain that the next drops may gild, or a next move gilds.
constexpr double kChance = 80, kReach = 35;

std::array<std::uint64_t, 2> LayoutKey(const Cells& cells) {
  std::array<std::uint64_t, 2> key{};
  for (int i = 0; i < kCellCount; ++i)
    if (cells[i].IsExists) key[std::size_t(i / 64)] |= std::uint64_t(1) << (i % 64);
  return key;
}

void BuildShape(const Cells& cells, MoveShape& s) {
  s = MoveShape{};
  s.key = LayoutKey(cells);
  auto exists = [&](int i) { return i >= 0 && i < kCellCount && cells[i].IsExists; };
  for (int i = 0; i < kCellCount; ++i) {
    if (!exists(i)) continue;
    ++s.cells;
    for (int d : {-11, -6, -5, 5, 6, 11})
      if (exists(i + d) && IsNeighbour(cells, i, i + d)) s.neighbours[std::size_t(i)].push_back(i + d);
    for (int d : kAxes)
      if (exists(i - d) && exists(i + d) && IsNeighbour(cells, i, i - d) && IsNeighbour(cells, i, i + d)) {
        int n = int(s.lines.size());
        s.lines.push_back({i - d, i, i + d});
        for (int k : {i - d, i, i + d}) s.linesOf[std::size_t(k)].push_back(n);
      }
  }
  // Items fall straight down: a run ends at a hole.
  for (int i = 0; i < kCellCount; ++i) {
    if (!exists(i) || exists(i - 11)) continue;
    std::vector<int> run;
    for (int k = i; exists(k); k += 11) run.push_back(k);
    s.columns.push_back(run);
  }
  // A cell few lines pass through is met by few moves; a short run under a
  // hole is stirred only by what falls into it.
  for (const std::vector<int>& run : s.columns)
    for (int k : run) {
      double n = double(std::max<std::size_t>(1, s.linesOf[std::size_t(k)].size()));
      double h = std::sqrt(9.0 / n);
      if (run.size() <= 2) h *= 1.15;
      s.hard[std::size_t(k)] = std::max(1.0, h);
    }
}

Sim SimOf(const Cells& cells, const MoveShape& shape) {
  Sim s;
  for (const std::vector<int>& run : shape.columns)
    for (int k : run) {
      s.gem[std::size_t(k)] = std::int16_t(cells[k].Gem > 0 ? cells[k].Gem : kUnknown);
      s.ice[std::size_t(k)] = std::int8_t(std::clamp(cells[k].Ice, 0, 100));
      s.gold[std::size_t(k)] = cells[k].Gnd != 0;
    }
  return s;
}

// Items drop to the bottom of their run; the top is refilled with unknowns.
void Fall(Sim& s, const MoveShape& shape) {
  for (const std::vector<int>& run : shape.columns) {
    int write = int(run.size()) - 1;
    for (int r = write; r >= 0; --r) {
      std::size_t k = std::size_t(run[std::size_t(r)]);
      if (s.gem[k] == 0) continue;
      std::size_t to = std::size_t(run[std::size_t(write--)]);
      if (to != k) {
        s.gem[to] = s.gem[k];
        s.ice[to] = s.ice[k];
        s.gem[k] = 0;
        s.ice[k] = 0;
      }
    }
    for (; write >= 0; --write) {
      std::size_t k = std::size_t(run[std::size_t(write)]);
      s.gem[k] = kUnknown;
      s.ice[k] = 0;
    }
  }
}

// Lines, removals and falls until the visible board makes no more lines.
// Returns the worth ranked by; gilds gets the plain worth.
double Resolve(Sim& s, const MoveShape& shape, double& gilds) {
  double value = 0;
  std::array<std::uint8_t, kCellCount> mark{};
  for (int depth = 0; depth < 30; ++depth) {
    mark.fill(0);
    bool any = false;
    for (const auto& l : shape.lines) {
      int g = s.gem[std::size_t(l[0])];
      if (!IsJewel(g) || s.gem[std::size_t(l[1])] != g || s.gem[std::size_t(l[2])] != g) continue;
      for (int k : l) mark[std::size_t(k)] = 1;
      any = true;
    }
    if (!any) break;
    for (int k = 0; k < kCellCount; ++k) {
      if (!mark[std::size_t(k)]) continue;
      std::size_t u = std::size_t(k);
      double h = shape.hard[u];
      if (s.ice[u] > 0) {
        --s.ice[u];
        if (s.gold[u]) {
          value += kBurstOnGold;
        } else {
          gilds += kBurst;
          value += kBurst * h;
        }
        continue;
      }
      if (!s.gold[u]) {
        gilds += kGild;
        value += kGild * h;
        s.gold[u] = 1;
      }
      s.gem[u] = 0;
    }
    Fall(s, shape);
  }
  return value;
}

bool Swappable(const Sim& s, int k) {
  return IsItem(s.gem[std::size_t(k)]) && s.ice[std::size_t(k)] == 0;
}

// A single swap would put a line over tile t.
bool Reachable(const Sim& s, const MoveShape& shape, int t) {
  for (int n : shape.linesOf[std::size_t(t)]) {
    const auto& l = shape.lines[std::size_t(n)];
    for (int odd = 0; odd < 3; ++odd) {
      int x = l[std::size_t((odd + 1) % 3)], y = l[std::size_t((odd + 2) % 3)], z = l[std::size_t(odd)];
      int g = s.gem[std::size_t(x)];
      if (!IsJewel(g) || s.gem[std::size_t(y)] != g || s.gem[std::size_t(z)] == g || !Swappable(s, z)) continue;
      for (int nb : shape.neighbours[std::size_t(z)])
        if (nb != x && nb != y && s.gem[std::size_t(nb)] == g && s.ice[std::size_t(nb)] == 0) return true;
    }
  }
  return false;
}

// The chance that the jewels still to drop in finish a line over tile t.
double DropChance(const Sim& s, const MoveShape& shape, int t, double kinds) {
  double miss = 1;
  for (int n : shape.linesOf[std::size_t(t)]) {
    int known = 0, unknown = 0;
    bool ok = true;
    for (int k : shape.lines[std::size_t(n)]) {
      int g = s.gem[std::size_t(k)];
      if (g == kUnknown) {
        ++unknown;
      } else if (!IsJewel(g) || (known != 0 && g != known)) {
        ok = false;
        break;
      } else {
        known = g;
      }
    }
    if (!ok || unknown == 0) continue;
    miss *= 1 - std::pow(1 / kinds, unknown == 3 ? 2 : unknown);
  }
  return 1 - miss;
}

// What the board left after a move promises for the tiles still plain. It
// weighs little while plain tiles are everywhere (any line gilds then) and
// fully once the last dozen are left, where the level is won or lost.
double Outlook(const Sim& s, const MoveShape& shape, double kinds) {
  double v = 0;
  int plain = 0;
  for (const std::vector<int>& run : shape.columns)
    for (int t : run) {
      std::size_t u = std::size_t(t);
      if (s.gold[u]) continue;
      ++plain;
      double w = shape.hard[u] * (s.ice[u] > 0 ? 0.7 : 1.0);
      v += w * (kChance * DropChance(s, shape, t, kinds) + (Reachable(s, shape, t) ? kReach : 0));
    }
  return v * std::clamp(12.0 / std::max(plain, 1), 0.1, 1.0);
}

}  // namespace

const MoveShape& MoveChooser::ShapeOf(const Cells& cells) {
  if (!built_ || shape_.key != LayoutKey(cells)) {
    BuildShape(cells, shape_);
    built_ = true;
  }
  return shape_;
}

std::vector<MoveWorth> MoveChooser::Rank(const Cells& cells) {
  std::vector<MoveWorth> out;
  std::vector<MovePair> moves = ListMoves(cells);
  const MoveShape& shape = ShapeOf(cells);
  Sim start = SimOf(cells, shape);
  // The kinds in play, as far as the board shows them.
  std::array<bool, 41> seen{};
  int kinds = 0;
  for (int i = 0; i < kCellCount; ++i)
    if (cells[i].IsExists && IsJewel(cells[i].Gem) && !seen[std::size_t(cells[i].Gem)]) {
      seen[std::size_t(cells[i].Gem)] = true;
      ++kinds;
    }
  for (const MovePair& m : moves) {
    if (m.from > m.to) continue;  // each move is listed from both of its cells
    Sim s = start;
    std::swap(s.gem[std::size_t(m.from)], s.gem[std::size_t(m.to)]);
    MoveWorth w;
    w.move = m;
    w.value = Resolve(s, shape, w.gilds);
    w.value += Outlook(s, shape, std::max(3, kinds));
    out.push_back(w);
  }
  return out;
}

std::optional<MovePair> MoveChooser::Choose(const Cells& cells, Rng& rng, bool anyMove, double* worth) {
  if (worth) *worth = 0;
  if (anyMove) {
    std::vector<MovePair> unique;
    for (const MovePair& m : ListMoves(cells))
      if (m.from < m.to) unique.push_back(m);
    if (unique.empty()) return std::nullopt;
    return unique[std::size_t(rng.Below(int(unique.size())))];
  }
  std::vector<MoveWorth> ranked = Rank(cells);
  if (ranked.empty()) return std::nullopt;
  double best = -1;
  const MoveWorth* pick = nullptr;
  for (const MoveWorth& w : ranked) {
    double v = w.value + rng.Next();  // the fraction breaks ties
    if (v > best) {
      best = v;
      pick = &w;
    }
  }
  if (worth) *worth = pick->gilds;
  return pick->move;
}

}  // namespace bm

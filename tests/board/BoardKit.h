// Crafted boards for the board tests: the lattice of the level compiler, codes
// set from a string, and a virtual clock and pointer to run frames with.
//
// Layout strings list cells in index order, whitespace separated; cells not
// listed get the filler. Tokens:
//   .    hole (the cell does not exist)
//   _    an existing cell with no item
//   f    the filler code of that cell
//   N    item code N, optionally followed by *K (K bubbles) and/or g (gold tile)
// The filler 20 + (column + 2 x half-row) mod 5 never has two equal codes at
// distance one or two along an axis, so a filled board has no line and no move.
#pragma once
#include <algorithm>
#include <memory>
#include <cctype>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "board/BoardContext.h"
#include "board/BoardPhase.h"
#include "board/FrameInput.h"
#include "board/GameFrame.h"
#include "board/LatticeBoard.h"
#include "board/MouseClick.h"
#include "board/MoveSearch.h"
#include "match/Match.h"

namespace bm::testing {

inline int Column(int i) {
  int k = i % 11;
  return k <= 5 ? 2 * k : 2 * (k - 6) + 1;
}
inline int HalfRow(int i) { return 2 * (i / 11) + Column(i) % 2; }
inline int FillerCode(int i) { return 20 + (Column(i) + 2 * HalfRow(i)) % 5; }

// A Match on a crafted board, moved on by a virtual clock and pointer through
// AdvanceFrame. The hourglass stands still unless a test starts it.
struct BoardKit {
  std::unique_ptr<Match> owner = std::make_unique<Match>(7);
  Match& m = *owner;
  Cells& cells = m.cells;
  BoardState& st = m.board;
  LevelState& level = m.level;
  BoardPlayer& player = m.player;
  Rng& rng = m.rng;
  ScreenMetrics& metrics = m.metrics;
  double now = 10000;
  double px = 0, py = 0;
  bool left = false, right = false;
  bool inClient = true;
  std::uint32_t keys = 0;

  explicit BoardKit(std::string_view layout = {}, bool refill = false) { Load(layout, refill); }

  // Lays out the board; without refill the top-cell list is emptied so that
  // emptied cells stay empty and no random item enters.
  void Load(std::string_view layout, bool refill = false) {
    std::vector<std::string> tokens;
    std::istringstream in{std::string(layout)};
    for (std::string t; in >> t;) tokens.push_back(t);
    std::string holes;
    for (std::size_t i = 0; i < tokens.size() && i < std::size_t(kCellCount); ++i)
      if (tokens[i] == ".") holes += std::to_string(i) + " ";
    LayOutLattice(cells, level, holes);
    for (int i = 0; i < kCellCount; ++i) {
      if (!cells[i].IsExists) continue;
      cells[i].Gem = FillerCode(i);
      if (std::size_t(i) >= tokens.size()) continue;
      const std::string& t = tokens[std::size_t(i)];
      if (t == "_") cells[i].Gem = 0;
      if (t.empty() || !std::isdigit(static_cast<unsigned char>(t[0]))) continue;
      std::size_t pos = 0;
      cells[i].Gem = std::stoi(t, &pos);
      for (; pos < t.size(); ++pos) {
        if (t[pos] == 'g') cells[i].Gnd = 1;
        if (t[pos] == '*') cells[i].Ice = t[++pos] - '0';
      }
    }
    level.JewelKinds = {20, 21, 22, 23, 24};
    if (!refill) level.TopCells.clear();
    st = BoardState{};
    st.PointsTextTime = now;
    ResetMoveTimer(st, now);
    m.clock = MatchClock{};
    m.clock.lastFrameTime = now;
    m.clock.sandEnabled = false;
    m.events.clear();
    // Plain jewels only, unless a bonus test switches them on.
    m.bonusesOn = false;
    ResetBonusLevel(m.bonus, now);
  }

  BoardKit(const BoardKit&) = delete;
  BoardKit& operator=(const BoardKit&) = delete;

  void Set(int cell, int code, int ice = 0) {
    cells[cell].Gem = code;
    cells[cell].Ice = ice;
  }

  BoardCtx Ctx(double ff = 1) {
    BoardCtx c{cells, st, level, player, rng, now, ff, metrics.XScale, metrics.YScale};
    c.metrics = &metrics;
    return c;
  }

  MatchInput Pass() const {
    MatchInput in;
    in.now = now;
    in.pointerX = px;
    in.pointerY = py;
    in.leftDown = left;
    in.rightDown = right;
    in.pointerInClient = inClient;
    in.pointerOverGame = true;
    in.screenW = metrics.Width;
    in.screenH = metrics.Height;
    in.keys = keys;
    return in;
  }

  // Advances the virtual clock by dt ms and runs one pass of the match.
  void Frame(double dt = 35) {
    now += dt;
    AdvanceFrame(m, Pass());
  }
  void Frames(int n, double dt = 35) {
    for (int k = 0; k < n; ++k) Frame(dt);
  }
  // Nothing is removed, falls or swaps (without the refill an emptied cell
  // stays empty).
  bool AtRest() const { return Settled(PhaseOf(cells, st)); }
  // Runs frames until the board has settled (nothing removed, nothing falling,
  // no swap) or the limit is reached; returns the frames run.
  int Settle(int limit = 2000, double dt = 35) {
    for (int k = 0; k < limit; ++k) {
      Frame(dt);
      if (AtRest()) return k + 1;
    }
    return limit;
  }

  void PointAt(int cell) {
    px = metrics.CellScreenX(cells[cell].CenterX);
    py = metrics.CellScreenY(cells[cell].CenterY);
  }
  // A click as a player makes it: rest the pointer on the cell for a frame so
  // the board sees it hovered, press for a frame, release for a frame.
  void Click(int cell, double dt = 35) {
    PointAt(cell);
    Frame(dt);
    left = true;
    Frame(dt);
    left = false;
    Frame(dt);
  }

  // What the match queued, then what rules called directly queued on the board.
  BoardEvents Events() const {
    BoardEvents all = m.events;
    all.insert(all.end(), st.Events.begin(), st.Events.end());
    return all;
  }
  void ClearEvents() {
    m.events.clear();
    st.Events.clear();
  }

  std::vector<std::string> Sounds() const {
    std::vector<std::string> out;
    for (const auto& e : Events())
      if (e.kind == BoardEvent::Kind::Sound && e.mode != SfxMode::Rearm && e.text != "ev_game_timeout")
        out.push_back(e.text);
    return out;
  }
  int CountSound(std::string_view cue) const {
    auto s = Sounds();
    return int(std::count(s.begin(), s.end(), std::string(cue)));
  }
  std::vector<int> Tips() const {
    std::vector<int> out;
    for (const auto& e : Events())
      if (e.kind == BoardEvent::Kind::Tip) out.push_back(e.tip);
    return out;
  }
  int CountEvents(BoardEvent::Kind kind) const {
    auto all = Events();
    return int(std::count_if(all.begin(), all.end(), [&](const BoardEvent& e) { return e.kind == kind; }));
  }
};

}  // namespace bm::testing

// How the autoplay bot picks its move, as a good player would, from what is on
// the screen only: the jewels shown, their bubbles and the tiles not yet gold.
//
// Each move is played out on a copy of the visible board: its lines, the falls
// and the lines those falls make among the jewels already shown (a new jewel
// is unknown and matches nothing). A move is worth the tiles it gilds and the
// bubbles it bursts, a hard tile (an edge or a corner, a cell few lines pass
// through) more than an easy one; then, for the tiles still plain afterwards,
// the chance that the jewels about to drop in finish a line over them and the
// moves it leaves that would gild them next.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "board/Cell.h"
#include "board/MoveSearch.h"
#include "board/Rng.h"

namespace bm {

// The level's lattice as the move choice sees it: lines, column runs and how
// hard each cell is to reach. Built once per layout.
struct MoveShape {
  std::array<std::uint64_t, 2> key{};  // which cells exist
  std::vector<std::array<int, 3>> lines;                 // every place a line of three can stand
  std::array<std::vector<int>, kCellCount> linesOf{};    // the lines through each cell
  std::array<std::vector<int>, kCellCount> neighbours{};
  std::vector<std::vector<int>> columns;                 // runs of cells one above the other, top first
  std::array<double, kCellCount> hard{};                 // 1 for a cell in every line it could be, more for fewer
  int cells = 0;
};

struct MoveWorth {
  MovePair move;
  double gilds = 0;  // 100 a tile gilded and 70 a bubble burst, visible cascades included
  double value = 0;  // what the choice ranks by
};

class MoveChooser {
 public:
  // The best move on a board at rest; ties broken at random. With anyMove,
  // any legal move. worth (when given) receives the move's gilding worth.
  std::optional<MovePair> Choose(const Cells& cells, Rng& rng, bool anyMove = false, double* worth = nullptr);
  // Every legal move with its worth (tests, tools).
  std::vector<MoveWorth> Rank(const Cells& cells);

 private:
  const MoveShape& ShapeOf(const Cells& cells);
  MoveShape shape_;
  bool built_ = false;
};

}  // namespace bm

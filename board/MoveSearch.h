// Counting the swaps that would make a line, the hint, and the "NO MORE MOVES"
// sequence that ends in a shuffle.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "board/BoardContext.h"
#include "board/LineRule.h"

namespace bm {

struct MovePair {
  int from = 0, to = 0;
};

// Appends the moves of cell i (tried towards i+11, i-11, i+5, i-5, i+6, i-6).
// Every move is found from both of its cells.
void MovesAt(const Cells& cells, int i, std::vector<MovePair>& out);
// The same with the board's present lines already known (LinesOfAnyCode).
void MovesAt(const Cells& cells, int i, std::vector<MovePair>& out, const std::vector<LineRef>& before);
// All moves of the board, each listed from both cells.
std::vector<MovePair> ListMoves(const Cells& cells);

// A settled board shows a hint this long after it settled, and a new one as
// often while it stays settled; the hint is chosen where a count ends.
inline constexpr int kHintPeriodMs = 10000;

// One cell of the incremental count; -1 while counting, else the number of moves.
int CountMovesStep(BoardCtx& c);
// The whole count at once (the parrot).
int CountMovesAll(BoardCtx& c);
// Shows entry k (1-based) of the move list.
void ShowHint(BoardCtx& c, int k);
void ResetMoveTimer(BoardState& st, double now);

// Starts the sequence when a count of 0 arrives, then runs one frame of it.
void NoMovesStep(BoardCtx& c, bool countWasZero);
// Drops every free item off the board (cells 1..115, at rest, without bubbles).
void ShuffleBoard(BoardCtx& c);

struct NoMovesCaption {
  bool visible = false;
  const char* text = "";
  std::uint32_t argb = 0;  // alpha carries the fade
  double x = 0, y = 0;     // centre, 1280 x 1024 design pixels
  double size = 2.0;
};
NoMovesCaption CaptionOf(const BoardState& st);

}  // namespace bm

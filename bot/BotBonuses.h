// How the autoplay bot uses bonuses, as a good player would: it swaps a board
// bonus where it gilds most, takes keys, stars and time, saves the sun for the
// last tiles or deep bubbles, and turns to the parrot, the shuffle or the
// anchor when the board offers no move that gilds.
#pragma once
#include "board/BoardPlayer.h"
#include "board/BoardState.h"
#include "board/Cell.h"
#include "board/ScreenMetrics.h"
#include "bonus/BonusState.h"

namespace bm {

struct BonusPlan {
  enum class Kind { None, Swap, Press, PressAndClick, AnchorSwap };
  Kind kind = Kind::None;
  int a = -1, b = -1;  // the cells: the swap's two, the sun's one, the anchor's two
  StockButton button = StockButton::None;
  double worth = 0;    // on the scale of the bot's moves: 100 a tile gilded
};

// The best bonus action on a board at rest, given the worth of the best plain
// move (0 when there is none).
BonusPlan PlanBonus(const Cells& cells, const BoardState& st, const BoardPlayer& player, const ScreenMetrics& m,
                    double sandLeft, double bestMoveWorth);

// What swapping the bonus at cell i with its neighbour j would gild, roughly.
double BonusSwapWorth(const Cells& cells, const ScreenMetrics& m, int i, int j, double sandLeft);

}  // namespace bm

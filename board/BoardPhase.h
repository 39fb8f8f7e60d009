// What the board is doing, as one value read off the cells and the board state.
// Every "may the player move now?", "is the board at rest?" and "is this cell
// at rest?" is asked here; the board frame sets the flags it is built from.
#pragma once
#include "board/BoardState.h"
#include "board/Cell.h"

namespace bm {

// When several hold at once the first in this order wins: a won level stays
// won, a running caption holds the board, and a swap counts only while nothing
// around it is removed or falls.
enum class BoardPhase {
  LevelComplete,  // every tile gold: the items shrink away and the level ends
  TimeUp,         // the hourglass is empty; its caption runs
  GrowingIn,      // the level's items grow to full size
  Reshuffling,    // "NO MORE MOVES", then "RESHUFFLING", cross the board
  // Items matched, hit, burst or dropped are going, or a bomb or a Seismic Gem
  // flies (the frame the grow-in ends counts here too: the flags cannot tell).
  Removing,
  Falling,        // items fall, or fell last frame (the line search has not yet seen them land)
  SwappingBack,   // a swap that made no line goes back
  Swapping,       // two items change places
  Refilling,      // an existing cell waits for the item that falls or drops into it
  Idle,           // at rest: every item in its cell, nothing moves
};

// An item sits in its cell: not being removed, not falling, not held by a swap.
bool CellAtRest(const Cell& cell);

// The board frame's own flags: nothing was removed this frame and nothing fell
// this frame or the last. The frame reads them while it sets them (the gold
// test, the combo count); everything else asks PhaseOf.
bool SettleFlagsHold(const BoardState& st);

BoardPhase PhaseOf(const Cells& cells, const BoardState& st);

// Nothing moves and nothing waits: the bot may plan, the rum may swap, the
// parrot may count. (The loop sleeps on Match's BoardStill, which asks this and
// more: no popup, flying effect, shine or cell effect either.)
constexpr bool AtRest(BoardPhase p) { return p == BoardPhase::Idle; }
// Nothing is removed, falls, swaps or grows; a cell may still wait for its
// refill. The golden sun strikes.
constexpr bool Settled(BoardPhase p) { return p == BoardPhase::Idle || p == BoardPhase::Refilling; }
// A click selects or swaps: on a settled board, or while a swap runs alone (a
// selection may be made then; its own cells are not available, and a second
// swap waits for the first to end).
constexpr bool TakesClicks(BoardPhase p) {
  return Settled(p) || p == BoardPhase::Swapping || p == BoardPhase::SwappingBack;
}
// The level is over, won or lost: the stock buttons that act on the board stop.
constexpr bool LevelOver(BoardPhase p) { return p == BoardPhase::LevelComplete || p == BoardPhase::TimeUp; }

}  // namespace bm

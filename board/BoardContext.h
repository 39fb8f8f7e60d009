// The references a board rule works on, bundled so that rule functions take one
// argument. Built by GameFrame for each frame; tests build their own.
#pragma once
#include "board/BoardPlayer.h"
#include "board/BoardState.h"
#include "board/ScreenMetrics.h"
#include "board/Cell.h"
#include "board/Rng.h"
#include "board/LevelState.h"

namespace bm {

// The bonus side lives above the board (bonus/); the board only carries it
// and calls its hooks (board/BonusHooks.h).
struct BonusState;
struct ItemStatus;
struct BonusHooks;

// The bonus side of a game, handed to the frame.
struct BonusRefs {
  BonusState* bonus = nullptr;
  int* lives = nullptr;
  ItemStatus* items = nullptr;
  int itemSlot = 0;
  const BonusHooks* hooks = nullptr;
};

struct BoardCtx {
  Cells& cells;
  BoardState& st;
  LevelState& level;
  BoardPlayer& player;
  Rng& rng;
  double now = 0;  // clock, ms
  double ff = 1;   // frame factor: elapsed ms / 35
  double sx = 1;   // horizontal display scale
  double sy = 1;   // vertical display scale
  // The bonus side of the game. Without it the board runs on plain jewels:
  // no bonus is placed, rewarded or flown.
  BonusState* bonus = nullptr;
  const ScreenMetrics* metrics = nullptr;  // where cells are drawn: effects fly in screen pixels
  int* lives = nullptr;                    // the player's lives, raised by the life bonus
  ItemStatus* items = nullptr;             // keys, locks, stars and grades of every player slot
  int itemSlot = 0;                        // the current player's slot in it
  const BonusHooks* hooks = nullptr;       // what the bonus side does inside a frame

  void Attach(const BonusRefs& r) {
    bonus = r.bonus;
    lives = r.lives;
    items = r.items;
    itemSlot = r.itemSlot;
    hooks = r.hooks;
  }
};

}  // namespace bm

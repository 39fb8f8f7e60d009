// Where the bonus side plugs into a board frame: a table of functions the
// match hands in (bonus/BonusHooks.h holds the bonus side's). A frame without
// it runs a board without bonuses: plain jewels at the top cells, no rewards,
// no flying effects, no rum.
#pragma once

namespace bm {

struct BoardCtx;

struct BonusHooks {
  // A refilled top cell has just received its jewel: it may become a bonus, a star or a key.
  void (*topCellFilled)(BoardCtx& c, int cell);
  // An item was collected or set off at a cell (removal state 1).
  void (*itemTaken)(BoardCtx& c, int code, int cell);
  // True while an effect that holds the board (Seismic Gem, bomb) is flying.
  bool (*holdsBoard)(const BoardCtx& c);
  // Once per frame, at their places in it: the reward popups, the rum, the flying effects.
  void (*popupsStep)(BoardCtx& c);
  void (*rumStep)(BoardCtx& c);
  void (*effectsStep)(BoardCtx& c);
};

}  // namespace bm

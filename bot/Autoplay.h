// A player made of rules: it reads the board, picks one of the moves the board
// offers, and moves the pointer and presses the button as a hand would. The
// shell feeds its pointer into the input layer in place of the real mouse.
#pragma once
#include <cstdint>
#include <deque>
#include <optional>

#include "board/BoardPlayer.h"
#include "board/BoardState.h"
#include "board/Cell.h"
#include "bot/MoveChoice.h"
#include "board/MoveSearch.h"
#include "board/Rng.h"
#include "board/ScreenMetrics.h"

namespace bm {

struct AutoplayOptions {
  double thinkMs = 0;  // pause once the board is ready, before the pointer moves
  double holdMs = 0;   // least time each pointer step is held
  double moveMs = 0;   // pointer travel from one place to the next; 0 jumps
  int dragEvery = 3;   // every n-th move is made by dragging; 0 never drags
  std::uint64_t seed = 1;
};

struct PointerFeed {
  double x = 0, y = 0;  // back-buffer pixels
  bool left = false, right = false;
};

class Autoplay {
 public:
  explicit Autoplay(AutoplayOptions options = {});

  // Call once per frame, before the frame reads its input; returns what the
  // pointer and the buttons do during that frame.
  PointerFeed Step(double now, const Cells& cells, const BoardState& st, const ScreenMetrics& metrics);
  // The same for a game with bonuses: the bot also swaps board bonuses and
  // presses the stock buttons (the player's counts and the hourglass guide it).
  PointerFeed Step(double now, const Cells& cells, const BoardState& st, const ScreenMetrics& metrics,
                   const BoardPlayer* player, double sandLeft);

  // The move the bot would make (bot/MoveChoice.h); ties broken at random.
  static std::optional<MovePair> ChooseMove(const Cells& cells, Rng& rng, bool anyMove = false,
                                            double* worth = nullptr);

  int MovesMade() const { return moves_; }
  int MovesMissed() const { return missed_; }
  int BonusActions() const { return bonusActions_; }

 private:
  struct Action {
    double x = 0, y = 0;
    bool left = false;
    double travelMs = 0;
  };
  void Plan(const MovePair& move, const Cells& cells, const BoardState& st, const ScreenMetrics& m);
  void Click(double x, double y);
  // A bonus action instead of a move; false when there is none worth more.
  bool PlanBonusAction(const Cells& cells, const BoardState& st, const ScreenMetrics& m, const BoardPlayer& player,
                       double sandLeft, double bestMoveWorth);

  AutoplayOptions opt_;
  Rng rng_;
  MoveChooser chooser_;
  std::deque<Action> script_;
  PointerFeed feed_;
  double fromX_ = 0, fromY_ = 0;
  double actionStart_ = -1;  // clock when the current action began; -1 = not begun
  double arrivedAt_ = -1;
  int framesAtTarget_ = 0;
  double readySince_ = -1;
  bool sawSwap_ = false;     // a swap started since the last plan
  bool expectSwap_ = true;   // the plan ends in a swap (a button press does not)
  int waitAfterScript_ = 0;  // frames left to see whether the planned swap began
  int moves_ = 0, missed_ = 0, bonusActions_ = 0;
  bool lastMissed_ = false;
};

}  // namespace bm

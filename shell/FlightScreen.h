// The board flies in at the start of a level and out at its end.
#pragma once
#include <memory>

#include "board/BoardState.h"
#include "board/Cell.h"
#include "progress/BoardFlight.h"
#include "shell/Screen.h"

namespace bm {

struct PlaySide;

// Direction 1 flies in (and starts the stage's tune), 0 flies out. Right button,
// Escape or an arrow key skips it; an arrow already held at the start does not.
class FlightScreen : public Screen {
 public:
  FlightScreen(PlaySide& play, int direction) : play_(play), direction_(direction) {}
  const char* Name() const override { return direction_ == 1 ? "FlyIn" : "FlyOut"; }
  Next Enter(Stage& s) override;
  Next Pass(Stage& s) override;
  Answer Closing(Stage& s) override { return Leave(s); }
  OnScreen Shows(const ScreenMetrics&) const override {
    return {direction_ == 1 ? ScreenKind::FlyIn : ScreenKind::FlyOut};
  }

 private:
  Answer Leave(Stage& s);
  PlaySide& play_;
  int direction_;
  BoardFlight flight_;
  std::unique_ptr<Cells> drawn_ = std::make_unique<Cells>();
  BoardState still_;  // no selection, hint or caption while flying
  double lastStep_ = 0;
  bool skipped_ = false;
};

}  // namespace bm

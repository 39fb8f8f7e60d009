// The bot's hand on the screens between levels: a short script of pointer
// places and button states, each held for a while, played back frame by frame.
#pragma once
#include <deque>

#include "bot/Autoplay.h"

namespace bm {

class BotHand {
 public:
  // Point at (x, y), press, release.
  void Click(double x, double y, double holdMs = 60);
  // Press at the first place, carry to the second, release there.
  void Drag(double x0, double y0, double x1, double y1);
  // Keep the pointer where it is, buttons up, for a while.
  void Wait(double ms);
  bool Idle() const { return steps_.empty(); }
  void Clear() {
    steps_.clear();
    stepStart_ = -1;
  }
  // What the pointer and buttons do now.
  PointerFeed Step(double now);

 private:
  struct Hold {
    double x = 0, y = 0;
    bool left = false;
    double ms = 0;
    bool keepPlace = false;
  };
  std::deque<Hold> steps_;
  PointerFeed feed_{-1, -1, false, false};
  double stepStart_ = -1;
};

}  // namespace bm

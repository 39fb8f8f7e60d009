#include "shell/BotHand.h"

namespace bm {

void BotHand::Click(double x, double y, double holdMs) {
  steps_.push_back({x, y, false, 80});
  steps_.push_back({x, y, true, holdMs});
  steps_.push_back({x, y, false, 80});
}

void BotHand::Drag(double x0, double y0, double x1, double y1) {
  steps_.push_back({x0, y0, false, 80});
  steps_.push_back({x0, y0, true, 80});
  steps_.push_back({(x0 + x1) / 2, (y0 + y1) / 2, true, 80});
  steps_.push_back({x1, y1, true, 80});
  steps_.push_back({x1, y1, false, 80});
}

void BotHand::Wait(double ms) { steps_.push_back({0, 0, false, ms, true}); }

PointerFeed BotHand::Step(double now) {
  while (!steps_.empty()) {
    Hold& h = steps_.front();
    if (stepStart_ < 0) {
      stepStart_ = now;
      if (!h.keepPlace) feed_ = {h.x, h.y, h.left, false};
      else feed_.left = false;
    }
    // Each held state lasts at least one frame, so the screen sees every press and release.
    if (now - stepStart_ < h.ms || now == stepStart_) return feed_;
    steps_.pop_front();
    stepStart_ = -1;
  }
  return feed_;
}

}  // namespace bm

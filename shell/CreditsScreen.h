// The congratulations and credits screen after the last level.
#pragma once
#include "shell/ScreenKit.h"
#include "shell/Screen.h"

namespace bm {

// Runs until the left button is clicked (or Enter, Space, Escape); then play
// ends for the main menu.
class CreditsScreen : public Screen {
 public:
  const char* Name() const override { return "Credits"; }
  Next Enter(Stage& s) override;
  Next Pass(Stage& s) override;
  OnScreen Shows(const ScreenMetrics&) const override { return {ScreenKind::Credits}; }

 private:
  double scroll_ = 0;
  double last_ = 0;
  bool drawnAtRest_ = false;
  KeyEdge enter_, space_;
};

}  // namespace bm

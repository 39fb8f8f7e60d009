// The congratulations and credits screen after the last level.
#pragma once
#include "shell/ScreenKit.h"
#include "shell/Screen.h"

namespace bm {

struct PlaySide;

// Runs until the left button is clicked (or Enter, Space, Escape); then play
// ends for the main menu.
class CreditsScreen : public Screen {
 public:
  explicit CreditsScreen(PlaySide& play) : play_(play) {}
  const char* Name() const override { return "Credits"; }
  Next Enter(Services& s) override;
  Next Pass(Services& s) override;
  Answer Closing(Services& s) override { return Leave(s); }

 private:
  Answer Leave(Services& s);
  PlaySide& play_;
  double scroll_ = 0;
  double last_ = 0;
  bool drawnAtRest_ = false;
  KeyEdge enter_, space_;
};

}  // namespace bm

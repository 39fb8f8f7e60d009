// Shown over the play screen while the window is in the background; nothing ticks.
#pragma once
#include "shell/Screen.h"

namespace bm {

class AwayScreen : public Screen {
 public:
  const char* Name() const override { return "Away"; }
  Next Enter(Stage& s) override;
  Next Pass(Stage& s) override;
  Answer Closing(Stage& s) override;
  OnScreen Shows(const ScreenMetrics&) const override { return {ScreenKind::Away}; }
};

}  // namespace bm

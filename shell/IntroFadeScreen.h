// The fade from the loading picture into the main menu. A click or a key ends
// it at once (the press does nothing on the menu); runs without a window skip it.
#pragma once
#include "shell/ScreenKit.h"
#include "shell/Screen.h"

namespace bm {

class IntroFadeScreen : public Screen {
 public:
  const char* Name() const override { return "IntroFade"; }
  Next Enter(Stage& s) override;
  Next Pass(Stage& s) override;
  Answer Closing(Stage& s) override { return End(s); }
  OnScreen Shows(const ScreenMetrics&) const override { return {ScreenKind::IntroFade}; }

 private:
  Answer End(Stage& s);
  double progress_ = 0, last_ = 0;
  SkipPress skip_;
};

}  // namespace bm

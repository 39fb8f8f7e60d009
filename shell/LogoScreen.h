// The first picture on screen: the logo, before the loading bar. It ends at
// once on a click or a key (the press does nothing on the screens after it).
// Runs without a window (headless) skip it, and so does a level asked for on
// the command line (--level N goes straight to its level).
#pragma once
#include "shell/ScreenKit.h"
#include "shell/Screen.h"

namespace bm {

class LogoScreen : public Screen {
 public:
  explicit LogoScreen(int levelAsked = 0) : levelAsked_(levelAsked) {}
  const char* Name() const override { return "Logo"; }
  Next Enter(Stage& s) override;
  Next Pass(Stage& s) override;
  Answer Closing(Stage& s) override { return End(s); }
  OnScreen Shows(const ScreenMetrics&) const override { return {ScreenKind::Logo}; }

 private:
  Answer End(Stage& s);
  int levelAsked_;
  double p_ = 0, last_ = 0;
  SkipPress skip_;
};

}  // namespace bm

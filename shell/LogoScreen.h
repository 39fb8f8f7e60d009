// The first pictures on screen: the logo, before the loading bar, and the
// fade from the loading picture into the main menu after it. Either ends at
// once on a click or a key (the press does nothing on the screens after it).
// Runs without a window (headless) skip both.
#pragma once
#include "shell/ScreenKit.h"
#include "shell/Screen.h"

namespace bm {

// A click or a key (Escape, Enter, Space) ends a picture sequence; a press held
// when it began counts once it has been let go.
struct SkipPress {
  KeyEdge escape, enter, space;
  bool buttonHeld = true;
  void Arm(Input& in);  // as the sequence begins
  bool Take(Services& s);
};

class LogoScreen : public Screen {
 public:
  const char* Name() const override { return "Logo"; }
  Next Enter(Services& s) override;
  Next Pass(Services& s) override;
  int Closing(Services& s) override { return End(s); }

 private:
  int End(Services& s);
  double p_ = 0, last_ = 0;
  SkipPress skip_;
};

class IntroFadeScreen : public Screen {
 public:
  const char* Name() const override { return "IntroFade"; }
  Next Enter(Services& s) override;
  Next Pass(Services& s) override;

  int Closing(Services& s) override { return End(s); }

 private:
  int End(Services& s);
  double progress_ = 0, last_ = 0;
  SkipPress skip_;
};

}  // namespace bm

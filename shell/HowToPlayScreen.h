// The how-to-play pages. Keys: Left/Right turn the pages, Enter or Space press
// the marked button ("Next", "Done" on the last page), Escape closes from any page.
#pragma once
#include "shell/ScreenKit.h"
#include "shell/Screen.h"

namespace bm {

class HowToPlayScreen : public Screen {
 public:
  const char* Name() const override { return "HowToPlay"; }
  Next Enter(Stage& s) override;
  Next Pass(Stage& s) override;
  OnScreen Shows(const ScreenMetrics& m) const override;
  Answer Closing(Stage& s) override { return HandBack(s); }

 private:
  KeyEdge left_, right_, enter_, space_;
  bool latch_ = false;
  int page_ = 1, shownPage_ = -1, shownHover_ = -1;
};

}  // namespace bm

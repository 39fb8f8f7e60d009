#include "shell/IntroFadeScreen.h"

#include "render/LogoDraw.h"
#include "shell/Services.h"

namespace bm {

namespace {
// The loading picture kept for the fade into the menu.
constexpr int kIntroSlot = 0;
}  // namespace

Next IntroFadeScreen::Enter(Stage& s) {
  if (!SequenceShown(s)) return Next::Pop();
  skip_.Arm(s.in());
  s.render().SaveBuffer(kIntroSlot);
  progress_ = 0;
  last_ = s.Now();
  return Next::Stay(last_ + kLogoStepMs);
}

Next IntroFadeScreen::Pass(Stage& s) {
  if (skip_.Take(s)) return Next::Pop(End(s));
  double now = s.Now();
  if (now - last_ > kLogoStepMs) {
    while (now - last_ > kLogoStepMs) last_ += kLogoStepMs, progress_ += kIntroStep;
    if (progress_ > 1) return Next::Pop(End(s));
    DrawIntroFade(s.look.canvas, kIntroSlot, progress_);
    s.loop.SceneDirty = true;
  }
  return Next::Stay(last_ + kLogoStepMs + 0.01);
}

Answer IntroFadeScreen::End(Stage& s) {
  s.render().FreeBuffer(kIntroSlot);
  s.loop.Input.ClickLatch = s.in().ButtonDown(1);
  s.loop.Redraw = true;
  return {};
}

}  // namespace bm

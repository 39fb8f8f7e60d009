#include "shell/LogoScreen.h"

#include "diag/LogTags.h"
#include "render/LogoDraw.h"
#include "shell/Services.h"

namespace bm {

namespace {
constexpr const char* kLogoCue = "ev_logo";
}  // namespace

Next LogoScreen::Enter(Stage& s) {
  s.sound.sfx.LoadLogoSFX();
  if (!SequenceShown(s) || levelAsked_ > 0) return Next::Pop();
  s.logs.WriteRunLog(logtag::kShowLogo, "");
  skip_.Arm(s.in());
  s.sound.sfx.RearmSfx(kLogoCue);
  p_ = kLogoStart;
  last_ = s.Now();
  DrawLogo(s.look.canvas, s.look.font, p_);
  s.loop.SceneDirty = true;
  return Next::Stay(last_ + kLogoStepMs);
}

Next LogoScreen::Pass(Stage& s) {
  if (skip_.Take(s)) return Next::Pop(End(s));
  // A step each 15 ms: a pass that comes later (the frame rate) takes the steps it owes.
  double now = s.Now();
  if (now - last_ > kLogoStepMs) {
    while (now - last_ > kLogoStepMs) last_ += kLogoStepMs, p_ += kLogoStep;
    if (p_ > kLogoEnd) return Next::Pop(End(s));
    if (p_ > kLogoCueAt) s.sound.sfx.PlaySfxOnce(kLogoCue);
    DrawLogo(s.look.canvas, s.look.font, p_);
    s.loop.SceneDirty = true;
  }
  return Next::Stay(last_ + kLogoStepMs + 0.01);
}

Answer LogoScreen::End(Stage& s) {
  s.sound.sfx.StopSfx(kLogoCue);
  s.sound.sfx.RearmSfx(kLogoCue);
  for (int n = 0; n < 3; ++n) s.look.textures.Release("red/logo/layer" + std::to_string(n) + ".jpg");
  // The click that skipped the logo selects nothing on the screens after it.
  s.loop.Input.ClickLatch = s.in().ButtonDown(1);
  return {};
}

}  // namespace bm

#include "shell/LogoScreen.h"

#include "render/LogoDraw.h"
#include "shell/Services.h"

namespace bm {

namespace {
// The loading picture kept for the fade into the menu.
constexpr int kIntroSlot = 0;
constexpr const char* kLogoCue = "ev_logo";

// The sequences are for people at a window: headless runs and fast runs go straight on.
bool Shown(Services& s) { return s.look.drawing && !s.platform.headless; }
}  // namespace

void SkipPress::Arm(Input& in) {
  escape = KeyEdge(vk::Escape, in), enter = KeyEdge(vk::Enter, in), space = KeyEdge(vk::Space, in);
  buttonHeld = in.ButtonDown(1);
}

bool SkipPress::Take(Services& s) {
  Input& in = s.in();
  bool down = s.loop.AppActive && in.ButtonDown(1);
  bool click = down && !buttonHeld;
  buttonHeld = down;
  bool keys = TakeAny(in, escape, enter, space);
  return click || keys;
}

Next LogoScreen::Enter(Services& s) {
  s.sound.sfx.LoadLogoSFX();
  if (!Shown(s)) return Next::Pop();
  s.logs.WriteRunLog("ShowLogo()", "");
  skip_.Arm(s.in());
  s.sound.sfx.RearmSfx(kLogoCue);
  p_ = kLogoStart;
  last_ = s.Now();
  DrawLogo(s.look.canvas, p_);
  s.loop.SceneDirty = true;
  return Next::Stay(last_ + kLogoStepMs);
}

Next LogoScreen::Pass(Services& s) {
  if (skip_.Take(s)) return Next::Pop(End(s));
  // A step each 15 ms: a pass that comes later (the frame rate) takes the steps it owes.
  double now = s.Now();
  if (now - last_ > kLogoStepMs) {
    while (now - last_ > kLogoStepMs) last_ += kLogoStepMs, p_ += kLogoStep;
    if (p_ > kLogoEnd) return Next::Pop(End(s));
    if (p_ > kLogoCueAt) s.sound.sfx.PlaySfxOnce(kLogoCue);
    DrawLogo(s.look.canvas, p_);
    s.loop.SceneDirty = true;
  }
  return Next::Stay(last_ + kLogoStepMs + 0.01);
}

int LogoScreen::End(Services& s) {
  s.sound.sfx.StopSfx(kLogoCue);
  s.sound.sfx.RearmSfx(kLogoCue);
  for (int n = 0; n < 3; ++n) s.look.textures.Release("red/logo/layer" + std::to_string(n) + ".jpg");
  // The click that skipped the logo selects nothing on the screens after it.
  s.loop.Input.ClickLatch = s.in().ButtonDown(1);
  return 0;
}

Next IntroFadeScreen::Enter(Services& s) {
  if (!Shown(s)) return Next::Pop();
  skip_.Arm(s.in());
  s.render().SaveBuffer(kIntroSlot);
  progress_ = 0;
  last_ = s.Now();
  return Next::Stay(last_ + kLogoStepMs);
}

Next IntroFadeScreen::Pass(Services& s) {
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

int IntroFadeScreen::End(Services& s) {
  s.loop.Input.ClickLatch = s.in().ButtonDown(1);
  s.loop.Redraw = true;
  return 0;
}

}  // namespace bm

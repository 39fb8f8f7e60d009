#include "shell/DialogScreen.h"

#include <algorithm>

#include "shell/Services.h"

namespace bm {

Next DialogScreen::Enter(Services& s) {
  layout_ = LayoutTwoButtonDialog(s.look.metrics, q_.leftPercent, q_.topPercent);
  Input& in = s.in();
  enter_ = KeyEdge(vk::Enter, in), space_ = KeyEdge(vk::Space, in), left_ = KeyEdge(vk::Left, in);
  right_ = KeyEdge(vk::Right, in), tab_ = KeyEdge(vk::Tab, in);
  // The press that opened the dialog must not answer it.
  latch_ = in.ButtonDown(1);
  bot_.PressAt(s.Now() + 400);
  s.loop.Redraw = true;
  return Next::Stay();
}

Next DialogScreen::Pass(Services& s) {
  if (ScreenMinimised(s)) return Next::Stay(s.Now() + 100);
  if (s.botInput) BotPress(s, layout_.buttons[std::clamp(q_.botAnswer, 1, 2) - 1], bot_);
  Input& in = s.in();
  PointD p = in.Pointer();
  bool active = s.loop.AppActive;
  int hover = DialogButtonAt(layout_, p.x, p.y);
  HoverSound(s, hover != 0);
  int answer = 0;
  bool down = active && in.ButtonDown(1);
  if (!down) {
    // A press taken on a button answers on its release over that button.
    if (pressed_ && !latch_ && hover == pressed_) answer = pressed_;
    pressed_ = 0;
    latch_ = false;
  } else if (!latch_ && !pressed_) {
    pressed_ = hover;
    if (!pressed_) latch_ = true;  // a press beside the buttons does nothing
  }
  if (left_.Take(in)) focus_ = focus_ <= 1 ? 2 : 1;
  if (right_.Take(in) || tab_.Take(in)) focus_ = focus_ == 1 ? 2 : 1;
  if (enter_.Take(in)) answer = 1;
  const bool escaped = EscapePressed(s.loop.Input, in);
  if (escaped) answer = q_.escapeAnswer;
  if (space_.Take(in) && focus_) answer = focus_;
  if (answer || escaped) {
    ClickSound(s);
    s.loop.Redraw = true;
    Leave(s);
    return Next::Pop(answer);
  }
  // The pressed button shows sunk while the pointer stays on it; another one only lights up.
  int sunk = pressed_ && hover == pressed_ ? pressed_ : 0;
  int shown = hover + 3 * sunk;
  if (s.loop.Redraw || shown != shownHover_ || focus_ != shownFocus_) {
    s.loop.Redraw = false;
    shownHover_ = shown;
    shownFocus_ = focus_;
    if (s.look.drawing) {
      Canvas& c = s.look.canvas;
      if (behind_) behind_->DrawBehind(s);
      else s.render().Clear(0xFF06141F);
      c.Fill(0, 0, s.look.metrics.Width, s.look.metrics.Height, 0x50000000);
      DrawTwoButtonDialog(c, s.look.font, layout_, q_.message, q_.first, q_.second, hover, focus_, sunk);
    }
    s.loop.SceneDirty = true;
  }
  return StayForInput(s, bot_);
}

int DialogScreen::Leave(Services& s) {
  // The key or button that answered must not act on the screen below.
  s.loop.Input.ClickLatch = s.in().ButtonDown(1);
  return 0;
}

}  // namespace bm

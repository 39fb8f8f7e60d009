#include "shell/Dialog.h"

#include <algorithm>

#include "render/DialogDraw.h"
#include "shell/Game.h"
#include "shell/Loop.h"
#include "shell/ScreenKit.h"

namespace bm {

int TwoButtonDialog(Game& g, const DialogRequest& q) {
  DialogLayout layout = LayoutTwoButtonDialog(g.metrics, q.leftPercent, q.topPercent);
  Input& in = g.in();
  KeyEdge enter(vk::Enter, in), space(vk::Space, in), left(vk::Left, in), right(vk::Right, in), tab(vk::Tab, in);
  // The press that opened the dialog must not answer it.
  bool latch = in.ButtonDown(1);
  int answer = 0, hover = -1, focus = 0, shownHover = -1, shownFocus = -1, pressed = 0;
  double botAt = g.Now() + 400;
  g.flags.Redraw = true;
  RunLoop(g, [&](Game& g) -> Pass {
    if (ScreenMinimised(g)) return {false, g.Now() + 100};
    if (g.botInput) BotPress(g, layout.buttons[std::clamp(q.botAnswer, 1, 2) - 1], botAt);
    Input& in = g.in();
    PointD p = in.Pointer();
    bool active = g.flags.AppActive;
    hover = DialogButtonAt(layout, p.x, p.y);
    HoverSound(g, hover != 0);
    bool down = active && in.ButtonDown(1);
    if (!down) {
      // A press taken on a button answers on its release over that button.
      if (pressed && !latch && hover == pressed) answer = pressed;
      pressed = 0;
      latch = false;
    } else if (!latch && !pressed) {
      pressed = hover;
      if (!pressed) latch = true;  // a press beside the buttons does nothing
    }
    if (left.Take(in)) focus = focus <= 1 ? 2 : 1;
    if (right.Take(in) || tab.Take(in)) focus = focus == 1 ? 2 : 1;
    if (enter.Take(in)) answer = 1;
    if (EscapePressed(g.input, in)) answer = 2;
    if (space.Take(in) && focus) answer = focus;
    if (answer) {
      g.sfx.PlaySfxOnce("ev_menu_click");
      g.sfx.RearmSfx("ev_menu_click");
      g.flags.Redraw = true;
      return {true, 0};
    }
    int shown = pressed && hover == pressed ? 2 : hover;
    if (g.flags.Redraw || shown != shownHover || focus != shownFocus) {
      g.flags.Redraw = false;
      shownHover = shown;
      shownFocus = focus;
      if (g.drawing) {
        if (q.background) q.background();
        else g.render().Clear(0xFF06141F);
        g.canvas.Fill(0, 0, g.metrics.width, g.metrics.height, 0x50000000);
        DrawTwoButtonDialog(g.canvas, g.font, layout, q.message, q.first, q.second, shown == 2 ? 0 : shown, focus);
        if (shown == 2) DrawTextButton(g.canvas, g.font, layout.buttons[pressed - 1], pressed == 1 ? q.first : q.second, 2);
      }
      g.flags.SceneDirty = true;
    }
    double wake = BotWake(g, botAt);
    return {false, wake > 0 ? wake : g.Now() + 1000};
  });
  // The key or button that answered must not act on the screen below.
  g.input.ClickLatch = g.in().ButtonDown(1);
  return g.flags.ExitRequested && !answer ? 0 : answer;
}

}  // namespace bm

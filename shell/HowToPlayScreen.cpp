#include "shell/HowToPlayScreen.h"

#include <algorithm>

#include "render/HowToPlayDraw.h"
#include "shell/Game.h"
#include "shell/Loop.h"
#include "shell/ScreenKit.h"

namespace bm {

void HowToPlayLoop(Game& g) {
  g.logs.WriteRunPoint("HowToPlayLoop", "Begin");
  Input& in0 = g.in();
  KeyEdge left(vk::Left, in0), right(vk::Right, in0), enter(vk::Enter, in0), space(vk::Space, in0);
  bool latch = in0.ButtonDown(1);
  int page = 1, shownPage = -1, shownHover = -1;
  bool done = false;
  double botAt = g.Now() + 300;
  RunLoop(g, [&](Game& g) -> Pass {
    Input& in = g.in();
    if (EscapePressed(g.input, in)) return {true, 0};
    if (ScreenMinimised(g)) return {false, g.Now() + 100};
    int target = page < kHowToPlayPages ? howto::Next : howto::Done;
    if (g.botInput) BotPress(g, HowToPlayButton(g.metrics, target), botAt);
    PointD p = in.Pointer();
    int hover = HowToPlayButtonAt(g.metrics, page, p.x, p.y);
    HoverSound(g, hover != 0);
    bool down = g.flags.AppActive && in.ButtonDown(1);
    int click = down && !latch ? hover : 0;
    if (down) latch = true;
    else latch = false;
    if (left.Take(in)) --page;
    if (right.Take(in)) ++page;
    if (enter.Take(in) | space.Take(in)) click = target;
    if (click == howto::Prev) --page;
    if (click == howto::Next) ++page;
    if (click == howto::Done) done = true;
    if (click) {
      g.sfx.PlaySfxOnce("ev_menu_click");
      g.sfx.RearmSfx("ev_menu_click");
      botAt = g.Now() + 300;
    }
    page = std::clamp(page, 1, kHowToPlayPages);
    if (done) return {true, 0};
    if (g.flags.Redraw || page != shownPage || hover != shownHover) {
      g.flags.Redraw = false;
      shownPage = page;
      shownHover = hover;
      if (g.drawing) DrawHowToPlay(g.canvas, g.font, page, hover, page < kHowToPlayPages ? howto::Next : howto::Done);
      g.flags.SceneDirty = true;
    }
    double wake = BotWake(g, botAt);
    return {false, wake > 0 ? wake : g.Now() + 1000};
  });
  g.input.ClickLatch = g.in().ButtonDown(1);
  g.flags.Redraw = true;
}

}  // namespace bm

#include "shell/GameComplete.h"

#include <algorithm>

#include "render/CreditsDraw.h"
#include "shell/BotInput.h"
#include "shell/Game.h"
#include "shell/Loop.h"
#include "shell/ScreenKit.h"

namespace bm {

void GameCompleteScreen(Game& g) {
  g.logs.WriteRunLog("GameCompleteScreen()", "The last level is won");
  double s = kCreditsStart;
  double last = g.Now();
  bool drawnAtRest = false;
  if (g.botInput) {
    g.between.hand.Clear();
    // The bot reads the credits to the end, then clicks on.
    g.between.hand.Wait(g.plat.headless ? 31000 : 33000);
    g.between.hand.Click(g.metrics.width * 0.75, g.metrics.height * 0.97);
  }
  // Enter, Space or Escape go on as the click does; a key held from the level does not.
  KeyEdge enter(vk::Enter, g.in()), space(vk::Space, g.in());
  g.input.EscLatch = g.in().KeyDown(vk::Escape);
  RunLoop(g, [&](Game& g) -> Pass {
    double now = g.Now();
    // The scroll moves ten units a second, whatever the frame rate.
    s = std::min(s + (now - last) * 0.01, kCreditsEnd);
    last = now;
    if (g.botInput) g.botInput->Feed(g.between.hand.Step(now));
    bool active = g.window().IsForeground();
    g.flags.AppActive = active;
    bool key = enter.Take(g.in()) | space.Take(g.in()) | EscapePressed(g.input, g.in());
    if (key || (g.in().ButtonDown(1) && active && !g.input.ClickLatch)) {
      g.input.ClickLatch = true;
      g.flags.LeavePlay = true;
      return {true, 0};
    }
    if (!g.in().ButtonDown(1)) g.input.ClickLatch = false;
    bool atRest = s >= kCreditsEnd;
    if (!atRest || !drawnAtRest || g.flags.Redraw) {
      g.flags.Redraw = false;
      if (g.drawing) DrawCredits(g.canvas, g.font, s);
      g.flags.SceneDirty = true;
      drawnAtRest = atRest;
    }
    // At rest nothing moves: wait for the click.
    return {false, atRest ? now + 250 : 0};
  });
  if (g.botInput) g.botInput->Feed({-1, -1, false, false});
}

}  // namespace bm

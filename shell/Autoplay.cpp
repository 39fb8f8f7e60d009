#include "platform/Host.h"
#include "platform/headless/Headless.h"
#include "render/MenuScreen.h"
#include "shell/Game.h"
#include "shell/Report.h"

namespace bm {

void StartAutoplay(Game& g, Host& host) {
  g.autoplay = true;
  // Like a player: point at "Play" on the main menu and click it.
  IRect play = MainMenuItemRect(g.metrics, menu::Play);
  double x = (play.left + play.right) / 2.0, y = (play.top + play.bottom) / 2.0;
  if (HeadlessWindow* w = host.Scripted()) w->ScriptClick(g.Now() + 300, x, y);
}

}  // namespace bm

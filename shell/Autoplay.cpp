#include <iterator>

#include "render/MenuScreen.h"
#include "shell/BotInput.h"
#include "shell/Game.h"
#include "shell/Autoplay.h"

namespace bm {

void StartAutoplay(Game& g) {
  g.autoplay = true;
  AutoplayOptions o;
  o.thinkMs = g.options.thinkMs;
  // With a window the moves are paced for a person to follow.
  if (!g.plat.headless) {
    o.holdMs = 60;
    o.moveMs = 250;
  }
  o.seed = g.options.seed + 1;
  g.bot = std::make_unique<Autoplay>(o);
  g.botInput = std::make_unique<BotInput>(*g.plat.input, *g.plat.window, !g.plat.headless);
  g.plat.input = g.botInput.get();
  // Like a player: point at "Play" on the main menu and click it.
  IRect play = MainMenuItemRect(g.metrics, menu::Play);
  double x = (play.left + play.right) / 2.0, y = (play.top + play.bottom) / 2.0;
  g.botInput->Feed({x, y, false, false});
  g.botMenuClickAt = g.Now() + 300;
}

// The bot looks at every screen the menu opens before it plays.
int BotMenuTarget(const Game& g) {
  static constexpr int kTour[] = {menu::Options, menu::HowToPlay, menu::HighScores, menu::ChangePlayer};
  int k = g.botInput ? g.botInput->menuTour : 0;
  return k < int(std::size(kTour)) ? kTour[k] : menu::Play;
}

void AutoplayMenuStep(Game& g) {
  if (!g.botInput || g.botMenuClickAt <= 0) return;
  IRect r = MainMenuItemRect(g.metrics, BotMenuTarget(g));
  double x = (r.left + r.right) / 2.0, y = (r.top + r.bottom) / 2.0;
  bool press = g.Now() >= g.botMenuClickAt && g.Now() < g.botMenuClickAt + 60;
  g.botInput->Feed({x, y, press, false});
}

void AutoplayScreenDone(Game& g) {
  if (!g.botInput) return;
  ++g.botInput->menuTour;
  g.botMenuClickAt = g.Now() + 300;
}

}  // namespace bm

namespace bm {

void AutoplayBackOnMenu(Game& g) {
  if (!g.botInput) return;
  g.botInput->Feed({-1, -1, false, false});
  g.botMenuClickAt = g.Now() + 300;
}

}  // namespace bm

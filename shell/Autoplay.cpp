#include "shell/Autoplay.h"

#include <iterator>

#include "render/MenuScreen.h"
#include "shell/BotInput.h"
#include "shell/PlaySide.h"
#include "shell/ScreenKit.h"
#include "shell/Services.h"

namespace bm {

namespace {

// The bot looks at every screen the menu opens before it plays.
int BotMenuTarget(const BotInput& bot) {
  static constexpr int kTour[] = {menu::Options, menu::HowToPlay, menu::HighScores, menu::ChangePlayer};
  return bot.menuTour < int(std::size(kTour)) ? kTour[bot.menuTour] : menu::Play;
}

}  // namespace

void StartAutoplay(Services& s, PlaySide& play) {
  Platform& p = s.platform;
  AutoplayOptions o;
  o.thinkMs = s.options.thinkMs;
  // With a window the moves are paced for a person to follow.
  if (!p.headless) {
    o.holdMs = 60;
    o.moveMs = 250;
  }
  o.seed = s.options.seed + 1;
  play.bot = std::make_unique<Autoplay>(o);
  s.botInput = std::make_unique<BotInput>(*p.input, *p.window, !p.headless);
  p.input = s.botInput.get();
  // Like a player: point at "Play" on the main menu and click it.
  IRect r = MainMenuItemRect(s.look.metrics, menu::Play);
  s.botInput->Feed({(r.left + r.right) / 2.0, (r.top + r.bottom) / 2.0, false, false});
  s.botInput->menuFinger.PressAt(s.Now() + 300);
}

void AutoplayMenuStep(Services& s) {
  BotInput* bot = s.botInput.get();
  if (!bot || bot->menuFinger.at <= 0) return;
  BotPress(s, MainMenuItemRect(s.look.metrics, BotMenuTarget(*bot)), bot->menuFinger);
}

void AutoplayScreenDone(Services& s) {
  if (!s.botInput) return;
  ++s.botInput->menuTour;
  s.botInput->menuFinger.PressAt(s.Now() + 300);
}

void AutoplayBackOnMenu(Services& s) {
  if (!s.botInput) return;
  s.botInput->Feed({-1, -1, false, false});
  s.botInput->menuFinger.PressAt(s.Now() + 300);
}

}  // namespace bm

// The bot at the controls (--autoplay): an input source in front of the real
// input (shell/InputSource.h) whose pointer, button, Escape key and typed name
// the screens read as they would read a player's. It decides each pass from
// what the screen on top shows (shell/OnScreen.h), never from inside a screen:
// it types the first player's name, looks once at every screen the main menu
// opens, goes on with a saved game (a level asked for on the command line is a
// new game), keeps the players and the high scores, plays each level with the
// board bot (bot/Autoplay.h), spends its keys and stars in the Pirate Shop,
// reads the credits to the end, and with --bot-leave S leaves each visit to a
// level after S seconds. It presses a menu screen's button 300 ms after the
// screen shows (the options' "OK" and a dialog's answer 400 ms), and tells the
// loop when, so a waiting screen needs no pass before.
#pragma once

namespace bm {

struct Services;

// Stands the bot in front of the real input for the rest of the run; until the
// loading screen has gone it leaves the input to the player. Its run shows no tips.
void StartBotPlayer(Services& s);

// The bot's finger on a button: down at `at` for 60 ms, and in any case for
// the first pass after `at`, so a slow frame never loses the press.
struct BotFinger {
  double at = 0;      // when the press begins; 0: none planned
  bool seen = false;  // a pass was given the button down
  bool down = false;  // the last pass was
  void PressAt(double t) {
    at = t;
    seen = down = false;
  }
  // Whether the button is down on a pass at `now`. A press begins with the
  // button up: one still held by the press before (this finger's or another
  // screen's, when a slow pass ran past its 60 ms) is let go for a pass first,
  // else the game would take both for one long press.
  bool Step(double now, bool heldBefore) {
    bool want = at > 0 && now >= at && (now < at + 60 || !seen);
    if (want && !seen && heldBefore && !down) want = false;
    down = want;
    seen |= down;
    return down;
  }
  // When the finger next needs a pass at `now` (0 when it does not).
  double WakeAt(double now) const {
    if (at <= 0) return 0;
    if (now < at) return at;
    if (!seen) return now;  // let go first, pressed on the next pass
    if (now < at + 60) return at + 60;
    return down ? now : 0;  // a press seen late is let go on the next pass
  }
};

}  // namespace bm

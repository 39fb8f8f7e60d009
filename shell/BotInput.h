// The autoplay bot's hands: it stands in front of the real input, so the game
// sees its pointer and buttons exactly as it would see a player's.
#pragma once
#include "bot/Autoplay.h"
#include "platform/Platform.h"

namespace bm {

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
};

class BotInput : public Input {
 public:
  BotInput(Input& real, Window& window, bool moveRealPointer)
      : real_(real), window_(window), moveRealPointer_(moveRealPointer) {}

  void Feed(const PointerFeed& f);
  int menuTour = 0;      // how many menu screens the bot has looked at
  BotFinger menuFinger;  // its press on the main menu

  bool KeyDown(int virtualKey) override { return real_.KeyDown(virtualKey); }
  bool ButtonDown(int button) override { return button == 1 ? feed_.left : button == 2 ? feed_.right : false; }
  PointD Pointer() override { return {feed_.x, feed_.y}; }
  void StartTextInput() override { real_.StartTextInput(); }
  void StopTextInput() override { real_.StopTextInput(); }
  std::string TakeTypedText() override { return real_.TakeTypedText(); }

 private:
  Input& real_;
  Window& window_;
  bool moveRealPointer_;
  PointerFeed feed_{-1, -1, false, false};
};

}  // namespace bm

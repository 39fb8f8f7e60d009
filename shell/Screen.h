// A screen of the game: an object that keeps its own state, advances one pass
// when the loop asks, and says what comes next. Screens stand on a stack (see
// shell/Loop.h): a dialog is a screen pushed over another, and its answer
// reaches the screen below through Resume when it pops.
//
// Each call is handed the Stage (shell/Services.h): the machine, the look, the
// sound, the loop's state and the run log. What else a screen touches (the
// saved game, the settings, the play side) it is handed when it is made, so
// its constructor says what it may change beyond the screen.
#pragma once
#include <limits>
#include <memory>

#include "shell/Answer.h"
#include "shell/OnScreen.h"

namespace bm {

struct Stage;
class Screen;

// What a pass says comes next.
struct Next {
  enum class Kind { Stay, Push, Pop };
  Kind kind = Kind::Stay;
  std::unique_ptr<Screen> screen;  // Push
  Answer answer;                   // Pop: handed to the screen below (Resume)
  double wakeAt = 0;               // Stay: clock time this screen next needs a pass; 0 = next frame

  // Work split into steps (loading): the next pass comes at once, without waiting.
  static constexpr double kAtOnce = -1;
  // Nothing due: the next pass comes with input (the desktop's loop still looks every 100 ms).
  static constexpr double kOnInput = std::numeric_limits<double>::infinity();

  static Next Stay(double wakeAt = 0) { return {Kind::Stay, nullptr, {}, wakeAt}; }
  static Next Push(std::unique_ptr<Screen> s) { return {Kind::Push, std::move(s), {}, 0}; }
  static Next Pop(Answer answer = {}) { return {Kind::Pop, nullptr, answer, 0}; }
};

class Screen {
 public:
  virtual ~Screen() = default;
  virtual const char* Name() const = 0;  // what the stack's Top says (tests)
  // Once, when pushed, before its first pass. Stay: its passes begin at once.
  // Push: a screen runs over it first (its answer comes to Resume). Pop: it has
  // nothing to do after all.
  virtual Next Enter(Stage&) { return Next::Stay(); }
  // One pass: input, update, draw when something changed.
  virtual Next Pass(Stage&) = 0;
  // A screen pushed over it popped with this answer. Stay goes on with its passes.
  virtual Next Resume(Stage&, Answer answer) {
    (void)answer;
    return Next::Stay();
  }
  // What it shows, for an input that acts on it as a hand would (shell/InputSource.h).
  virtual OnScreen Shows(const ScreenMetrics&) const { return {}; }
  // Its picture as it stands, for a dialog standing on it.
  virtual void DrawBehind(Stage&) {}
  // The program is ending: keep what must be kept. The answer goes to the
  // screen below's Resume, as on a normal pop.
  virtual Answer Closing(Stage&) { return {}; }
};

}  // namespace bm

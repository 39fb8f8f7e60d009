// An input that stands in front of the real one, giving the screens the
// pointer, buttons, keys and typed text a person's hands would. It decides from
// what the screen on top shows (shell/OnScreen.h), which the loop hands it
// before each pass, when a step has settled and as a screen pops; at a step's
// end the loop asks it when it next needs a pass, as a person's input would
// come as an event.
#pragma once
#include "platform/Platform.h"
#include "shell/OnScreen.h"

namespace bm {

class InputSource : public Input {
 public:
  // Before a pass of the screen on top, at the pass's clock: what the pass reads.
  virtual void BeforePass(const OnScreen& shown, double now) = 0;
  // The step's end (its screens pushed, popped and resumed), with this on top:
  // the clock time the source next needs a pass, 0 when it needs none of its own.
  virtual double Settled(const OnScreen& shown, double now) = 0;
  // The screen on top pops (before the one below resumes): what it showed.
  virtual void Gone(const OnScreen& shown) = 0;
};

}  // namespace bm

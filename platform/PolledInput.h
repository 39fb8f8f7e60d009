// Keys, buttons, pointer and typed text as a window's events leave them, read
// once per pass. A key or button that went down since the previous pass reads
// as down for that whole pass, even if it was released again before it; an
// event that arrives between passes (an idle wait, a browser callback) counts
// for the next one. A press is seen where it happened: the pointer's moves
// after a press that no pass has seen yet wait for the pass after it (a swipe's
// touch, move and lift often all come between two passes).
#pragma once
#include <array>
#include <string>

#include "platform/Platform.h"

namespace bm {

class PolledInput {
 public:
  // Starts a pass: the presses kept for it become this pass's presses.
  void BeginPass();
  // pending: the event came between passes and belongs to the next one.
  void SetKey(int virtualKey, bool down, bool pending = false);
  void SetButton(int button, bool down, bool pending = false);
  bool KeyDown(int virtualKey) const;
  bool ButtonDown(int button) const;  // 1 left, 2 right
  std::string TakeTypedText();
  // The pointer moved (client pixels).
  void MovePointer(PointD p);
  // A move waits for the next pass: the window must bring that pass about.
  bool MoveWaiting() const { return moveWaiting_; }

  PointD pointer{-1, -1};  // client pixels; -1, -1 while outside
  std::string typed;

 private:
  std::array<bool, 256> keyHeld_{}, keyPressed_{}, keyPending_{};
  std::array<bool, 3> buttonHeld_{}, buttonPressed_{}, buttonPending_{};
  bool pressUnseen_ = false, moveWaiting_ = false;
  PointD later_{-1, -1};
};

}  // namespace bm

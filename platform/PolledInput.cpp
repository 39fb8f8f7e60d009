#include "platform/PolledInput.h"

namespace bm {

void PolledInput::BeginPass() {
  // This pass takes the presses kept for it, at their place; a move after them
  // comes with the next.
  if (moveWaiting_ && !pressUnseen_) {
    pointer = later_;
    moveWaiting_ = false;
  }
  pressUnseen_ = false;
  keyPressed_ = keyPending_;
  buttonPressed_ = buttonPending_;
  keyPending_.fill(false);
  buttonPending_.fill(false);
}

void PolledInput::SetKey(int v, bool down, bool pending) {
  if (v < 0 || v > 255) return;
  keyHeld_[size_t(v)] = down;
  if (down) (pending ? keyPending_ : keyPressed_)[size_t(v)] = true;
}

void PolledInput::SetButton(int b, bool down, bool pending) {
  if (b < 1 || b > 2) return;
  buttonHeld_[size_t(b)] = down;
  if (down) (pending ? buttonPending_ : buttonPressed_)[size_t(b)] = true;
  if (down && pending) pressUnseen_ = true;
}

void PolledInput::MovePointer(PointD p) {
  if (pressUnseen_ || moveWaiting_) {
    later_ = p;
    moveWaiting_ = true;
  } else {
    pointer = p;
  }
}

bool PolledInput::KeyDown(int v) const {
  if (v < 0 || v > 255) return false;
  return keyHeld_[size_t(v)] || keyPressed_[size_t(v)];
}

bool PolledInput::ButtonDown(int b) const {
  if (b != 1 && b != 2) return false;
  return buttonHeld_[size_t(b)] || buttonPressed_[size_t(b)];
}

std::string PolledInput::TakeTypedText() {
  std::string t;
  t.swap(typed);
  return t;
}

}  // namespace bm

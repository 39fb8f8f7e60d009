#include "platform/headless/Headless.h"

#include <algorithm>

namespace bm {

void HeadlessWindow::ScriptClick(double atMs, double x, double y, double holdMs) {
  Script({ScriptEvent::Move, atMs, x, y});
  Script({ScriptEvent::ButtonDown, atMs, x, y, 1});
  Script({ScriptEvent::ButtonUp, atMs + holdMs, x, y, 1});
}

void HeadlessWindow::ScriptKey(double atMs, int virtualKey, double holdMs) {
  Script({ScriptEvent::KeyDown, atMs, 0, 0, virtualKey});
  Script({ScriptEvent::KeyUp, atMs + holdMs, 0, 0, virtualKey});
}

void HeadlessWindow::SetButton(int b, bool down) {
  if (b < 1 || b > 2) return;
  buttonHeld_[size_t(b)] = down;
  if (down) buttonPressed_[size_t(b)] = true;
}

void HeadlessWindow::SetKey(int v, bool down) {
  if (v < 0 || v > 255) return;
  keyHeld_[size_t(v)] = down;
  if (down) keyPressed_[size_t(v)] = true;
}

void HeadlessWindow::Apply(const ScriptEvent& e) {
  switch (e.kind) {
    case ScriptEvent::Move: pointer_ = {e.x, e.y}; break;
    case ScriptEvent::ButtonDown: SetButton(e.code, true); break;
    case ScriptEvent::ButtonUp: SetButton(e.code, false); break;
    case ScriptEvent::KeyDown: SetKey(e.code, true); break;
    case ScriptEvent::KeyUp: SetKey(e.code, false); break;
    case ScriptEvent::Text: typed_ += e.text; break;
    case ScriptEvent::Close: closeRequested_ = true; break;
    case ScriptEvent::Focus: foreground_ = true; break;
    case ScriptEvent::Blur: foreground_ = false; break;
  }
}

void HeadlessWindow::Pump() {
  keyPressed_.fill(false);
  buttonPressed_.fill(false);
  std::stable_sort(script_.begin(), script_.end(),
                   [](const ScriptEvent& a, const ScriptEvent& b) { return a.atMs < b.atMs; });
  while (!script_.empty() && script_.front().atMs <= clock_.ClockMs()) {
    Apply(script_.front());
    script_.pop_front();
  }
}

// Waiting jumps the virtual clock, but never past the next scripted event.
void HeadlessWindow::WaitEvent(double timeoutMs) {
  double step = timeoutMs;
  if (!script_.empty()) {
    double next = script_.front().atMs;
    for (const auto& e : script_) next = std::min(next, e.atMs);
    step = std::min(step, std::max(0.0, next - clock_.ClockMs()));
  }
  // Always move a little so a loop that waits can never stall the clock.
  clock_.Advance(std::max(step, 0.25));
}

bool HeadlessWindow::TakeCloseRequest() {
  bool r = closeRequested_;
  closeRequested_ = false;
  return r;
}

bool HeadlessWindow::KeyDown(int v) {
  if (v < 0 || v > 255) return false;
  return keyHeld_[size_t(v)] || keyPressed_[size_t(v)];
}

bool HeadlessWindow::ButtonDown(int b) {
  if (b != 1 && b != 2) return false;
  return buttonHeld_[size_t(b)] || buttonPressed_[size_t(b)];
}

std::string HeadlessWindow::TakeTypedText() {
  std::string t;
  t.swap(typed_);
  return t;
}

}  // namespace bm

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

void HeadlessWindow::Apply(const ScriptEvent& e) {
  switch (e.kind) {
    case ScriptEvent::Move: input_.pointer = {e.x, e.y}; break;
    case ScriptEvent::ButtonDown: SetButton(e.code, true); break;
    case ScriptEvent::ButtonUp: SetButton(e.code, false); break;
    case ScriptEvent::KeyDown: SetKey(e.code, true); break;
    case ScriptEvent::KeyUp: SetKey(e.code, false); break;
    case ScriptEvent::Text: input_.typed += e.text; break;
    case ScriptEvent::Close: closeRequested_ = true; break;
    case ScriptEvent::Focus: foreground_ = true; break;
    case ScriptEvent::Blur: foreground_ = false; break;
  }
}

void HeadlessWindow::Pump() {
  input_.BeginPass();
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

}  // namespace bm

// The headless twins: a virtual clock the loop advances, scripted input and a
// window that is never minimised. Drawing goes to an off-screen surface.
#pragma once
#include <deque>
#include <string>

#include "platform/Platform.h"
#include "platform/PolledInput.h"

namespace bm {

class VirtualClock : public Clock {
 public:
  double ClockMs() override { return now_; }
  void SleepMs(double ms) override {
    if (ms > 0) now_ += ms;
  }
  void Advance(double ms) { SleepMs(ms); }
  void Set(double ms) { now_ = ms; }

 private:
  double now_ = 1000.0;  // never zero: some timers treat 0 as "not started"
};

struct ScriptEvent {
  enum Kind { Move, ButtonDown, ButtonUp, KeyDown, KeyUp, Text, Close, Focus, Blur } kind;
  double atMs = 0;
  double x = 0, y = 0;
  int code = 0;  // button or virtual key
  std::string text;
};

class HeadlessWindow : public Window, public Input {
 public:
  explicit HeadlessWindow(VirtualClock& clock, int width = 1280, int height = 1024)
      : clock_(clock), width_(width), height_(height) {}

  // Script: events are applied by the first pump at or after their time.
  void Script(ScriptEvent e) { script_.push_back(std::move(e)); }
  void ScriptClick(double atMs, double x, double y, double holdMs = 40);
  void ScriptKey(double atMs, int virtualKey, double holdMs = 40);

  // Direct control for tests.
  void SetPointer(double x, double y) { input_.pointer = {x, y}; }
  void SetButton(int b, bool down) { input_.SetButton(b, down); }
  void SetKey(int v, bool down) { input_.SetKey(v, down); }
  void SetForeground(bool on) { foreground_ = on; }
  void SetMinimised(bool on) { minimised_ = on; }
  void RequestClose() { closeRequested_ = true; }
  // Makes the next pump report a lost render device.
  void LoseDevice() { deviceReset_ = true; }
  bool TakeDeviceReset() override {
    bool r = deviceReset_;
    deviceReset_ = false;
    return r;
  }
  void Type(const std::string& text) { input_.typed += text; }

  void Pump() override;
  void WaitEvent(double timeoutMs) override;
  bool TakeCloseRequest() override;
  bool IsForeground() override { return foreground_ && !minimised_; }
  bool IsMinimised() override { return minimised_; }
  // A window system that keeps the window as it is (no window manager to obey).
  void RefuseModes(bool on) { refuseModes_ = on; }
  bool SetMode(int width, int height, bool) override {
    if (refuseModes_) return false;
    width_ = width;
    height_ = height;
    return true;
  }
  int Width() override { return width_; }
  int Height() override { return height_; }
  int DesktopWidth() override { return 1920; }
  int DesktopHeight() override { return 1200; }
  bool HasDisplayMode(int w, int h) override { return w <= 1920 && h <= 1200; }
  void ShowCursor(bool) override {}

  bool KeyDown(int v) override { return input_.KeyDown(v); }
  bool ButtonDown(int b) override { return input_.ButtonDown(b); }
  PointD Pointer() override { return input_.pointer; }
  void StartTextInput() override { textInput_ = true; }
  void StopTextInput() override { textInput_ = false; }
  std::string TakeTypedText() override { return input_.TakeTypedText(); }

 private:
  void Apply(const ScriptEvent& e);
  VirtualClock& clock_;
  int width_, height_;
  std::deque<ScriptEvent> script_;
  PolledInput input_;
  bool foreground_ = true, minimised_ = false, closeRequested_ = false, textInput_ = false, deviceReset_ = false,
       refuseModes_ = false;
};

}  // namespace bm

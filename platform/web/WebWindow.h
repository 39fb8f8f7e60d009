// The game's window in a page: a canvas the page scales to the tab, keeping
// the picture's proportions, with the mouse, touch (as a mouse) and keyboard.
// The browser calls the listeners between passes; what they see counts for
// the next pass, and each of them wakes the page's pass loop.
#pragma once
#include <string>

#include "platform/Platform.h"
#include "platform/PolledInput.h"
#include "platform/web/PageInput.h"

namespace bm {

class WebRenderDevice;

inline constexpr const char* kCanvasSelector = "#canvas";
// The element that goes full screen: the canvas's parent, which centres it.
inline constexpr const char* kStageSelector = "#stage";

class WebWindow : public Window, public Input {
 public:
  WebWindow();
  ~WebWindow() override;
  // The device whose lost and restored pictures TakeDeviceReset reports.
  void SetRenderDevice(WebRenderDevice* device) { device_ = device; }

  // Window
  void Pump() override { input_.BeginPass(); }
  // Never blocks: between passes the page's loop waits, not the pass.
  void WaitEvent(double) override {}
  void Wake() override;
  // The page is going away: the game closes as at the close box.
  bool TakeCloseRequest() override;
  bool IsForeground() override { return focused_ && !hidden_; }
  bool IsMinimised() override { return hidden_; }
  // The canvas becomes width x height pixels; full screen asks the browser (at
  // the player's next click or key when it is not asked from one).
  bool SetMode(int width, int height, bool fullScreen) override;
  int Width() override { return width_; }
  int Height() override { return height_; }
  // The "desktop" is what the canvas may fill: the tab (the screen in full
  // screen), in device pixels.
  int DesktopWidth() override;
  int DesktopHeight() override;
  // The page scales the canvas to the screen, so every size can be shown.
  bool HasDisplayMode(int, int) override { return true; }
  bool HasFrame() override { return false; }
  DisplayChange TakeDisplayChange() override;
  void ShowCursor(bool show) override;
  // The picture becomes the canvas's CSS cursor, scaled as the page scales the canvas.
  bool ShowPointerPicture(const std::string& path, const Rect& box) override;
  bool TakeDeviceReset() override;

  // Input
  bool KeyDown(int virtualKey) override { return input_.KeyDown(virtualKey); }
  bool ButtonDown(int button) override { return input_.ButtonDown(button); }
  PointD Pointer() override { return input_.pointer; }
  void StartTextInput() override { textInput_ = true; }
  void StopTextInput() override { textInput_ = false; }
  std::string TakeTypedText() override { return input_.TakeTypedText(); }

  // Fits the canvas to a page of this size.
  void FitTo(double pageWidth, double pageHeight);
  // The listeners' side.
  void OnResize(double pageWidth, double pageHeight);
  void OnPointer(double canvasX, double canvasY);
  void OnButton(int button, bool down) { input_.SetButton(button, down, true); }
  // True when the page should not act on the key itself.
  bool OnKey(unsigned long keyCode, const char* key, bool down, bool command);
  void OnLeave() { input_.pointer = {-1, -1}; }
  void OnFocus(bool focused) { focused_ = focused; }
  void OnHidden(bool hidden) { hidden_ = hidden; }
  void OnFullScreen(bool full) { change_ = full ? DisplayChange::FullScreenEntered : DisplayChange::FullScreenLeft; }

 private:
  PolledInput input_;
  WebRenderDevice* device_ = nullptr;
  int width_ = 0, height_ = 0;
  CanvasBox box_;
  bool focused_ = true, hidden_ = false, textInput_ = false, closeTaken_ = false;
  DisplayChange change_ = DisplayChange::None;
  std::string pointerPath_;  // the pointer picture, "" for the system's
  Rect pointerBox_;
};

}  // namespace bm

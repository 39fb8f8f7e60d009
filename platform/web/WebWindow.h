// The game's window in a page: a canvas as large as the tab allows in the
// picture's proportions, drawn at the screen's own pixels (its CSS size times
// devicePixelRatio, capped), with the mouse, touch and keyboard. The first
// finger is the mouse's left button; a finger held still is a right click.
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
  // The picture takes width:height's proportions, as large as the tab allows,
  // at the screen's pixels: Width() and Height() tell the size drawn. Full
  // screen asks the browser (at the player's next click or key when it is not
  // asked from one).
  bool SetMode(int width, int height, bool fullScreen) override;
  int Width() override { return width_; }
  int Height() override { return height_; }
  // The "desktop": the largest 4:3 picture in the tab (the screen in full
  // screen), in the screen's pixels.
  int DesktopWidth() override;
  int DesktopHeight() override;
  // The page scales every size into the tab.
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

  // The listeners' side.
  void OnResize(double pageWidth, double pageHeight);
  void OnPointer(double canvasX, double canvasY);
  void OnButton(int button, bool down) { input_.SetButton(button, down, true); }
  // A finger: began, moved or lifted (lifted also when the browser cancels it).
  enum class Finger { Down, Move, Up };
  void OnTouch(Finger what, long id, double canvasX, double canvasY);
  // The finger that went down at this time is still there, where it began: a right click.
  void OnTouchHeld(double since);
  // A press of this key for the next pass alone (the page's loading screen was clicked).
  void PressOnce(int virtualKey);
  // True when the page should not act on the key itself.
  bool OnKey(unsigned long keyCode, const char* key, bool down, bool command);
  void OnLeave() { input_.pointer = {-1, -1}; }
  void OnFocus(bool focused) { focused_ = focused; }
  void OnHidden(bool hidden) { hidden_ = hidden; }
  void OnFullScreen(bool full) { change_ = full ? DisplayChange::FullScreenEntered : DisplayChange::FullScreenLeft; }

 private:
  // The box on the page and the pixels for the asked proportions, in a page of this size.
  void Fit(double pageWidth, double pageHeight, CanvasBox& box, CanvasPixels& pixels) const;
  void ShowBox();

  PolledInput input_;
  WebRenderDevice* device_ = nullptr;
  int width_ = 0, height_ = 0;     // the canvas's pixels: the size drawn
  int shapeW_ = 4, shapeH_ = 3;    // the proportions asked for
  CanvasBox box_;                  // its size on the page
  long finger_ = -1;               // the touch that is the mouse, -1 none
  double fingerSince_ = 0;         // when it went down
  PointD fingerFrom_;              // where (page pixels on the canvas)
  bool focused_ = true, hidden_ = false, textInput_ = false, closeTaken_ = false;
  DisplayChange change_ = DisplayChange::None;
  std::string pointerPath_;  // the pointer picture, "" for the system's
  Rect pointerBox_;
};

}  // namespace bm

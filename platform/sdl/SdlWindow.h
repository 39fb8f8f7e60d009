// One SDL window with its event pump and the polled keyboard and mouse.
#pragma once
#include <SDL.h>

#include <string>

#include "platform/Platform.h"
#include "platform/PolledInput.h"
#include "platform/sdl/SdlPads.h"

namespace bm {

class SdlWindow : public Window, public Input {
 public:
  SdlWindow() = default;
  ~SdlWindow() override;
  // Creates the window and its renderer (SDL's software renderer when software
  // is set); false with a message in error().
  bool Create(const std::string& title, int width, int height, bool fullScreen, bool software = false);
  SDL_Renderer* Renderer() const { return renderer_; }
  const std::string& Error() const { return error_; }
  const std::string& RendererName() const { return rendererName_; }
  // What GL says it draws with (GL_RENDERER); empty when the renderer is not GL.
  std::string GlRendererString() const;

  // Window
  void Pump() override;
  void WaitEvent(double timeoutMs) override;
  void Wake() override;
  bool TakeCloseRequest() override;
  bool IsForeground() override { return focused_ && !minimised_; }
  bool IsMinimised() override { return minimised_; }
  bool SetMode(int width, int height, bool fullScreen) override;
  WindowPlacement Placement() override;
  void Place(const WindowPlacement& p) override;
  int Width() override { return width_; }
  int Height() override { return height_; }
  int DesktopWidth() override;
  int DesktopHeight() override;
  bool HasDisplayMode(int width, int height) override;
  // The pointer also hides while a gamepad is in use, until the mouse moves.
  void ShowCursor(bool show) override;
  void WarpPointer(double x, double y) override;
  // The picture becomes a colour cursor of the box's size in window pixels.
  bool ShowPointerPicture(const std::string& path, const Rect& box) override;
  bool TakeExposed() override {
    bool e = exposed_;
    exposed_ = false;
    return e;
  }
  bool TakeDeviceReset() override {
    bool r = deviceReset_;
    deviceReset_ = false;
    return r;
  }

  // Input
  bool KeyDown(int virtualKey) override { return input_.KeyDown(virtualKey); }
  bool ButtonDown(int button) override { return input_.ButtonDown(button); }
  PointD Pointer() override { return input_.pointer; }
  void StartTextInput() override { SDL_StartTextInput(); }
  void StopTextInput() override { SDL_StopTextInput(); }
  std::string TakeTypedText() override { return input_.TakeTypedText(); }

  static int VirtualKeyOf(SDL_Keycode key);
  // Where gamepads' connections and removals are told (the run log).
  void SetPadLog(SdlPads::Log log) { pads_.SetLog(std::move(log)); }

 private:
  // Presses seen while waiting count for the next pass, like those the pump finds.
  void Handle(const SDL_Event& e, bool waiting = false);
  // A pad was used: the pointer hides and points at nothing until the mouse moves.
  void PadUsed();
  // The mouse was used: the pointer shows again if the game wants it.
  void MouseUsed();
  // The player dragged or maximised the window: the picture is scaled anew.
  void Resized();
  // Makes the pointer picture anew at the window's present scale; false when it cannot.
  bool MakePointer();
  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  std::string error_;
  std::string rendererName_;
  bool exposed_ = false;
  bool deviceReset_ = false;
  int width_ = 0, height_ = 0;
  WindowPlacement placement_;  // the last size seen while neither maximised nor full screen
  bool focused_ = true, minimised_ = false, closeRequested_ = false;
  PolledInput input_;
  SdlPads pads_;
  bool cursorWanted_ = true, padInUse_ = false;
  std::string pointerPath_;  // the picture shown as the pointer, "" for the system's own
  Rect pointerBox_;
  SDL_Cursor* pointer_ = nullptr;
};

}  // namespace bm

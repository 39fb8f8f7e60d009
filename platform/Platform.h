// The services the game asks of the machine: clock, window and events, input,
// drawing, sound and music. Each has an SDL2 back end and a headless twin.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace bm {

using Argb = std::uint32_t;
inline constexpr Argb MakeArgb(int a, int r, int g, int b) {
  return (Argb(a & 255) << 24) | (Argb(r & 255) << 16) | (Argb(g & 255) << 8) | Argb(b & 255);
}

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
};
struct PointD {
  double x = 0, y = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds with sub-millisecond resolution, read afresh on every call.
  virtual double ClockMs() = 0;
  virtual void SleepMs(double ms) = 0;
};

// Virtual key codes the game tests.
namespace vk {
inline constexpr int Backspace = 8, Tab = 9, Enter = 13, Escape = 27, Space = 32, PageUp = 33, PageDown = 34,
                     Delete = 46;
// The keyboard's menu key and a gamepad's Start: the menu button of a level.
inline constexpr int Menu = 93;
inline constexpr int Left = 37, Up = 38, Right = 39, Down = 40;
inline constexpr int F1 = 112, F2 = 113, F3 = 114, F4 = 115, F5 = 116, F6 = 117, F12 = 123;
inline constexpr int Numpad0 = 96;
}  // namespace vk

class Input {
 public:
  virtual ~Input() = default;
  // A key or button that went down since the previous pump reads as down for
  // that whole pass, even if it was released again within the same pump.
  virtual bool KeyDown(int virtualKey) = 0;
  virtual bool ButtonDown(int button) = 0;  // 1 left, 2 right
  virtual PointD Pointer() = 0;              // client pixels
  // The name-entry text box: typed characters arrive here while it is on.
  virtual void StartTextInput() = 0;
  virtual void StopTextInput() = 0;
  // Characters typed since the last call (UTF-8).
  virtual std::string TakeTypedText() = 0;
};

// A window's own size on the desktop, into which the picture is scaled with
// its proportions kept; 0 when not known (headless, never shown windowed).
struct WindowPlacement {
  int width = 0, height = 0;
  bool maximised = false;
};

class Window {
 public:
  virtual ~Window() = default;
  // Handles pending window and input events once; called once per loop pass.
  virtual void Pump() = 0;
  // Waits until an event arrives or timeoutMs passes (headless: the virtual
  // clock jumps ahead). Used by passes that have nothing to draw.
  virtual void WaitEvent(double timeoutMs) = 0;
  virtual bool TakeCloseRequest() = 0;  // true once per close click
  virtual bool IsForeground() = 0;
  virtual bool IsMinimised() = 0;
  // The back buffer's size, and in a window the window's size too. False when
  // the window did not reach that mode and size (it may be left in between).
  virtual bool SetMode(int width, int height, bool fullScreen) = 0;
  // How the player left the window: its size while neither maximised nor full
  // screen, and whether it is maximised.
  virtual WindowPlacement Placement() { return {}; }
  // Gives the window such a size (and state) again; the back buffer stays as it is.
  virtual void Place(const WindowPlacement&) {}
  virtual int Width() = 0;
  virtual int Height() = 0;
  virtual int DesktopWidth() = 0;
  virtual int DesktopHeight() = 0;
  virtual bool HasDisplayMode(int width, int height) = 0;
  virtual void ShowCursor(bool show) = 0;
  // Moves the system cursor to client pixels (the autoplay demo); headless does nothing.
  virtual void WarpPointer(double, double) {}
  // True once after the window's picture was lost (shown again, uncovered): redraw it.
  virtual bool TakeExposed() { return false; }
  // Safe from any thread: makes a WaitEvent in progress return at once (a stop signal arrived).
  virtual void Wake() {}
  // True once after the render device lost its pictures (SDL reported a device
  // or render-target reset): load them again before drawing.
  virtual bool TakeDeviceReset() { return false; }
  // A blocking message box (start-up failures); headless writes it to stderr.
  virtual void ShowMessage(const std::string& title, const std::string& text);

  // A window needs room for its frame, so it must be smaller than the desktop;
  // a browser tab's canvas may take all of it.
  virtual bool HasFrame() { return true; }
  // What changed under the game since the last call (a browser leaves full
  // screen on Escape; a tab is resized).
  enum class DisplayChange { None, Resized, FullScreenEntered, FullScreenLeft };
  virtual DisplayChange TakeDisplayChange() { return DisplayChange::None; }
  // Shows a picture file as the system's own pointer, box placing it around the
  // pointer's tip at (0, 0) in window pixels; "" gives the system's pointer back.
  // False when the window cannot: the game lays the picture over its frames.
  virtual bool ShowPointerPicture(const std::string& path, const Rect& box) {
    (void)path, (void)box;
    return false;
  }
};

using TextureId = int;  // 0 = none: drawing it does nothing
struct Vertex {
  float x, y;  // back-buffer pixels
  float u, v;  // 0..1 over the picture
  Argb color;
};

// A part of a picture, u and v from 0 to 1 over the whole of it.
struct PicturePart {
  float u0 = 0, v0 = 0, u1 = 1, v1 = 1;
};

class RenderDevice {
 public:
  virtual ~RenderDevice() = default;
  // Loads a PNG or JPEG picture, scaled down to at most maxEdge pixels a side
  // (0 = as it is); 0 when it cannot be loaded. Small pictures share atlas pages
  // with pictures of the same page family (drawn on the same screens), and a
  // page is freed with its last picture.
  virtual TextureId LoadTexture(const std::string& path, int maxEdge = 0, int pageFamily = 0) = 0;
  // A picture of which only these parts are ever drawn, the rest of it clear: a
  // device may keep the parts alone. Each quad drawn from it lies within one part.
  virtual TextureId LoadTextureParts(const std::string& path, const std::vector<PicturePart>& parts) {
    (void)parts;
    return LoadTexture(path);
  }
  // A texture from premultiplied-free ARGB pixels (for generated pictures).
  virtual TextureId CreateTexture(int width, int height, const std::uint32_t* argb) = 0;
  virtual void FreeTexture(TextureId id) = 0;
  virtual void Clear(Argb color) = 0;
  // A textured quad: corners in the order top-left, top-right, bottom-right,
  // bottom-left; alpha blended.
  virtual void DrawQuad(TextureId tex, const Vertex corners[4]) = 0;
  // An untextured quad, same corner order.
  virtual void FillQuad(const Vertex corners[4]) = 0;
  // The font says which text it just drew: where its ink lies, the rectangle it
  // was set in and its colour. Only a device that keeps a journal of the screen
  // (the checks of every screen) takes note.
  virtual void NoteText(const std::string& text, const Rect& box, const Rect& target, Argb color) {
    (void)text, (void)box, (void)target, (void)color;
  }
  virtual void Present() = 0;
  // Screen-sized pictures in 11 slots: SaveBuffer copies the screen into one,
  // RestoreBuffer draws one over the whole screen (within the clip).
  virtual void SaveBuffer(int slot) = 0;
  virtual void RestoreBuffer(int slot) = 0;
  // Frees a slot's picture (the screen that used it is gone).
  virtual void FreeBuffer(int slot) { (void)slot; }
  // Sends drawing into a slot's picture instead of the screen until EndLayer
  // (the play screen's still layer); false when the device cannot, and then
  // nothing changes. The clip is off while drawing there.
  virtual bool BeginLayer(int slot) { (void)slot; return false; }
  virtual void EndLayer() {}
  // Whether a slot holds a picture of the screen's present size.
  virtual bool SlotHeld(int slot) { (void)slot; return false; }
  virtual bool SaveScreenshot(const std::string& pngPath) = 0;
  virtual void Resize(int width, int height) = 0;
  virtual int Width() = 0;
  virtual int Height() = 0;
  virtual long FramesPresented() = 0;
  // Whether a picture is still held; false after the device lost it.
  virtual bool TextureAlive(TextureId) { return true; }
  // Bytes a picture takes on the device (its part of an atlas page), and all the
  // device holds (whole atlas pages, own textures, saved buffers): the memory figures.
  virtual std::size_t TextureBytes(TextureId) { return 0; }
  virtual std::size_t DeviceTextureBytes() { return 0; }
  // The same split into its parts, for the memory figures ("" when not known).
  virtual std::string DeviceTextureParts() { return ""; }
  // The device was lost: drop every picture (the game loads them again).
  virtual void ForgetTextures() {}
  // Limits drawing to a pixel rectangle until the next call or Present (null: the
  // whole screen): a kept frame redrawn only where it changed.
  virtual void SetClip(const Rect* r) { (void)r; }
  // Whether the picture drawn so far stays after Present, so that the next frame
  // may redraw only a part of it.
  virtual bool KeepsFrame() { return false; }
  // A picture laid over each presented frame and never into the kept one (the
  // software cursor): moving it costs a present, not a redraw. tex 0 = none.
  virtual void SetCursor(TextureId tex, const Rect& where) { (void)tex, (void)where; }
};

class SoundDevice;
class MusicDevice;

// The game's data in packs that may still be on their way (the page fetches
// them in the background). None on the desktop or headless: every file is there.
class DataPacks {
 public:
  virtual ~DataPacks() = default;
  // How much of the named pack is here, 0..1 (1: its files can be read); asking
  // puts it first in line. A pack the platform does not know counts as here.
  virtual double Wanted(const char* pack) = 0;
  // A game file (its path as the program opens it) that a pack still on its way brings.
  virtual bool Coming(const std::string& path) = 0;
};

// What a running game is given; owned by whoever built the back ends.
struct Platform {
  Clock* clock = nullptr;
  Window* window = nullptr;
  Input* input = nullptr;
  RenderDevice* render = nullptr;
  SoundDevice* sound = nullptr;
  MusicDevice* music = nullptr;
  DataPacks* packs = nullptr;  // null: every file is there
  bool headless = false;
};

}  // namespace bm

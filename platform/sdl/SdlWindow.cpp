#include "platform/sdl/SdlWindow.h"

#include <SDL_image.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "io/SafeRead.h"
#include "platform/DevicePictures.h"
#include "platform/sdl/SystemWindowSize.h"

namespace bm {

SdlWindow::~SdlWindow() {
  if (pointer_) SDL_FreeCursor(pointer_);
  if (renderer_) SDL_DestroyRenderer(renderer_);
  if (window_) SDL_DestroyWindow(window_);
}

bool SdlWindow::Create(const std::string& title, int width, int height, bool fullScreen, bool software) {
  // Any size the player drags it to: the picture is scaled into it, bars where the proportions differ.
  Uint32 flags = SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE | (fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
  window_ = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width, height, flags);
  if (!window_) {
    error_ = SDL_GetError();
    return false;
  }
  if (!software) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED);
  if (!renderer_) {
    // The software renderer draws into the window's own surface; without this
    // SDL would back that surface with GL and load it after all.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
  }
  if (!renderer_) {
    error_ = SDL_GetError();
    return false;
  }
  // Mouse events arrive in back-buffer pixels, whatever the window's size.
  SDL_RenderSetLogicalSize(renderer_, width, height);
  SDL_SetWindowMinimumSize(window_, 320, 256);
  SDL_RendererInfo info;
  if (SDL_GetRendererInfo(renderer_, &info) == 0) rendererName_ = info.name;
  width_ = width;
  height_ = height;
  return true;
}

std::string SdlWindow::GlRendererString() const {
  if (!renderer_ || rendererName_.rfind("opengl", 0) != 0) return "";
  using GetString = const unsigned char* (*)(unsigned int);
  auto get = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
  const unsigned char* name = get ? get(0x1F01 /* GL_RENDERER */) : nullptr;
  return name ? reinterpret_cast<const char*>(name) : "";
}

int SdlWindow::VirtualKeyOf(SDL_Keycode k) {
  if (k >= SDLK_a && k <= SDLK_z) return 'A' + (k - SDLK_a);
  if (k >= SDLK_0 && k <= SDLK_9) return '0' + (k - SDLK_0);
  if (k >= SDLK_F1 && k <= SDLK_F12) return vk::F1 + (k - SDLK_F1);
  switch (k) {
    case SDLK_BACKSPACE: return vk::Backspace;
    case SDLK_TAB: return vk::Tab;
    case SDLK_DELETE: return vk::Delete;
    case SDLK_PAGEUP: return vk::PageUp;
    case SDLK_PAGEDOWN: return vk::PageDown;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: return vk::Enter;
    case SDLK_ESCAPE: return vk::Escape;
    case SDLK_SPACE: return vk::Space;
    case SDLK_LEFT: return vk::Left;
    case SDLK_UP: return vk::Up;
    case SDLK_RIGHT: return vk::Right;
    case SDLK_DOWN: return vk::Down;
    case SDLK_APPLICATION: return vk::Menu;
    case SDLK_KP_0: return vk::Numpad0;
    default: return -1;
  }
}

void SdlWindow::Handle(const SDL_Event& e, bool waiting) {
  switch (e.type) {
    case SDL_QUIT: closeRequested_ = true; break;
    // Textures are gone with the device; render targets only lose their picture.
    case SDL_RENDER_DEVICE_RESET: deviceReset_ = true; break;
    case SDL_RENDER_TARGETS_RESET: exposed_ = true; break;
    case SDL_WINDOWEVENT:
      switch (e.window.event) {
        case SDL_WINDOWEVENT_CLOSE: closeRequested_ = true; break;
        case SDL_WINDOWEVENT_FOCUS_GAINED: focused_ = true; break;
        case SDL_WINDOWEVENT_FOCUS_LOST: focused_ = false; break;
        case SDL_WINDOWEVENT_MINIMIZED: minimised_ = true; break;
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_SHOWN: minimised_ = false; exposed_ = true; break;
        case SDL_WINDOWEVENT_EXPOSED: exposed_ = true; break;
        case SDL_WINDOWEVENT_SIZE_CHANGED: Resized(); break;
        // A pointer outside the window is over nothing of ours.
        case SDL_WINDOWEVENT_LEAVE: input_.pointer = {-1, -1}; break;
        default: break;
      }
      break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      input_.SetKey(VirtualKeyOf(e.key.keysym.sym), e.type == SDL_KEYDOWN, waiting);
      break;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      MouseUsed();
      int b = e.button.button == SDL_BUTTON_LEFT ? 1 : e.button.button == SDL_BUTTON_RIGHT ? 2 : 0;
      input_.pointer = {double(e.button.x), double(e.button.y)};
      input_.SetButton(b, e.type == SDL_MOUSEBUTTONDOWN, waiting);
      break;
    }
    case SDL_MOUSEMOTION:
      MouseUsed();
      input_.pointer = {double(e.motion.x), double(e.motion.y)};
      break;
    case SDL_TEXTINPUT:
      // UTF-8; the name box keeps what a name may hold (Latin-1 and Latin Extended-A letters).
      input_.typed += e.text.text;
      break;
    default:
      if (pads_.Handle(e, input_, waiting)) PadUsed();
      break;
  }
}

void SdlWindow::Resized() {
  exposed_ = true;
  Uint32 flags = SDL_GetWindowFlags(window_);
  if (!(flags & (SDL_WINDOW_FULLSCREEN | SDL_WINDOW_MAXIMIZED)))
    SDL_GetWindowSize(window_, &placement_.width, &placement_.height);
  // The bars beside the picture start black; the picture itself is drawn afresh.
  if (renderer_ && !SDL_GetRenderTarget(renderer_)) {
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
  }
  // The pointer stayed where it was while the picture moved under it: it now
  // points at another pixel of the picture (or at none), with no motion to tell.
  int gx = 0, gy = 0, x0 = 0, y0 = 0, w = 0, h = 0;
  SDL_GetGlobalMouseState(&gx, &gy);
  SDL_GetWindowPosition(window_, &x0, &y0);
  SDL_GetWindowSize(window_, &w, &h);
  int wx = gx - x0, wy = gy - y0;
  // A video driver with no desktop (dummy, offscreen) knows only the point in the window.
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver && (!std::strcmp(driver, "dummy") || !std::strcmp(driver, "offscreen"))) SDL_GetMouseState(&wx, &wy);
  float lx = -1, ly = -1;
  if (renderer_ && wx >= 0 && wy >= 0 && wx < w && wy < h) SDL_RenderWindowToLogical(renderer_, wx, wy, &lx, &ly);
  input_.pointer = {double(lx), double(ly)};
  if (pointer_) MakePointer();  // at the picture's new scale
}

bool SdlWindow::ShowPointerPicture(const std::string& path, const Rect& box) {
  pointerPath_ = path;
  pointerBox_ = box;
  return MakePointer();
}

// The box is in the picture's pixels; the window may show the picture scaled.
bool SdlWindow::MakePointer() {
  SDL_Cursor* old = pointer_;
  pointer_ = nullptr;
  bool shown = false;
  if (!pointerPath_.empty() && window_ && width_ > 0 && height_ > 0) {
    int ww = 0, wh = 0;
    SDL_GetWindowSize(window_, &ww, &wh);
    double scale = std::min(double(ww) / width_, double(wh) / height_);
    if (scale <= 0) scale = 1;
    int w = std::max(1, int(std::lround((pointerBox_.right - pointerBox_.left) * scale)));
    int h = std::max(1, int(std::lround((pointerBox_.bottom - pointerBox_.top) * scale)));
    ReadResult file = ReadFileBounded(pointerPath_, kPictureFileMaxBytes);
    SDL_RWops* rw = file.ok() ? SDL_RWFromConstMem(file.bytes.data(), int(file.bytes.size())) : nullptr;
    SDL_Surface* read = rw ? IMG_Load_RW(rw, 1) : nullptr;
    SDL_Surface* img = read ? SDL_ConvertSurfaceFormat(read, SDL_PIXELFORMAT_ARGB8888, 0) : nullptr;
    SDL_Surface* sized = img ? SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888) : nullptr;
    if (sized && SDL_SoftStretchLinear(img, nullptr, sized, nullptr) == 0) {
      int hotX = std::clamp(int(std::lround(-pointerBox_.left * scale)), 0, w - 1);
      int hotY = std::clamp(int(std::lround(-pointerBox_.top * scale)), 0, h - 1);
      pointer_ = SDL_CreateColorCursor(sized, hotX, hotY);
    }
    for (SDL_Surface* f : {read, img, sized})
      if (f) SDL_FreeSurface(f);
    shown = pointer_ != nullptr;
  }
  SDL_SetCursor(pointer_ ? pointer_ : SDL_GetDefaultCursor());
  if (old) SDL_FreeCursor(old);
  return shown;
}

WindowPlacement SdlWindow::Placement() {
  WindowPlacement p = placement_;
  p.maximised = window_ && (SDL_GetWindowFlags(window_) & SDL_WINDOW_MAXIMIZED) != 0;
  return p;
}

void SdlWindow::Place(const WindowPlacement& p) {
  if (!window_ || (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN)) return;
  SDL_SetWindowSize(window_, p.width, p.height);
  SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
  placement_ = {p.width, p.height, false};
  if (p.maximised) SDL_MaximizeWindow(window_);
}

void SdlWindow::ShowCursor(bool show) {
  cursorWanted_ = show;
  SDL_ShowCursor(show && !padInUse_ ? SDL_ENABLE : SDL_DISABLE);
}

void SdlWindow::PadUsed() {
  if (!padInUse_) {
    padInUse_ = true;
    SDL_ShowCursor(SDL_DISABLE);
  }
  input_.pointer = {-1, -1};
}

void SdlWindow::MouseUsed() {
  if (!padInUse_) return;
  padInUse_ = false;
  SDL_ShowCursor(cursorWanted_ ? SDL_ENABLE : SDL_DISABLE);
}

// A press and its release often arrive in the same pump (xdotool, fast
// mice): whatever went down since the last pump reads as down for this pass.
void SdlWindow::Pump() {
  input_.BeginPass();
  pads_.Update();
  SDL_Event e;
  while (SDL_PollEvent(&e)) Handle(e);
}

// The event that ends the wait is handled here, not pushed back: a pushed-back
// event could wake every later wait at once and spin the loop.
// SDL wakes by itself only for the window's events: while a pad is connected
// it is read every frame's time of the wait (16 ms).
void SdlWindow::WaitEvent(double timeoutMs) {
  if (timeoutMs <= 0) return;
  pads_.Start();
  constexpr Uint64 kPadReadMs = 16;  // a frame at 60 Hz
  SDL_Event e;
  Uint64 end = SDL_GetTicks64() + Uint64(timeoutMs + 0.999);
  for (;;) {
    Uint64 now = SDL_GetTicks64();
    Uint64 left = now < end ? end - now : 0;
    if (pads_.Connected()) {
      pads_.Update();
      left = std::min(left, kPadReadMs);
    }
    if (SDL_WaitEventTimeout(&e, int(left))) {
      Handle(e, true);
      return;
    }
    if (SDL_GetTicks64() >= end) return;
  }
}

// SDL_PushEvent is safe from any thread and ends a wait in progress.
void SdlWindow::Wake() {
  SDL_Event e{};
  e.type = SDL_USEREVENT;
  SDL_PushEvent(&e);
}

bool SdlWindow::TakeCloseRequest() {
  bool r = closeRequested_;
  closeRequested_ = false;
  return r;
}

bool SdlWindow::SetMode(int width, int height, bool fullScreen) {
  if (!window_) return false;
  bool failed = SDL_SetWindowFullscreen(window_, fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) != 0;
  if (!fullScreen) {
    // A size chosen in the options: the window takes it as it is.
    SDL_RestoreWindow(window_);
    SDL_SetWindowSize(window_, width, height);
    SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
    placement_ = {width, height, false};
  }
  // The window system answers in its own time: the size it gave counts, read
  // after its events (a quarter of a second at most).
  // SDL's own count of the size can run ahead of the window's (full screen
  // under X with no window manager): where the window system can be asked, its
  // answer counts.
  int wantW = fullScreen ? DesktopWidth() : width, wantH = fullScreen ? DesktopHeight() : height;
  int w = 0, h = 0;
  for (int tries = 0; tries < 25; ++tries) {
    SDL_PumpEvents();
    SDL_GetWindowSize(window_, &w, &h);
    int realW = w, realH = h;
    if (SystemWindowSize(window_, realW, realH) && (realW != w || realH != h)) w = realW, h = realH;
    if (w == wantW && h == wantH) break;
    SDL_Delay(10);
  }
  if (failed || w != wantW || h != wantH) return false;
  SDL_RenderSetLogicalSize(renderer_, width, height);
  width_ = width;
  height_ = height;
  if (pointer_) MakePointer();
  return true;
}

int SdlWindow::DesktopWidth() {
  SDL_DisplayMode m;
  return SDL_GetDesktopDisplayMode(0, &m) == 0 ? m.w : 1280;
}
int SdlWindow::DesktopHeight() {
  SDL_DisplayMode m;
  return SDL_GetDesktopDisplayMode(0, &m) == 0 ? m.h : 1024;
}

bool SdlWindow::HasDisplayMode(int width, int height) {
  int n = SDL_GetNumDisplayModes(0);
  for (int i = 0; i < n; ++i) {
    SDL_DisplayMode m;
    if (SDL_GetDisplayMode(0, i, &m) == 0 && m.w == width && m.h == height) return true;
  }
  // Full screen scales the back buffer onto the desktop, so the desktop size always works.
  return width == DesktopWidth() && height == DesktopHeight();
}

void SdlWindow::WarpPointer(double x, double y) {
  if (!window_) return;
  // Client pixels are back-buffer pixels, scaled into the window (or the full screen) with bars beside.
  int wx = int(x), wy = int(y);
  if (renderer_) SDL_RenderLogicalToWindow(renderer_, float(x), float(y), &wx, &wy);
  SDL_WarpMouseInWindow(window_, wx, wy);
}

}  // namespace bm

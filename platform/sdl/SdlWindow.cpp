#include "platform/sdl/SdlWindow.h"

namespace bm {

SdlWindow::~SdlWindow() {
  if (renderer_) SDL_DestroyRenderer(renderer_);
  if (window_) SDL_DestroyWindow(window_);
}

bool SdlWindow::Create(const std::string& title, int width, int height, bool fullScreen, bool software) {
  Uint32 flags = SDL_WINDOW_SHOWN | (fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
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
  SDL_RenderSetLogicalSize(renderer_, width, height);
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
      int b = e.button.button == SDL_BUTTON_LEFT ? 1 : e.button.button == SDL_BUTTON_RIGHT ? 2 : 0;
      input_.pointer = {double(e.button.x), double(e.button.y)};
      input_.SetButton(b, e.type == SDL_MOUSEBUTTONDOWN, waiting);
      break;
    }
    case SDL_MOUSEMOTION: input_.pointer = {double(e.motion.x), double(e.motion.y)}; break;
    case SDL_TEXTINPUT:
      // The fonts know one byte per character; anything beyond Latin-1 is dropped later.
      for (const char* p = e.text.text; *p; ++p) input_.typed.push_back(*p);
      break;
    default: break;
  }
}

// A press and its release often arrive in the same pump (xdotool, fast
// mice): whatever went down since the last pump reads as down for this pass.
void SdlWindow::Pump() {
  input_.BeginPass();
  SDL_Event e;
  while (SDL_PollEvent(&e)) Handle(e);
}

// The event that ends the wait is handled here, not pushed back: a pushed-back
// event could wake every later wait at once and spin the loop.
void SdlWindow::WaitEvent(double timeoutMs) {
  if (timeoutMs <= 0) return;
  SDL_Event e;
  if (SDL_WaitEventTimeout(&e, int(timeoutMs + 0.999))) Handle(e, true);
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
  SDL_SetWindowFullscreen(window_, fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
  if (!fullScreen) {
    SDL_SetWindowSize(window_, width, height);
    SDL_SetWindowPosition(window_, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED);
  }
  SDL_RenderSetLogicalSize(renderer_, width, height);
  width_ = width;
  height_ = height;
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
  // Client pixels are back-buffer pixels; full screen may scale them onto the display.
  int w = 0, h = 0;
  SDL_GetWindowSize(window_, &w, &h);
  double sx = width_ > 0 ? double(w) / width_ : 1, sy = height_ > 0 ? double(h) / height_ : 1;
  SDL_WarpMouseInWindow(window_, int(x * sx), int(y * sy));
}

}  // namespace bm

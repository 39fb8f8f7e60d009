#include "platform/Host.h"

#include <SDL.h>
#include <SDL_image.h>

#include <malloc.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "diag/LogTags.h"
#include "diag/Logs.h"
#include "platform/Audio.h"
#include "platform/headless/Headless.h"
#include "platform/sdl/SdlRender.h"
#include "platform/sdl/SdlWindow.h"

namespace bm {

void Window::ShowMessage(const std::string& title, const std::string& text) {
  if (SDL_WasInit(SDL_INIT_VIDEO) &&
      SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title.c_str(), text.c_str(), nullptr) == 0)
    return;
  std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
}

namespace {

constexpr const char* kNoDisplayText =
    "no display found (DISPLAY and WAYLAND_DISPLAY are not set, or no display answers). Start Brinemoor "
    "from a desktop session, or pass --headless";

bool HasDisplayVariable() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"}) {
    const char* v = std::getenv(name);
    if (v && *v) return true;
  }
  return false;
}

class CounterClock : public Clock {
 public:
  CounterClock() : freq_(double(SDL_GetPerformanceFrequency())) {}
  double ClockMs() override { return double(SDL_GetPerformanceCounter()) * 1000.0 / freq_; }
  void SleepMs(double ms) override {
    if (ms > 0) SDL_Delay(Uint32(ms));
  }

 private:
  double freq_;
};

class SdlHost : public Host {
 public:
  ~SdlHost() override {
    music_.reset();
    sound_.reset();
    render_.reset();
    window_.reset();
    IMG_Quit();
    SDL_Quit();
  }
  bool Start(const HostOptions& o, Logs& logs, std::string& error) {
    // Without a display SDL would fall back to drawing off-screen: a game nobody sees
    // and nobody can close. A driver named in SDL_VIDEODRIVER is taken as meant.
    const char* forced = std::getenv("SDL_VIDEODRIVER");
    bool chosen = forced && *forced;
    if (!chosen && !HasDisplayVariable()) {
      error = kNoDisplayText;
      return false;
    }
    // Stop signals belong to the game's own watcher, not to SDL.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // The window reads the pads itself: left to SDL, a connected pad would turn
    // every idle wait into a poll each millisecond.
    SDL_SetHint(SDL_HINT_AUTO_UPDATE_JOYSTICKS, "0");
    if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_TIMER | SDL_INIT_EVENTS) != 0) {
      error = std::string("SDL_Init: ") + SDL_GetError();
      return false;
    }
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!chosen && driver && (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0)) {
      error = kNoDisplayText;
      return false;
    }
    IMG_Init(IMG_INIT_PNG | IMG_INIT_JPG);
    RendererChoice choice = ChooseRenderer(o.renderer, o.softwareRenderer, HasGpuDeviceNode());
    window_ = std::make_unique<SdlWindow>();
    if (!window_->Create(o.title, o.width, o.height, o.fullScreen, choice.software)) {
      error = "window: " + window_->Error();
      return false;
    }
    if (!choice.software) {
      // A GPU node may still lead to a GL that draws on the processor (a virtual
      // machine's display, a missing driver): then SDL's software renderer is
      // as quick and holds no compiler and no GL buffers.
      std::string gl = window_->GlRendererString();
      if (!gl.empty()) choice = ReviewGlRenderer(o.renderer, gl);
      if (choice.software) {
        window_ = std::make_unique<SdlWindow>();
        if (!window_->Create(o.title, o.width, o.height, o.fullScreen, true)) {
          error = "window: " + window_->Error();
          return false;
        }
      }
    }
    render_ = std::make_unique<SdlRenderDevice>(window_->Renderer(), nullptr, o.width, o.height);
    window_->SetPadLog([&logs](const std::string& line) { logs.WriteRunLog("Gamepad", line); });
    renderer = window_->RendererName() + " (" + choice.reason + ")";
    logs.WriteRunLog(logtag::kRootForm, "Renderer: " + renderer);
    if (o.sound) {
      sound_ = MakeSdlSoundDevice(logs);
      music_ = MakeSdlMusicDevice(logs);
    } else {
      sound_ = MakeHeadlessSoundDevice(clock_);
      music_ = MakeHeadlessMusicDevice(clock_);
    }
    Connect(clock_, *window_, *render_, *sound_, *music_);
    return true;
  }

 private:
  CounterClock clock_;
  std::unique_ptr<SdlWindow> window_;
  std::unique_ptr<SdlRenderDevice> render_;
  std::unique_ptr<SoundDevice> sound_;
  std::unique_ptr<MusicDevice> music_;
};

class HeadlessHost : public Host {
 public:
  ~HeadlessHost() override {
    music_.reset();
    sound_.reset();
    render_.reset();
    IMG_Quit();
  }
  bool Start(const HostOptions& o, std::string& error) {
    IMG_Init(IMG_INIT_PNG | IMG_INIT_JPG);
    window_ = std::make_unique<HeadlessWindow>(clock_, o.width, o.height);
    SDL_Surface* target = SDL_CreateRGBSurfaceWithFormat(0, o.width, o.height, 32, SDL_PIXELFORMAT_ARGB8888);
    SDL_Renderer* r = target ? SDL_CreateSoftwareRenderer(target) : nullptr;
    if (!r) {
      error = std::string("off-screen surface: ") + SDL_GetError();
      if (target) SDL_FreeSurface(target);
      return false;
    }
    render_ = std::make_unique<SdlRenderDevice>(r, target, o.width, o.height);
    sound_ = MakeHeadlessSoundDevice(clock_);
    music_ = MakeHeadlessMusicDevice(clock_);
    Connect(clock_, *window_, *render_, *sound_, *music_);
    platform.headless = true;
    return true;
  }
  VirtualClock* Virtual() override { return &clock_; }
  HeadlessWindow* Scripted() override { return window_.get(); }
  void SetDrawingEnabled(bool on) override { render_->SetDrawingEnabled(on); }

 private:
  VirtualClock clock_;
  std::unique_ptr<HeadlessWindow> window_;
  std::unique_ptr<SdlRenderDevice> render_;
  std::unique_ptr<SoundDevice> sound_;
  std::unique_ptr<MusicDevice> music_;
};

}  // namespace

std::unique_ptr<Host> CreateHost(const HostOptions& options, Logs& logs, std::string& error) {
  if (options.headless) {
    auto h = std::make_unique<HeadlessHost>();
    if (!h->Start(options, error)) return nullptr;
    return h;
  }
  // Pictures and decoded sounds come and go with the screens: blocks of a
  // megabyte and more get pages of their own, handed back the moment they are
  // freed (by default the bar rises with each large block freed, and later ones
  // stay in the heap after they go).
  mallopt(M_MMAP_THRESHOLD, 1 << 20);
  auto h = std::make_unique<SdlHost>();
  if (!h->Start(options, logs, error)) {
    logs.WriteRunLog(logtag::kRootForm, "Can't create the game window: " + error, true);
    return nullptr;
  }
  return h;
}

}  // namespace bm

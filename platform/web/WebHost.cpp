#include "platform/web/WebHost.h"

#include <emscripten.h>
#include <signal.h>

#include <cerrno>
#include <cstdio>

#include "diag/LogTags.h"
#include "diag/Logs.h"
#include "platform/Audio.h"
#include "platform/Host.h"
#include "platform/web/WebRender.h"
#include "platform/web/WebWindow.h"

extern "C" {
// A page has no signals, so no stack for their handlers either; emscripten's C
// library leaves this one out (the run's crash line asks for it, and goes
// without). A failed wasm call reaches the page as an abort instead.
int sigaltstack(const stack_t*, stack_t*) {
  errno = ENOSYS;
  return -1;
}

void bm_page_message(const char* title, const char* text);
void bm_page_title(const char* text);
void bm_page_report(const char* json);
void bm_page_screen(const char* name);
void bm_page_notice(const char* text);
int bm_page_skip_intro();
double bm_pack_wanted(const char* name);
int bm_file_coming(const char* path);
}

namespace bm {

void ShowPageMessage(const std::string& title, const std::string& text) {
  std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
  bm_page_message(title.c_str(), text.c_str());
}

void ShowPageReport(const std::string& json) { bm_page_report(json.c_str()); }

void ShowPageScreen(const char* name) { bm_page_screen(name); }

void ShowPageNotice(const std::string& text) { bm_page_notice(text.c_str()); }

bool PageAskedToSkipIntro() { return bm_page_skip_intro() != 0; }

namespace {
WebWindow* pageWindow = nullptr;  // the one window of the page
}  // namespace

void PressOnPage(int virtualKey) {
  if (pageWindow) pageWindow->PressOnce(virtualKey);
}

// The page shows the message over the canvas.
void Window::ShowMessage(const std::string& title, const std::string& text) { ShowPageMessage(title, text); }

namespace {

// The browser's own clock; a pass never sleeps (the page's loop waits between passes).
class PageClock : public Clock {
 public:
  double ClockMs() override { return emscripten_get_now(); }
  void SleepMs(double) override {}
};

// The page's packs (page.js).
class PagePacks : public DataPacks {
 public:
  double Wanted(const char* pack) override {
    double here = bm_pack_wanted(pack);
    return here < 0 ? 1 : here;
  }
  bool Coming(const std::string& path) override { return bm_file_coming(path.c_str()) != 0; }
};

class WebHost : public Host {
 public:
  ~WebHost() override {
    pageWindow = nullptr;
    music_.reset();
    sound_.reset();
    if (window_) window_->SetRenderDevice(nullptr);
    render_.reset();
  }
  bool Start(const HostOptions& o, Logs& logs, std::string& error) {
    if (o.headless) {
      error = "a page always has its canvas: no headless runs in a browser";
      return false;
    }
    bm_page_title(o.title.c_str());
    window_ = std::make_unique<WebWindow>();
    pageWindow = window_.get();
    // The canvas keeps the size the page gave it (page.js made its context at the picture's likely size) until the
    // program's SetMode: a canvas given a size makes its drawing buffer anew, and each size in between costs about as much again as the context.
    render_ = std::make_unique<WebRenderDevice>(kCanvasSelector, o.width, o.height);
    if (!render_->Ok()) {
      error = "this browser cannot draw with WebGL";
      return false;
    }
    window_->SetRenderDevice(render_.get());
    renderer = "WebGL (" + render_->RendererName() + ")";
    logs.WriteRunLog(logtag::kRootForm, "Renderer: " + renderer);
    if (o.sound) {
      sound_ = MakeWebSoundDevice(logs);
      music_ = MakeWebMusicDevice(logs);
    } else {
      sound_ = MakeHeadlessSoundDevice(clock_);
      music_ = MakeHeadlessMusicDevice(clock_);
    }
    Connect(clock_, *window_, *render_, *sound_, *music_);
    platform.packs = &packs_;
    return true;
  }

 private:
  PageClock clock_;
  PagePacks packs_;
  std::unique_ptr<WebWindow> window_;
  std::unique_ptr<WebRenderDevice> render_;
  std::unique_ptr<SoundDevice> sound_;
  std::unique_ptr<MusicDevice> music_;
};

}  // namespace

std::unique_ptr<Host> CreateHost(const HostOptions& options, Logs& logs, std::string& error) {
  auto h = std::make_unique<WebHost>();
  if (!h->Start(options, logs, error)) {
    logs.WriteRunLog(logtag::kRootForm, "Can't create the game window: " + error, true);
    ShowPageMessage("Brinemoor cannot start", error);
    return nullptr;
  }
  return h;
}

}  // namespace bm

// Builds the platform services for a run: SDL2 with a window, or headless.
#pragma once
#include <memory>
#include <string>

#include "platform/Platform.h"
#include "platform/RendererChoice.h"

namespace bm {

class Logs;
class VirtualClock;
class HeadlessWindow;

struct HostOptions {
  bool headless = false;
  int width = 1280, height = 1024;
  bool fullScreen = false;
  bool sound = true;
  // "Force Reference Rasterizer (REF)" in data.ini: SDL's software renderer, never the GPU.
  bool softwareRenderer = false;
  // --renderer: auto (software when the machine has no GPU to draw with), gl or software.
  RendererRequest renderer = RendererRequest::Auto;
  std::string title = "Brinemoor";
};

class Host {
 public:
  virtual ~Host() = default;
  Platform platform;
  std::string renderer;  // the window's renderer and why it was chosen; empty headless
  // Headless runs only; null with a window.
  virtual VirtualClock* Virtual() { return nullptr; }
  virtual HeadlessWindow* Scripted() { return nullptr; }
  // Headless fast runs skip drawing until a screenshot is wanted.
  virtual void SetDrawingEnabled(bool) {}

 protected:
  // Hands the devices the host owns to the game.
  template <class WindowAndInput>
  void Connect(Clock& clock, WindowAndInput& window, RenderDevice& render, SoundDevice& sound, MusicDevice& music) {
    platform.clock = &clock;
    platform.window = &window;
    platform.input = &window;
    platform.render = &render;
    platform.sound = &sound;
    platform.music = &music;
  }
};

// Null with a reason in error when the services cannot be started.
std::unique_ptr<Host> CreateHost(const HostOptions& options, Logs& logs, std::string& error);

}  // namespace bm

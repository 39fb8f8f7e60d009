// A headless game for driving one screen at a time on the virtual clock.
#pragma once
#include <memory>
#include <string>

#include "TestDirs.h"
#include "board/ScreenMetrics.h"
#include "platform/Host.h"
#include "platform/headless/Headless.h"
#include "shell/Game.h"

namespace bm::test {

struct ScreenHarness {
  TempDir dir;
  Logs logs{dir.str()};
  std::string error;
  std::unique_ptr<Host> host;
  std::unique_ptr<Game> game;
  explicit ScreenHarness(bool drawing = false) {
    HostOptions o;
    o.headless = true;
    host = CreateHost(o, logs, error);
    host->SetDrawingEnabled(drawing);
    RunOptions ro;
    ro.gameDir = BM_GAME_DIR;
    ro.dataDir = dir.str();
    game = std::make_unique<Game>(host->platform, logs, ro);
    game->drawing = drawing;
    game->SetScreenSize(1280, 1024);
    // A safety net: a screen that never ends fails its test instead of hanging.
    game->options.maxSeconds = 600;
    game->startMs = game->Now();
  }
  Game& g() { return *game; }
  HeadlessWindow& w() { return *host->Scripted(); }
  double now() { return game->Now(); }
  static double cx(const IRect& r) { return (r.left + r.right) / 2.0; }
  static double cy(const IRect& r) { return (r.top + r.bottom) / 2.0; }
  void Click(double at, const IRect& r, double hold = 40) { w().ScriptClick(at, cx(r), cy(r), hold); }
  void Key(double at, int key, double hold = 40) { w().ScriptKey(at, key, hold); }
  void Move(double at, double x, double y) { w().Script({ScriptEvent::Move, at, x, y}); }
  void Down(double at) { w().Script({ScriptEvent::ButtonDown, at, 0, 0, 1}); }
  void Up(double at) { w().Script({ScriptEvent::ButtonUp, at, 0, 0, 1}); }
  // Ends the screen with F12 at this time, should it still be open.
  void Deadline(double at) { Key(at, vk::F12); }
};

}  // namespace bm::test

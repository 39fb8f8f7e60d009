// A headless run's services for driving one screen at a time on the virtual clock.
#pragma once
#include <memory>
#include <string>

#include "tests/TempDir.h"
#include "board/ScreenMetrics.h"
#include "platform/Host.h"
#include "platform/headless/DrawJournal.h"
#include "platform/headless/Headless.h"
#include "shell/Loop.h"
#include "shell/PlaySide.h"
#include "shell/Services.h"

namespace bm::test {

// Steps a screen on the one loop until it pops; returns its answer.
inline Answer RunToPop(Services& s, std::unique_ptr<Screen> screen) {
  // The screen it stands on: it takes the answer, and the stack is empty.
  struct Below : Screen {
    std::unique_ptr<Screen> top;
    Answer* answer;
    const char* Name() const override { return "Test"; }
    Next Enter(Stage&) override { return Next::Push(std::move(top)); }
    Next Pass(Stage&) override { return Next::Pop(); }
    Next Resume(Stage&, Answer a) override {
      *answer = a;
      return Next::Pop();
    }
  };
  Answer answer;
  auto below = std::make_unique<Below>();
  below->top = std::move(screen);
  below->answer = &answer;
  ScreenStack stack(s);
  stack.Open(std::move(below));
  while (stack.Step()) stack.Pace();
  return answer;
}

// journal: the render device keeps a journal of the draw calls (the census reads it).
struct ScreenHarness {
  TempDir dir;
  Logs logs{dir.str()};
  std::string error;
  std::unique_ptr<Host> host;
  std::unique_ptr<JournalDevice> journal;
  std::unique_ptr<Services> services;
  std::unique_ptr<PlaySide> playSide;
  explicit ScreenHarness(bool drawing = false, double maxSeconds = 600, bool headless = false, int width = 1280,
                         int height = 1024, bool keepJournal = false) {
    HostOptions o;
    o.headless = true;
    o.width = width;
    o.height = height;
    host = CreateHost(o, logs, error);
    host->SetDrawingEnabled(drawing);
    if (keepJournal) {
      journal = std::make_unique<JournalDevice>(*host->platform.render);
      host->platform.render = journal.get();
    }
    RunOptions ro;
    ro.gameDir = BM_GAME_DIR;
    ro.dataDir = dir.str();
    ro.headless = headless;
    // A safety net: a screen that never ends fails its test instead of hanging.
    ro.maxSeconds = maxSeconds;
    services = std::make_unique<Services>(host->platform, logs, ro);
    services->look.drawing = drawing;
    services->SetScreenSize(width, height);
    services->loop.StartMs = services->Now();
    playSide = std::make_unique<PlaySide>(ro);
  }
  Services& s() { return *services; }
  PlaySide& play() { return *playSide; }
  Match& match() { return playSide->match; }
  HeadlessWindow& w() { return *host->Scripted(); }
  double now() { return services->Now(); }
  Answer Run(std::unique_ptr<Screen> screen) { return RunToPop(*services, std::move(screen)); }
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

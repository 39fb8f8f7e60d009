// A gamepad plays the real screens: SDL's virtual joystick, plugged in when the
// first start asks for a name, drives the SDL window on the dummy video driver
// (on the virtual clock) through the name box, the main menu, a level, its
// time-up, the map and the shop into the next level, and Start leaves it for the menu.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "../platform/VirtualPad.h"
#include "tests/TempDir.h"
#include "platform/Audio.h"
#include "platform/headless/Headless.h"
#include "platform/headless/HeadlessAudio.h"
#include "platform/sdl/SdlRender.h"
#include "platform/sdl/SdlWindow.h"
#include "shell/Loop.h"
#include "shell/RunScreen.h"
#include "shell/PlaySide.h"
#include "shell/Services.h"
#include "storage/SaveFolder.h"

namespace bm {
namespace {

// The SDL window whose idle waits move the virtual clock instead of sleeping.
class PadWindow : public SdlWindow {
 public:
  explicit PadWindow(VirtualClock& clock) : clock_(clock) {}
  void WaitEvent(double ms) override { clock_.Advance(ms); }

 private:
  VirtualClock& clock_;
};

// One press of the script: on this screen, once it has stood a moment.
struct PadPress {
  const char* screen;
  int button = -1;        // a controller button, or
  int axis = -1;          // an axis pushed to its end
  int value = 0;
  std::function<void()> after;  // what the test does once the press is let go
};

struct PadGame {
  test::PadSdl sdl;
  test::TempDir dir;
  Logs logs{dir.str()};
  VirtualClock clock;
  PadWindow window{clock};
  std::unique_ptr<SdlRenderDevice> render;
  std::unique_ptr<SoundDevice> sound = MakeHeadlessSoundDevice(clock);
  std::unique_ptr<MusicDevice> music = MakeHeadlessMusicDevice(clock);
  Platform platform;
  std::unique_ptr<Services> services;
  std::unique_ptr<PlaySide> play;
  test::VirtualPad pad;

  ~PadGame() {
    services.reset();
    render.reset();
  }
  bool Start() {
    if (!window.Create("Brinemoor", 1280, 1024, false, true)) return false;
    window.SetPadLog([this](const std::string& line) { logs.WriteRunLog("Gamepad", line); });
    render = std::make_unique<SdlRenderDevice>(window.Renderer(), nullptr, 1280, 1024);
    render->SetDrawingEnabled(false);
    platform = Platform{&clock, &window, &window, render.get(), sound.get(), music.get(), nullptr, false};
    RunOptions o;
    o.gameDir = BM_GAME_DIR;
    o.dataDir = dir.str();
    o.maxSeconds = 900;
    services = std::make_unique<Services>(platform, logs, o);
    services->look.drawing = false;
    services->sound.sfx.StartSound();
    services->SetScreenSize(1280, 1024);
    services->loop.StartMs = clock.ClockMs();
    play = std::make_unique<PlaySide>(o);
    return true;
  }
  int Heard(const std::string& cue) {
    int n = 0;
    for (const SfxPlayRecord& p : static_cast<HeadlessSoundDevice*>(sound.get())->Played())
      n += p.file.find(cue + ".ogg") != std::string::npos;
    return n;
  }
};

TEST(GamePad, AScriptedPadPlaysFromTheFirstStartThroughALevelTheMapAndTheShop) {
  PadGame g;
  ASSERT_TRUE(g.Start()) << SDL_GetError();
  Match& m = g.play->match;
  int cursorCells = 0;
  int lastCell = kNoCell;
  auto noteCursor = [&] {
    if (m.keyCursor.cell != kNoCell && m.keyCursor.cell != lastCell) ++cursorCells;
    lastCell = m.keyCursor.cell;
  };
  const std::vector<PadPress> script = {
      {"NameBox", SDL_CONTROLLER_BUTTON_DPAD_UP},     // "A"
      {"NameBox", SDL_CONTROLLER_BUTTON_DPAD_RIGHT},  // "AA"
      {"NameBox", SDL_CONTROLLER_BUTTON_DPAD_DOWN},   // "A9"
      {"NameBox", SDL_CONTROLLER_BUTTON_A},
      {"MainMenu", SDL_CONTROLLER_BUTTON_A},  // marks "Play"
      {"MainMenu", SDL_CONTROLLER_BUTTON_A},  // opens it: a new game
      {"Play", -1, SDL_CONTROLLER_AXIS_LEFTX, 32767, noteCursor},
      {"Play", -1, SDL_CONTROLLER_AXIS_LEFTY, 32767, noteCursor},
      {"Play", SDL_CONTROLLER_BUTTON_DPAD_LEFT, -1, 0, noteCursor},
      // The hourglass runs out: TIME IS UP, the flight out, the map.
      {"Play", SDL_CONTROLLER_BUTTON_DPAD_UP, -1, 0, [&] { noteCursor(), m.level.SandLeft = 0; }},
      {"BetweenLevels", SDL_CONTROLLER_BUTTON_DPAD_LEFT},  // from "Continue" to "Shop"
      {"BetweenLevels", SDL_CONTROLLER_BUTTON_A},          // the shop
      {"BetweenLevels", SDL_CONTROLLER_BUTTON_B},          // saves it and goes on
      {"Play", SDL_CONTROLLER_BUTTON_START},               // the menu button: back to the menu
  };
  auto set = [&](const PadPress& p, bool down) {
    if (p.button >= 0) g.pad.Button(p.button, down);
    else g.pad.Axis(p.axis, down ? p.value : 0);
  };
  ScreenStack stack(*g.services);
  stack.Open(std::make_unique<RunScreen>(*g.play, *g.services));
  std::size_t done = 0;  // presses made and let go
  int held = -1;
  bool afterDue = false;
  std::string top;
  double topSince = 0, releaseAt = 0, settledAt = 0, menuAgainAt = -1;
  while (stack.Step()) {
    double now = g.clock.ClockMs();
    if (stack.Top() != top) top = stack.Top(), topSince = now;
    if (g.pad.index < 0 && top == "NameBox") g.pad.Attach();  // plugged in when asked for a name
    if (held >= 0 && now >= releaseAt) {
      set(script[std::size_t(held)], false);
      held = -1, ++done, afterDue = true, settledAt = now + 150;
    }
    if (afterDue && now >= settledAt) {
      afterDue = false;
      if (script[done - 1].after) script[done - 1].after();
    }
    if (held < 0 && !afterDue && done < script.size() && top == script[done].screen && now - topSince >= 600) {
      set(script[done], true);
      held = int(done), releaseAt = now + 80;
    }
    if (done == script.size() && top == "MainMenu" && menuAgainAt < 0) {
      menuAgainAt = now;
      g.pad.Detach();  // pulled out again
    }
    if (menuAgainAt >= 0 && now - menuAgainAt > 500) g.services->loop.ExitRequested = true;
    stack.Pace();
  }
  EXPECT_EQ(done, script.size()) << "the script stopped on " << top;
  EXPECT_GE(menuAgainAt, 0) << "Start left the level for the menu";
  std::string log = test::ReadText(g.dir.path / "run.log");
  EXPECT_NE(log.find("Gamepad connected: Test Pad"), std::string::npos) << log;
  EXPECT_NE(log.find("Gamepad removed: Test Pad"), std::string::npos);
  SaveData players;
  SaveFolder folder{g.dir.str(), BM_GAME_DIR, nullptr, {}};
  LoadPlayers(folder, players);
  EXPECT_EQ(players.players.slot[std::size_t(players.players.Current())].Name, "A9") << "a name picked on the pad";
  EXPECT_GE(cursorCells, 3) << "the stick and the d-pad moved the board's frame";
  EXPECT_EQ(m.stats.livesLost, 1);
  EXPECT_NE(log.find("BetweenLevelsScreen() * Level 1"), std::string::npos);
  EXPECT_GE(g.Heard("ev_map_paper"), 1) << "the shop was opened";
  EXPECT_EQ(m.session.Lives, 2);
  EXPECT_TRUE(std::filesystem::exists(g.dir.path / "saves" / "dump1.dat")) << "left by Start, the level is saved";
}

}  // namespace
}  // namespace bm

// The SDL window's event pump: events are handled in the order they came; a
// gamepad's presses are keys; a window dragged to another size shows the
// picture scaled with bars beside, and the pointer lands where it is aimed.
#include "platform/sdl/SdlWindow.h"

#include <SDL_image.h>
#include <gtest/gtest.h>
#include <signal.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "VirtualPad.h"
#include "platform/sdl/SdlRender.h"

namespace bm {
namespace {

struct SdlEvents {
  SdlEvents() { SDL_InitSubSystem(SDL_INIT_VIDEO); }
  ~SdlEvents() { SDL_QuitSubSystem(SDL_INIT_VIDEO); }
  static void Push(Uint32 type, Uint8 button = SDL_BUTTON_LEFT) {
    SDL_Event e{};
    e.type = type;
    e.button.button = button;
    e.button.x = 10;
    e.button.y = 20;
    SDL_PushEvent(&e);
  }
  static void PushKey(Uint32 type, SDL_Keycode key) {
    SDL_Event e{};
    e.type = type;
    e.key.keysym.sym = key;
    SDL_PushEvent(&e);
  }
};

TEST(SdlWindowEvents, WaitingKeepsAQueuedPressBeforeItsReleaseAndAWakeEndsItAtOnce) {
  SdlEvents sdl;
  SdlWindow w;
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  SdlEvents::Push(SDL_MOUSEBUTTONDOWN);
  SdlEvents::Push(SDL_MOUSEBUTTONUP);
  SdlEvents::PushKey(SDL_KEYDOWN, SDLK_ESCAPE);
  SdlEvents::PushKey(SDL_KEYUP, SDLK_ESCAPE);
  for (int i = 0; i < 3; ++i) w.WaitEvent(50);  // idle passes wait, each ends on an event: they must stay as they came
  w.Pump();
  EXPECT_TRUE(w.ButtonDown(1)) << "the click is seen for the pass it came in";
  EXPECT_TRUE(w.KeyDown(vk::Escape));
  w.Pump();
  EXPECT_FALSE(w.ButtonDown(1)) << "released, not held for ever";
  EXPECT_FALSE(w.KeyDown(vk::Escape));
  // A wake ends a wait at once.
  SdlWindow woken;
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  woken.Wake();
  Uint64 start = SDL_GetTicks64();
  woken.WaitEvent(5000);
  EXPECT_LT(SDL_GetTicks64() - start, 1000u);
}

TEST(PadStick, ADeadZoneTheAxisPushedFurtherAndNoFlickerAtTheThreshold) {
  PadStick s;
  EXPECT_FALSE(s.Move(0, 9000)) << "resting a little off centre presses nothing";
  EXPECT_EQ(s.key, -1);
  EXPECT_TRUE(s.Move(0, 20000));
  EXPECT_EQ(s.key, vk::Right);
  EXPECT_FALSE(s.Move(0, 13000)) << "held while still leaning past the lower mark";
  EXPECT_FALSE(s.Move(1, -12000)) << "the axis pushed further decides";
  EXPECT_EQ(s.key, vk::Right);
  EXPECT_TRUE(s.Move(1, -30000));
  EXPECT_EQ(s.key, vk::Up);
  s.Move(0, 0);
  EXPECT_TRUE(s.Move(1, -5000));
  EXPECT_EQ(s.key, -1) << "let go below a third";
  EXPECT_TRUE(s.Move(1, 32767));
  EXPECT_EQ(s.key, vk::Down);
  EXPECT_TRUE(s.Move(1, -32768)) << "flicked straight across";
  EXPECT_EQ(s.key, vk::Up);
  EXPECT_TRUE(s.Move(1, 12000)) << "swung over to the other side, short of half: let go";
  EXPECT_EQ(s.key, -1);
}

TEST(SdlWindowPad, PressesAreKeysThePointerHidesUntilTheMouseMovesAndARemovedPadLetsGo) {
  test::PadSdl sdl;
  SdlWindow w;
  ASSERT_TRUE(w.Create("pad", 640, 480, false, true)) << w.Error();
  std::string log;
  w.SetPadLog([&](const std::string& line) { log += line + "\n"; });
  test::VirtualPad pad;
  pad.Attach();
  w.Pump();
  SDL_Event move{};
  move.type = SDL_MOUSEMOTION;
  move.motion.windowID = SDL_GetWindowID(SDL_RenderGetWindow(w.Renderer()));
  move.motion.x = 100, move.motion.y = 50;
  SDL_PushEvent(&move);
  w.Pump();
  ASSERT_EQ(w.Pointer().x, 100);

  pad.Button(SDL_CONTROLLER_BUTTON_A, true);
  pad.Button(SDL_CONTROLLER_BUTTON_X, true);
  pad.Button(SDL_CONTROLLER_BUTTON_DPAD_UP, true);
  pad.Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, true);
  pad.Axis(SDL_CONTROLLER_AXIS_LEFTX, -32768);
  w.Pump();
  EXPECT_TRUE(w.KeyDown(vk::Enter));
  EXPECT_TRUE(w.KeyDown('1')) << "X takes the parrot";
  EXPECT_TRUE(w.KeyDown(vk::Up));
  EXPECT_TRUE(w.KeyDown(vk::Left));
  EXPECT_EQ(w.Pointer().x, -1) << "a hidden pointer points at nothing";
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
  pad.Button(SDL_CONTROLLER_BUTTON_DPAD_LEFT, false);
  w.Pump();
  EXPECT_TRUE(w.KeyDown(vk::Left)) << "the stick still holds it";
  pad.Axis(SDL_CONTROLLER_AXIS_LEFTX, 0);
  pad.Button(SDL_CONTROLLER_BUTTON_START, true);
  w.Pump();
  EXPECT_FALSE(w.KeyDown(vk::Left));
  EXPECT_TRUE(w.KeyDown(vk::Menu));

  SDL_PushEvent(&move);
  w.Pump();
  EXPECT_EQ(w.Pointer().x, 100) << "the mouse moved: the pointer is back";
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
  SDL_Event leave{};
  leave.type = SDL_WINDOWEVENT;
  leave.window.windowID = move.motion.windowID;
  leave.window.event = SDL_WINDOWEVENT_LEAVE;
  SDL_PushEvent(&leave);
  w.Pump();
  EXPECT_EQ(w.Pointer().x, -1) << "a pointer that left the window is over nothing";
  w.ShowCursor(false);  // the game's own wish stands over the pad's
  pad.Button(SDL_CONTROLLER_BUTTON_B, true);
  w.Pump();
  EXPECT_TRUE(w.KeyDown(vk::Escape));
  SDL_PushEvent(&move);
  w.Pump();
  EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);

  // The trigger pressed past half and eased back to a quarter still holds the spyglass.
  pad.Axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, 20000);
  w.Pump();
  pad.Axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT, -16000);
  w.Pump();
  w.Pump();
  EXPECT_TRUE(w.KeyDown('5'));

  pad.Detach();
  w.Pump();
  w.Pump();
  EXPECT_FALSE(w.KeyDown(vk::Enter)) << "a pad pulled out lets go of what it held";
  EXPECT_FALSE(w.KeyDown(vk::Escape));
  EXPECT_FALSE(w.KeyDown(vk::Menu));
  EXPECT_EQ(log, "Gamepad connected: Test Pad\nGamepad removed: Test Pad\n");
}

Uint32 Pixel(SDL_Surface* s, int x, int y) {
  Uint32 p = 0;
  SDL_Surface* one = SDL_CreateRGBSurfaceWithFormat(0, 1, 1, 32, SDL_PIXELFORMAT_ARGB8888);
  SDL_Rect r{x, y, 1, 1};
  SDL_BlitSurface(s, &r, one, nullptr);
  p = *static_cast<Uint32*>(one->pixels) & 0xFFFFFF;
  SDL_FreeSurface(one);
  return p;
}
Uint32 WindowPixel(SDL_Window* window, int x, int y) { return Pixel(SDL_GetWindowSurface(window), x, y); }

TEST(SdlWindowResize, ADraggedWindowScalesThePictureWithBarsAndClicksLandWhereAimed) {
  test::PadSdl sdl;
  SdlWindow w;
  ASSERT_TRUE(w.Create("resize", 640, 480, false, true)) << w.Error();
  SdlRenderDevice device(w.Renderer(), nullptr, 640, 480);
  SDL_Window* window = SDL_RenderGetWindow(w.Renderer());
  // A photograph is copied, not blended, only where it is drawn whole: faded out, nothing of it shows.
  TextureId photo = device.LoadTexture(std::string(BM_GAME_DIR) + "/red/bg/back1.jpg");
  for (Argb alpha : {0x00FFFFFFu, 0xFFFFFFFFu}) {
    const Vertex q[4] = {{0, 0, 0, 0, alpha}, {640, 0, 1, 0, alpha}, {640, 480, 1, 1, alpha}, {0, 480, 0, 1, alpha}};
    device.Clear(0xFFFFFFFF), device.DrawQuad(photo, q), device.Present();
    EXPECT_EQ(WindowPixel(window, 320, 240) == 0xFFFFFFu, alpha == 0x00FFFFFFu) << std::hex << alpha;
  }
  w.WarpPointer(600, 100);
  w.Pump();
  SDL_SetWindowSize(window, 1280, 480);  // dragged wider: bars left and right
  w.Pump();
  EXPECT_TRUE(w.TakeExposed()) << "drawn afresh at the new size";
  EXPECT_NEAR(w.Pointer().x, 600 - 320, 1) << "the pointer stayed put: the picture moved under it";
  EXPECT_EQ(w.Width(), 640) << "the back buffer keeps its size";
  WindowPlacement placed = w.Placement();
  EXPECT_EQ(placed.width, 1280);
  EXPECT_EQ(placed.height, 480);
  device.Clear(0xFFFFFFFF);
  device.Present();
  EXPECT_EQ(WindowPixel(window, 640, 240), 0xFFFFFFu) << "the picture in the middle";
  EXPECT_EQ(WindowPixel(window, 100, 240), 0u) << "a black bar beside it";
  EXPECT_EQ(WindowPixel(window, 1200, 240), 0u);

  SDL_Event click{};
  click.type = SDL_MOUSEBUTTONDOWN;
  click.button.windowID = SDL_GetWindowID(window);
  click.button.button = SDL_BUTTON_LEFT;
  click.button.x = 320 + 600, click.button.y = 100;
  SDL_PushEvent(&click);
  w.Pump();
  EXPECT_TRUE(w.ButtonDown(1));
  EXPECT_NEAR(w.Pointer().x, 600, 1) << "the picture's pixel under the click";
  EXPECT_NEAR(w.Pointer().y, 100, 1);
  click.button.x = 100;
  SDL_PushEvent(&click);
  w.Pump();
  EXPECT_LT(w.Pointer().x, 0) << "a click on a bar is beside the picture";

  // Larger both ways, bars above and below: a screenshot is the picture at its own size.
  SDL_SetWindowSize(window, 1280, 1000);
  w.Pump();
  device.Clear(0xFFFFFFFF);
  device.Present();
  const std::string shot = testing::TempDir() + "/scaled.png";
  ASSERT_TRUE(device.SaveScreenshot(shot));
  SDL_Surface* read = IMG_Load(shot.c_str());
  ASSERT_TRUE(read);
  EXPECT_EQ(read->w, 640);
  EXPECT_EQ(read->h, 480);
  EXPECT_EQ(Pixel(read, 0, 0), 0xFFFFFFu) << "no bar in it";
  EXPECT_EQ(Pixel(read, 639, 479), 0xFFFFFFu);
  SDL_FreeSurface(read);

  w.SetMode(800, 600, false);  // a size chosen in the options
  EXPECT_EQ(w.Placement().width, 800);
}

// An X server of the test's own, with no window manager: full screen is asked
// for and never granted, while SDL counts the window as the desktop's size.
TEST(SdlWindowModes, FullScreenTheWindowDoesNotReachIsNotTakenForReached) {
  FILE* server = popen("Xvfb -displayfd 1 -screen 0 1280x1024x24 -nolisten tcp 2>/dev/null & echo $!", "r");
  int pid = 0, display = -1;
  if (!server || std::fscanf(server, "%d %d", &pid, &display) != 2) GTEST_SKIP() << "no Xvfb";
  const char* driver = std::getenv("SDL_VIDEODRIVER");
  const std::string before = driver ? driver : "";
  setenv("SDL_VIDEODRIVER", "x11", 1);
  setenv("DISPLAY", (":" + std::to_string(display)).c_str(), 1);
  SDL_Quit();
  if (SDL_Init(SDL_INIT_VIDEO) == 0) {
    SdlWindow w;
    ASSERT_TRUE(w.Create("modes", 1024, 768, false, true)) << w.Error();
    EXPECT_FALSE(w.SetMode(1280, 1024, true)) << "the window stays 1024x768: not full screen";
    EXPECT_TRUE(w.SetMode(1024, 768, false)) << "a window's size is granted";
  }
  SDL_Quit();
  if (driver) setenv("SDL_VIDEODRIVER", before.c_str(), 1);
  else unsetenv("SDL_VIDEODRIVER");
  kill(pid, SIGTERM);
  pclose(server);
}

}  // namespace
}  // namespace bm

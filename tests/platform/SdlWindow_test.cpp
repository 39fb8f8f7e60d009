// The SDL window's event pump: events are handled in the order they came.
#include "platform/sdl/SdlWindow.h"

#include <gtest/gtest.h>

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

TEST(SdlWindowEvents, WaitingKeepsAQueuedPressBeforeItsRelease) {
  SdlEvents sdl;
  SdlWindow w;
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  SdlEvents::Push(SDL_MOUSEBUTTONDOWN);
  SdlEvents::Push(SDL_MOUSEBUTTONUP);
  SdlEvents::PushKey(SDL_KEYDOWN, SDLK_ESCAPE);
  SdlEvents::PushKey(SDL_KEYUP, SDLK_ESCAPE);
  w.WaitEvent(50);  // an idle pass waits; the events must stay as they were
  w.Pump();
  EXPECT_TRUE(w.ButtonDown(1)) << "the click is seen for the pass it came in";
  EXPECT_TRUE(w.KeyDown(vk::Escape));
  w.Pump();
  EXPECT_FALSE(w.ButtonDown(1)) << "released, not held for ever";
  EXPECT_FALSE(w.KeyDown(vk::Escape));
}

TEST(SdlWindowEvents, WakeEndsAWaitAtOnce) {
  SdlEvents sdl;
  SdlWindow w;
  SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
  w.Wake();
  Uint64 start = SDL_GetTicks64();
  w.WaitEvent(5000);
  EXPECT_LT(SDL_GetTicks64() - start, 1000u);
}

}  // namespace
}  // namespace bm

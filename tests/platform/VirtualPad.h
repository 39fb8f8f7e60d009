// SDL's virtual joystick as a gamepad: button i is the controller's button i,
// axis i the controller's axis i, on SDL started by PadSdl.
#pragma once
#include <SDL.h>

namespace bm::test {

// SDL with the dummy video driver and its game-controller part, as the game's
// window reads pads; from a clean start, whatever tests before left running.
struct PadSdl {
  PadSdl() {
    SDL_Quit();
    SDL_setenv("SDL_VIDEODRIVER", "dummy", 1);
    // The dummy driver's window never has the focus SDL asks of a pad's events.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    SDL_SetHint(SDL_HINT_AUTO_UPDATE_JOYSTICKS, "0");
    SDL_Init(SDL_INIT_VIDEO | SDL_INIT_GAMECONTROLLER);
  }
  ~PadSdl() { SDL_Quit(); }
};

struct VirtualPad {
  int index = -1;
  SDL_Joystick* joystick = nullptr;
  void Attach() {
    SDL_VirtualJoystickDesc d{};
    d.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    d.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    d.naxes = SDL_CONTROLLER_AXIS_MAX;
    d.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    d.button_mask = (1u << SDL_CONTROLLER_BUTTON_MAX) - 1;
    d.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1;
    d.name = "Test Pad";
    index = SDL_JoystickAttachVirtualEx(&d);
    joystick = SDL_JoystickOpen(index);
  }
  void Detach() {
    SDL_JoystickClose(joystick);
    SDL_JoystickDetachVirtual(index);
    joystick = nullptr;
  }
  void Button(int b, bool down) { SDL_JoystickSetVirtualButton(joystick, b, down ? 1 : 0); }
  void Axis(int a, int value) { SDL_JoystickSetVirtualAxis(joystick, a, Sint16(value)); }
};

}  // namespace bm::test

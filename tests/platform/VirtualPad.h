// SDL's virtual joystick as a gamepad: button i is the controller's button i,
// axis i the controller's axis i. SDL's joystick subsystem must be running.
#pragma once
#include <SDL.h>

namespace bm::test {

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

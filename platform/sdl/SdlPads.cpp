#include "platform/sdl/SdlPads.h"

#include <cstdlib>

namespace bm {

namespace {
constexpr int kPressAt = 16384, kReleaseBelow = 10923;  // half and a third of the travel
constexpr int kTriggerKey = '5';                          // the spyglass
}  // namespace

int PadButtonKey(int button) {
  switch (button) {
    case SDL_CONTROLLER_BUTTON_DPAD_UP: return vk::Up;
    case SDL_CONTROLLER_BUTTON_DPAD_DOWN: return vk::Down;
    case SDL_CONTROLLER_BUTTON_DPAD_LEFT: return vk::Left;
    case SDL_CONTROLLER_BUTTON_DPAD_RIGHT: return vk::Right;
    case SDL_CONTROLLER_BUTTON_A: return vk::Enter;
    case SDL_CONTROLLER_BUTTON_B: return vk::Escape;
    case SDL_CONTROLLER_BUTTON_X: return '1';              // parrot
    case SDL_CONTROLLER_BUTTON_Y: return '2';              // shuffle
    case SDL_CONTROLLER_BUTTON_LEFTSHOULDER: return '3';   // hook
    case SDL_CONTROLLER_BUTTON_RIGHTSHOULDER: return '4';  // sun
    case SDL_CONTROLLER_BUTTON_BACK: return vk::Backspace;
    case SDL_CONTROLLER_BUTTON_START: return vk::Menu;
    default: return -1;
  }
}

bool PadStick::Move(int axis, int value) {
  (axis == 0 ? x : y) = value;
  bool across = std::abs(x) >= std::abs(y);
  int along = across ? x : y;
  int wanted = across ? (along < 0 ? vk::Left : vk::Right) : (along < 0 ? vk::Up : vk::Down);
  int was = key;
  if (std::abs(along) >= kPressAt) {
    key = wanted;
  } else if (key >= 0) {
    // The arrow held stays while the stick still leans that way past the lower mark.
    int held = (key == vk::Left || key == vk::Right) ? x : y;
    bool sameSign = (key == vk::Left || key == vk::Up) ? held < 0 : held > 0;
    if (!sameSign || std::abs(held) < kReleaseBelow) key = -1;
  }
  return key != was;
}

SdlPads::~SdlPads() {
  for (auto& [id, pad] : pads_) SDL_GameControllerClose(pad.controller);
}

void SdlPads::Start() {
  if (started_) return;
  started_ = true;
  if (!SDL_WasInit(SDL_INIT_GAMECONTROLLER) && SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0 && log_)
    log_(std::string("No gamepads: ") + SDL_GetError());
}

void SdlPads::Update() {
  if (SDL_WasInit(SDL_INIT_GAMECONTROLLER)) SDL_GameControllerUpdate();
}

void SdlPads::Hold(int key, bool down, PolledInput& input, bool pending) {
  if (key < 0 || key > 255) return;
  int& n = holders_[std::size_t(key)];
  int before = n;
  n = down ? n + 1 : std::max(0, n - 1);
  if ((before == 0) != (n == 0)) input.SetKey(key, down, pending);
}

void SdlPads::Release(Pad& pad, PolledInput& input) {
  for (int b = 0; b < SDL_CONTROLLER_BUTTON_MAX; ++b)
    if (pad.held[std::size_t(b)]) Hold(PadButtonKey(b), false, input, false);
  if (pad.stick.key >= 0) Hold(pad.stick.key, false, input, false);
  if (pad.trigger) Hold(kTriggerKey, false, input, false);
  pad = Pad{pad.controller};
}

bool SdlPads::Handle(const SDL_Event& e, PolledInput& input, bool pending) {
  switch (e.type) {
    case SDL_CONTROLLERDEVICEADDED: {
      SDL_GameController* c = SDL_GameControllerOpen(e.cdevice.which);
      if (!c) {
        if (log_) log_(std::string("A gamepad could not be opened: ") + SDL_GetError());
        return false;
      }
      SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(c));
      if (pads_.count(id)) {
        SDL_GameControllerClose(c);  // already open: SDL counts the opens
        return false;
      }
      pads_[id].controller = c;
      const char* name = SDL_GameControllerName(c);
      if (log_) log_(std::string("Gamepad connected: ") + (name ? name : "(no name)"));
      return false;
    }
    case SDL_CONTROLLERDEVICEREMOVED: {
      auto it = pads_.find(e.cdevice.which);
      if (it == pads_.end()) return false;
      Release(it->second, input);
      const char* name = SDL_GameControllerName(it->second.controller);
      if (log_) log_(std::string("Gamepad removed: ") + (name ? name : "(no name)"));
      SDL_GameControllerClose(it->second.controller);
      pads_.erase(it);
      return false;
    }
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP: {
      auto it = pads_.find(e.cbutton.which);
      if (it == pads_.end() || e.cbutton.button >= SDL_CONTROLLER_BUTTON_MAX) return false;
      bool down = e.type == SDL_CONTROLLERBUTTONDOWN;
      bool& held = it->second.held[e.cbutton.button];
      if (held == down) return false;
      held = down;
      Hold(PadButtonKey(e.cbutton.button), down, input, pending);
      return down;
    }
    case SDL_CONTROLLERAXISMOTION: {
      auto it = pads_.find(e.caxis.which);
      if (it == pads_.end()) return false;
      Pad& pad = it->second;
      if (e.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX || e.caxis.axis == SDL_CONTROLLER_AXIS_LEFTY) {
        int was = pad.stick.key;
        if (!pad.stick.Move(e.caxis.axis == SDL_CONTROLLER_AXIS_LEFTX ? 0 : 1, e.caxis.value)) return false;
        if (was >= 0) Hold(was, false, input, pending);
        if (pad.stick.key >= 0) Hold(pad.stick.key, true, input, pending);
        return pad.stick.key >= 0;
      }
      if (e.caxis.axis == SDL_CONTROLLER_AXIS_TRIGGERRIGHT) {
        bool down = pad.trigger ? e.caxis.value >= kReleaseBelow / 2 : e.caxis.value >= kPressAt;
        if (down == pad.trigger) return false;
        pad.trigger = down;
        Hold(kTriggerKey, down, input, pending);
        return down;
      }
      return false;
    }
    default: return false;
  }
}

}  // namespace bm

// Gamepads through SDL's game-controller API, turned into the key presses the
// screens already read: the d-pad and the left stick are the arrow keys, A is
// Enter, B Escape, X, Y and the shoulder buttons the first four stock buttons'
// keys, the right trigger the spyglass's, Back is Backspace and Start the menu key.
// Pads come and go at any time, with a run-log line each.
#pragma once
#include <SDL.h>

#include <array>
#include <functional>
#include <map>
#include <string>

#include "platform/PolledInput.h"

namespace bm {

// The key a pad button stands for; -1 for none.
int PadButtonKey(int button);

// The left stick as arrow keys: a direction is taken once the stick is pushed
// past half its travel, along the axis pushed further, and let go below a third,
// so a stick resting a little off centre presses nothing and one held near the
// threshold does not flicker.
struct PadStick {
  int x = 0, y = 0;  // the axes' last values, -32768..32767
  int key = -1;      // the arrow held, or -1
  // Takes one axis's new value (0 across, 1 down); true when the arrow held changed.
  bool Move(int axis, int value);
};

class SdlPads {
 public:
  using Log = std::function<void(const std::string&)>;
  SdlPads() = default;
  SdlPads(const SdlPads&) = delete;
  SdlPads& operator=(const SdlPads&) = delete;
  ~SdlPads();
  void SetLog(Log log) { log_ = std::move(log); }
  // Starts SDL's game-controller part, once: it takes 5-15 ms, so the window
  // waits for its first idle moment, after the first frame. Pads already
  // plugged in are then announced as connections.
  void Start();
  // Reads the pads, so that their connections and presses wait in SDL's queue.
  void Update();
  // Takes one of SDL's controller events into input (pending: it came between
  // passes). True when a pad was used: a button went down or the stick moved an arrow.
  bool Handle(const SDL_Event& e, PolledInput& input, bool pending);
  bool Connected() const { return !pads_.empty(); }

 private:
  struct Pad {
    SDL_GameController* controller = nullptr;
    std::array<bool, SDL_CONTROLLER_BUTTON_MAX> held{};
    PadStick stick;
    bool trigger = false;
  };
  // Several parts may hold one key (the d-pad and the stick, two pads): it is let go with the last.
  void Hold(int key, bool down, PolledInput& input, bool pending);
  void Release(Pad& pad, PolledInput& input);
  std::map<SDL_JoystickID, Pad> pads_;
  std::array<int, 256> holders_{};
  Log log_;
  bool started_ = false;
};

}  // namespace bm

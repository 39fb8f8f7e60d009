// Polled input: latches that turn held buttons into single clicks, the hidden
// cheat code, F12, and the name-entry text box.
#pragma once
#include <array>
#include <string>

#include "platform/Platform.h"
#include "storage/DataIni.h"

namespace bm {

struct InputRouter {
  std::array<bool, 4> ButtonEdge{};  // MouseClicked's latches, by button number
  bool ClickLatch = false;           // a click was consumed; ignore until release
  bool EscLatch = false;
  bool MenuKeyLatch = false;
  bool CheatMode = false;
  bool DebugPanel = false;  // cheat mode's debug panel is on screen (Backspace held)
  std::string CheatCode;  // from "data.ini"; the built-in word when empty
  std::string TypedLetters;
  bool CodeKeyLatch = false;
};

bool MouseDown(Input& in, bool appActive);
// True exactly once per press of button 1 (left) or 2 (right).
bool MouseClicked(InputRouter& r, Input& in, bool appActive, int button);

// Runs before every presented frame: F12 asks to exit, the code word toggles
// cheat mode (one letter per key press).
void PollGlobalKeys(InputRouter& r, Input& in, bool& exitRequested);

// Escape taken once per press: true when it should act now.
bool EscapePressed(InputRouter& r, Input& in);
// The menu key (a gamepad's Start) taken once per press.
bool MenuKeyPressed(InputRouter& r, Input& in);

// The name text box (UTF-8): at most 15 characters, and a character a name
// cannot hold (storage/Players.h) is removed together with every other
// occurrence of it.
struct NameEntry {
  bool on = false;
  bool accepted = false;
  bool cancelled = false;
  bool escapeAllowed = false;
  bool backspaceHeld = false;  // held: one deletion, then more after a pause, faster
  double backspaceNext = 0;    // clock time of the next deletion while held
  std::array<bool, 3> arrowsHeld{};  // Up, Down, Right: one step per press
  std::string text;
};
std::string FilterName(std::string text);
void OpenNameEntry(NameEntry& e, Input& in, const std::string& initial, bool escapeAllowed);
// Feeds one pass of typing, Backspace, Enter and Escape into the box. Without
// a keyboard (a gamepad) the name is picked: Up and Down turn the last letter
// through the alphabet and the digits, Right adds a letter, Backspace takes one away.
void UpdateNameEntry(NameEntry& e, InputRouter& r, Input& in, double now);

// The options screen's auto-repeat: the interval halves on each tick down to 30 ms.
struct MenuRepeatTimer {
  bool enabled = false;
  double interval = 400;
  double lastTick = 0;
  std::string tag;
  void Start(double now, double firstInterval = 400);
  // Call every pass; ticks when the interval has passed.
  void Update(double now);
};

}  // namespace bm

// Everything a game in progress reads from the outside world in one pass: the
// pointer, the two buttons, the keys the game reacts to, the screen size and
// the clock. A plain value, so that a run can be recorded and replayed.
#pragma once
#include <cstdint>

namespace bm {

// Keys held during the pass, one bit each.
namespace mkey {
// The level-skip cheat keys (Page Up and Page Down).
inline constexpr std::uint32_t Up = 1u << 0, Down = 1u << 1;
// Digit keys 1..9 and 0 (the tenth jewel kind): Digit(1) .. Digit(10).
constexpr std::uint32_t Digit(int k) { return 1u << (1 + k); }  // bits 2..11
inline constexpr std::uint32_t F1 = 1u << 12, F2 = 1u << 13, F3 = 1u << 14, F5 = 1u << 15, F6 = 1u << 16;
// Playing with the keyboard: the cursor's arrows, a press where it is (Enter or
// Space), a right press (Backspace) and the five stock buttons.
inline constexpr std::uint32_t ArrowUp = 1u << 17, ArrowDown = 1u << 18, ArrowLeft = 1u << 19, ArrowRight = 1u << 20;
inline constexpr std::uint32_t Select = 1u << 21, Cancel = 1u << 22;
inline constexpr std::uint32_t StockShowFree = 1u << 23, StockParrot = 1u << 24, StockShuffle = 1u << 25,
                               StockHook = 1u << 26, StockSun = 1u << 27;
// Not a key: a tip stands on the play screen waiting for its click; the
// hourglass stands still meanwhile.
inline constexpr std::uint32_t TipWaiting = 1u << 30;
// Not a key: the pointer rests on the MENU button (neither pressed nor taking a click).
inline constexpr std::uint32_t OverMenuButton = 1u << 28;
// Not a key: the hidden cheat mode is on for this pass.
inline constexpr std::uint32_t CheatMode = 1u << 31;
}  // namespace mkey

struct MatchInput {
  double now = 0;  // clock, ms
  double pointerX = -1, pointerY = -1;  // back-buffer pixels
  bool leftDown = false, rightDown = false;
  bool pointerInClient = true;  // the window's client area (or the whole screen in full-screen mode)
  bool pointerOverGame = true;  // a press there counts for the board
  std::uint32_t keys = 0;
  int screenW = 1280, screenH = 1024;  // back-buffer size

  bool Key(std::uint32_t k) const { return (keys & k) != 0; }
  bool operator==(const MatchInput&) const = default;
};

}  // namespace bm

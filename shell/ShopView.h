// The Pirate Shop view of the between-levels screen.
#pragma once
#include <array>
#include <string>
#include <utility>

#include "platform/Platform.h"

namespace bm {

struct Stage;
struct PlaySide;

// Key latches and the hover of the shop, kept between frames.
struct ShopMemory {
  bool wasDown = false, rightWasDown = false;
  std::array<bool, 4> cheatHeld{};  // F1..F4
  std::array<bool, 10> digitHeld{};  // keys 1..9 and 0
  // The keyboard's focus: what it rests on, and whether the keyboard has the
  // screen (moving the pointer hands it back to the mouse).
  enum class Spot { None, Key, Star, Item, Button };
  Spot focusKind = Spot::None;
  int focusIndex = 0;  // key 1..10, star 1..17, item 1..10, button 0..2
  bool keyboard = false;
  bool keyCarry = false;  // the hand was filled by Enter, so it follows the focus
  bool chanceShown = false;  // Enter on an item with an empty hand tells its chance
  PointD lastPointer{-1, -1};
};

// One pass of keys on the between-levels screen, each taken once per press.
struct ScreenKeys {
  int dx = 0, dy = 0;  // an arrow
  bool tab = false, enter = false, escape = false;
  bool Any() const { return dx || dy || tab || enter || escape; }
};

// One frame of the shop: drawing, picking up, dragging and dropping, by mouse
// or keys. Returns the bottom button pressed by keys (-1 for none); sets
// escapeTaken when Escape only put back what the hand carried.
int ShopFrame(Stage& s, PlaySide& play, const ScreenKeys& keys, bool& escapeTaken);
// The text shown over a shop item at design height y (its upper half tells what
// it does, its lower half its chance and power) and the text's colour.
std::pair<std::string, Argb> ShopItemText(PlaySide& play, int item, double y);
// The shop opened by keys: the focus shows on its first key, star or item.
void ShopFocusFirst(Stage& s, PlaySide& play);
// The shop view was opened or closed: a key or star still in the hand goes home.
void ShopViewChanged(PlaySide& play);

}  // namespace bm

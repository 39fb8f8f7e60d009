// The main menu's other items: the screens they open, and the keyboard's way
// through the items.
#pragma once
#include "board/ScreenMetrics.h"
#include "platform/Platform.h"
#include "render/Canvas.h"

namespace bm {

struct Game;

// Runs the screen of a main-menu item (Options, How To Play, High Scores,
// Change Player); false for an item without a screen.
bool OpenMenuScreen(Game& g, int item);

// Up/Down (or Tab, Left/Right) move a mark over the menu items; Enter or Space
// takes the marked item. The pointer takes over again as soon as it moves.
struct MenuKeys {
  int focus = -1;  // index into the key order, or -1 while the pointer leads
  PointD lastPointer{-1, -1};
  bool keysHeld[6] = {true, true, true, true, true, true};
  bool spaceHeld = true;
  // Updates the mark; returns the item to act on (0 for none). changed is set
  // when the mark moved.
  int Update(Input& in, bool& changed);
  int Marked() const;  // the marked menu item, 0 for none
};
// Draws the keyboard's mark under an item.
void DrawMenuMark(Canvas& c, const ScreenMetrics& m, int item);

// The order the keyboard walks the items in.
inline constexpr int kMenuKeyOrder[] = {1, 2, 8, 6, 4, 3};  // Play, Options, How To Play, High Scores, Change Player, Exit

}  // namespace bm

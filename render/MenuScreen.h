// The main menu: its picture, the items and which one is under the pointer.
#pragma once

#include "board/ScreenMetrics.h"

namespace bm {

struct Game;

// Menu item numbers as the main loop knows them.
namespace menu {
inline constexpr int Play = 1, Options = 2, Exit = 3, ChangePlayer = 4, HighScores = 6, HowToPlay = 8;
}

// Sets g.MenuChoice to the item under the pointer (0 = none) and draws the
// menu when a highlight changes or force is set. True while highlights still move.
bool DrawMainMenu(Game& g, bool force);

// The item under a pointer position, 0 for none.
int MainMenuItemAt(const ScreenMetrics& m, double x, double y);

// Where an item reacts to the pointer, in back-buffer pixels (empty for an unknown item).
IRect MainMenuItemRect(const ScreenMetrics& m, int number);

}  // namespace bm

// The main menu: its picture, the items and which one is under the pointer.
#pragma once

namespace bm {

struct Game;

// Menu item numbers as the main loop knows them.
namespace menu {
inline constexpr int Play = 1, Options = 2, Exit = 3, ChangePlayer = 4, HighScores = 6, HowToPlay = 8;
}

// Draws one frame of the main menu and sets g.MenuChoice to the item under the pointer (0 = none).
void DrawMainMenu(Game& g);

}  // namespace bm

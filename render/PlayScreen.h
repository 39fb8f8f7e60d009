// The play screen around the board: stage background and the panel texts.
#pragma once
#include <string>

#include "board/ScreenMetrics.h"

namespace bm {

struct Game;

void DrawPlayBackground(Game& g);
// "MM:SS" of the seconds left.
std::string TimeLeftText(double sandLeft, double timeLimit);
void DrawPanel(Game& g, const std::string& movesText);
// The menu button in the bottom-right corner: it leaves the level for the main menu.
IRect MenuButtonRect(const ScreenMetrics& m);
void DrawMenuButton(Game& g, int state);  // 0 normal, 1 under the pointer, 2 pressed

}  // namespace bm

// The play screen around the board: stage background and the panel texts.
#pragma once
#include <string>

namespace bm {

struct Game;

void DrawPlayBackground(Game& g);
// "MM:SS" of the seconds left.
std::string TimeLeftText(double sandLeft, double timeLimit);
void DrawPanel(Game& g, const std::string& movesText);
// A plain drawing of the cells: tiles, gold, items and bubbles.
void DrawCellsPlain(Game& g);

}  // namespace bm

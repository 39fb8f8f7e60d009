// The play screen around the board: stage background and the panel texts.
#pragma once
#include <string>

#include "board/ScreenMetrics.h"

namespace bm {

class Canvas;
class Font;

// What the panel shows.
struct PanelView {
  double sandLeft = 1, timeLimit = 60;
  int score = 0, lives = 3, level = 1;
  std::string movesText = "--";
};

void DrawPlayBackground(Canvas& c, int level);
// "MM:SS" of the seconds left.
std::string TimeLeftText(double sandLeft, double timeLimit);
void DrawPanel(Canvas& c, Font& font, const PanelView& v);  // the frame, then its texts
void DrawPanelFrame(Canvas& c);
void DrawPanelTexts(Canvas& c, Font& font, const PanelView& v);
// The size the stage and level are set at over the board.
inline constexpr double kStageLabelSize = 0.45;
// The menu button in the bottom-right corner: it leaves the level for the main menu.
IRect MenuButtonRect(const ScreenMetrics& m);
// Where it reacts to the pointer: a square of 112 units on the wheel's middle, a little larger than the wheel
// (96), so that a fingertip finds it on a phone.
IRect MenuButtonHitRect(const ScreenMetrics& m);
void DrawMenuButton(Canvas& c, Font& font, int state);  // 0 normal, 1 under the pointer, 2 pressed

}  // namespace bm

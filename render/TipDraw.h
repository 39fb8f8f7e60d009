// The in-game tips: their texts, and the speech-bubble box that shows one
// beside the cell or button it is about.
#pragma once
#include <string>

#include "board/ScreenMetrics.h"

namespace bm {

class Canvas;
class Font;

inline constexpr int kTipTextCount = 14;
// Tip n's text, lines split by "|"; empty for a number without one.
std::string TipText(int n);

// A tip on screen: its number and the point (back-buffer pixels) its tail touches.
struct TipBox {
  int number = -1;  // -1: none shown
  double x = 0, y = 0;
};

// Where the box lies: it opens up and to the right of the point, or to the
// left or below where the screen ends; frame is the picture whose tail
// points back at the point (0 down-left, 1 down-right, 2 up-left, 3 up-right).
struct TipPlacement {
  IRect box;
  int frame = 0;
};
TipPlacement PlaceTip(const ScreenMetrics& m, double x, double y);

void DrawTip(Canvas& c, Font& font, const TipBox& tip);

}  // namespace bm

// The how-to-play pages: eight pages of a title, a few lines and a picture,
// with "Prev", "Done" and "Next" buttons.
#pragma once
#include <string>

#include "board/ScreenMetrics.h"
#include "render/Canvas.h"
#include "render/Font.h"

namespace bm {

inline constexpr int kHowToPlayPages = 8;

struct HowToPlayPage {
  const char* title;
  const char* text;  // "|" separates lines
};
// Page 1..8; an out-of-range page gives page 1.
const HowToPlayPage& HowToPlayPageText(int page);

namespace howto {
inline constexpr int Prev = 1, Done = 2, Next = 3;
}
IRect HowToPlayButton(const ScreenMetrics& m, int button);
// The button under (x, y) on this page (Prev is absent on page 1, Next on the last), 0 for none.
int HowToPlayButtonAt(const ScreenMetrics& m, int page, double x, double y);

// hover: the button under the pointer; focus: the one the keyboard picked (0 none).
void DrawHowToPlay(Canvas& c, Font& font, int page, int hover, int focus);

}  // namespace bm

// The small two-button dialog: where its frame and buttons sit, and how it is
// drawn. The screen that runs it lives in shell/DialogScreen.h.
#pragma once
#include <string>
#include <vector>

#include "board/ScreenMetrics.h"
#include "render/Canvas.h"
#include "render/Font.h"

namespace bm {

// Text on the parchment of the frames.
inline constexpr Argb kParchmentInk = 0xFF3A2410, kParchmentTitle = 0xFF8A2A10;

struct DialogLayout {
  IRect frame;
  IRect buttons[2];  // first (Enter) and second (Escape) answer
  IRect hits[2];     // where a press reaches them: down to the frame's edge and 1 % beyond their sides
};

// A dialog frame of about 44 x 30 % of the screen. Its top-left corner goes to
// (leftPercent, topPercent) of the screen; a negative value centres it on that axis.
DialogLayout LayoutTwoButtonDialog(const ScreenMetrics& m, double leftPercent = -1, double topPercent = -1);

// The button under (x, y): 1 or 2, 0 for none.
int DialogButtonAt(const DialogLayout& d, double x, double y);

// The frame, the message ("|" starts a new line) and the two buttons; hover is
// the button under the pointer (0 none), focus the one Left/Right picked (0 none),
// pressed the one held down with the pointer on it (0 none).
void DrawTwoButtonDialog(Canvas& c, Font& font, const DialogLayout& d, const std::string& message,
                         const std::string& first, const std::string& second, int hover, int focus = 0,
                         int pressed = 0);

// A plaque with a centred label in three states: 0 normal, 1 under the pointer, 2 pressed.
void DrawTextButton(Canvas& c, Font& font, const IRect& r, const std::string& label, int state, double size = 0.45);

// The parchment frame picture laid so that its parchment covers f.
void DrawParchment(Canvas& c, const IRect& f);

// The menu screens' backdrop: the harbour picture with the framed panel over
// it, from 6 % of the height down to bottomPercent.
void DrawFramedBackdrop(Canvas& c, double bottomPercent);

// Splits a "|"-separated text into its lines.
std::vector<std::string> SplitLines(const std::string& text);

}  // namespace bm

#include "render/CreditsDraw.h"

#include <algorithm>

#include "render/BetweenLevelsDraw.h"

namespace bm {

CreditsOffsets CreditsOffsetsAt(double s) {
  double o1 = std::max(s, 0.0);
  double o2 = o1 <= 140 ? o1 : s < 160 ? 140 : s - 20;
  return {o1, o2};
}

void DrawCredits(Canvas& c, Font& font, double s) {
  TextureId bg = c.Tex("red/bg/back8.jpg");
  if (bg) c.FullScreen(bg);
  else c.FillGradient(0, 0, c.metrics.Width, c.metrics.Height, 0xFF3A2A10, 0xFF100A04);
  CreditsOffsets o = CreditsOffsetsAt(s);
  struct Line {
    const char* text;
    double top, bottom;
    bool credits;  // scrolls with the credits, else with the greeting
    double size;
  };
  static const Line kLines[] = {
      {"Congratulations!", 30, 45, false, 1.0},
      {"You have successfully completed a game!", 45, 50, false, 0.5},
      {"Credits", 165, 175, true, 1.0},
      {"Code: the Brinemoor crew", 180, 190, true, 0.6},
      {"Graphics: the Brinemoor crew", 190, 200, true, 0.6},
      {"Music & Sounds: the Brinemoor crew", 200, 210, true, 0.6},
      {"Thank You", 300, 310, true, 1.0},
      {"For Playing Our Games", 305, 315, true, 0.7},
  };
  for (const Line& l : kLines) {
    double off = l.credits ? o.credits : o.greeting;
    if (l.bottom - off < -20 || l.top - off > 120) continue;  // far off the screen
    ShadowText(c, font, l.text, c.metrics.PercentRect(53, l.top - off, 97, l.bottom - off), l.size, 0xFFFFFFFF);
  }
  ShadowText(c, font, ">Click Left Mouse Button to Continue<", c.metrics.PercentRect(53, 94, 97, 100), 0.5,
             0xFFFFFFAA);
}

}  // namespace bm

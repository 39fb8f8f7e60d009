#include "render/CreditsDraw.h"

#include <algorithm>

#include "lang/Tr.h"
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
      // TRANSLATORS: Congratulations and credits: scrolling credits on the right half, size 1.0, shrinks to fit 563
      // px. Room: up to about 25% longer than the English (it is set smaller to fit, down to three quarters of its
      // size).
      {TrNoop("Congratulations!"), 30, 45, false, 1.0},
      // TRANSLATORS: Congratulations and credits: scrolling credits on the right half, size 0.5, shrinks to fit 563
      // px. Room: no longer than the English (it is set smaller to fit, down to three quarters of its size).
      {TrNoop("You have successfully completed a game!"), 45, 50, false, 0.5},
      // TRANSLATORS: Congratulations and credits: scrolling credits on the right half, size 1.0, shrinks to fit 563
      // px. Room: plenty (twice the English length or more).
      {TrNoop("Credits"), 165, 175, true, 1.0},
      // TRANSLATORS: Congratulations and credits: scrolling credits on the right half, size 0.6, shrinks to fit 563
      // px. Brinemoor is the game's name: keep it. Room: up to about 35% longer than the English (it is set smaller
      // to fit, down to three quarters of its size).
      {TrNoop("Code: the Brinemoor crew"), 180, 190, true, 0.6},
      // TRANSLATORS: Congratulations and credits: scrolling credits on the right half, size 0.6, shrinks to fit 563
      // px. Brinemoor is the game's name: keep it. Room: up to about 15% longer than the English (it is set smaller
      // to fit, down to three quarters of its size).
      {TrNoop("Graphics: the Brinemoor crew"), 190, 200, true, 0.6},
      // TRANSLATORS: Congratulations and credits: scrolling credits on the right half, size 0.6, shrinks to fit 563
      // px. Brinemoor is the game's name: keep it. Room: none: already too wide in English (set smaller today); keep
      // it as short as you can.
      {TrNoop("Music & Sounds: the Brinemoor crew"), 200, 210, true, 0.6},
      // TRANSLATORS: Congratulations and credits: scrolling credits on the right half, size 1.0, shrinks to fit 563
      // px. Read with the next line. Room: plenty (twice the English length or more).
      {TrNoop("Thank You"), 300, 310, true, 1.0},
      // TRANSLATORS: Congratulations and credits: scrolling credits on the right half, size 0.7, shrinks to fit 563
      // px. Read after "Thank You". Room: up to about 35% longer than the English (it is set smaller to fit, down to
      // three quarters of its size).
      {TrNoop("For Playing Our Games"), 305, 315, true, 0.7},
  };
  // The lines scroll away above the bottom line, never over its words.
  const IRect bottomLine = c.metrics.PercentRect(53, 94, 97, 100);
  const Rect above{0, 0, c.metrics.Width, bottomLine.top};
  c.device.SetClip(&above);
  for (const Line& l : kLines) {
    double off = l.credits ? o.credits : o.greeting;
    if (l.bottom - off < -20 || l.top - off > 120) continue;  // far off the screen
    ShadowText(c, font, Tr(l.text), c.metrics.PercentRect(53, l.top - off, 97, l.bottom - off), l.size, 0xFFFFFFFF);
  }
  c.device.SetClip(nullptr);
  // TRANSLATORS: Congratulations and credits: bottom line, size 0.5, shrinks to fit 563 px. Keep the arrows < and >
  // at both ends. Room: no longer than the English (it is set smaller to fit, down to three quarters of its size).
  ShadowText(c, font, Tr(">Click Left Mouse Button to Continue<"), bottomLine, 0.5, 0xFFFFFFAA);
}

}  // namespace bm

#include "render/PlayScreen.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include "lang/Tr.h"

#include "board/LevelState.h"
#include "progress/Stages.h"
#include "render/AssetGroups.h"
#include "render/Font.h"
#include "render/PictureWords.h"

namespace bm {

void DrawPlayBackground(Canvas& c, int level) {
  c.device.Clear(0xFF06203A);
  char path[64];
  std::snprintf(path, sizeof path, "red/bg/back%d.jpg", StageOfLevel(level));
  TextureId bg = c.Tex(path);
  if (bg) c.FullScreen(bg);
  else c.FillGradient(0, 0, c.metrics.Width, c.metrics.Height, 0xFF0E4A6E, 0xFF041826);
}

std::string TimeLeftText(double sandLeft, double timeLimit) {
  long secs = long(std::max(0.0, sandLeft * timeLimit));
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02ld:%02ld", (secs / 60) % 60, secs % 60);
  return buf;
}

void DrawPanel(Canvas& c, Font& font, const PanelView& v) {
  DrawPanelFrame(c);
  DrawPanelTexts(c, font, v);
}

void DrawPanelFrame(Canvas& c) {
  const ScreenMetrics& m = c.metrics;
  // The frame over the scene: text boxes at the top, the button column on the right.
  TextureId frame = c.Tex("red/bg/fg.png");
  if (frame) {
    // Only its edges hold anything: blending the clear middle would cost a whole screen.
    for (const PicturePart& p : DrawnParts("red/bg/fg.png"))
      c.ImagePart(frame, p.u0 * m.Width, p.v0 * m.Height, p.u1 * m.Width, p.v1 * m.Height, p.u0, p.v0, p.u1, p.v1);
  } else {
    c.DesignFill(30, 4, 335, 86, 0x90000000);
    c.DesignFill(940, 4, 1245, 86, 0x90000000);
  }
}

void DrawPanelTexts(Canvas& c, Font& font, const PanelView& v) {
  const ScreenMetrics& m = c.metrics;
  struct Line {
    std::string text;
    double l, t, r, b;
  // TRANSLATORS: Playing a level: panel, top left, size 0.32, 285 px, not shrunk. %s is the time as MM:SS. Room: up
  // to about 55% longer than the English. Shown as: Time Left: 02:45
  } lines[] = {{Format(Tr("Time Left: %s"), {TimeLeftText(v.sandLeft, v.timeLimit)}), 40, 8, 325, 40},
               // TRANSLATORS: Players, name box, high scores: a player's line, right column (size 0.38, 278 px,
               // shrinks); the play screen's panel, top left (size 0.32, 285 px, not shrunk). %d is the score. Room:
               // up to about 90% longer than the English (it is set smaller to fit, down to three quarters of its
               // size). Shown as: Score: 125400
               {Format(Tr("Score: %d"), {std::to_string(v.score)}), 40, 48, 325, 80},
               // TRANSLATORS: Playing a level: panel, top right, size 0.32, 285 px, not shrunk. %d is the number of
               // lives (a label, not a sentence: no plural needed). Room: plenty (twice the English length or more).
               // Shown as: Lives: 3
               {Format(Tr("Lives: %d"), {std::to_string(v.lives)}), 950, 8, 1235, 40},
               // TRANSLATORS: Playing a level: panel, top right, size 0.32, 285 px, not shrunk. %s is how many swaps
               // would make a line (a number, or -- while it is counted). Room: up to about 30% longer than the
               // English. Shown as: Moves Available: 12
               {Format(Tr("Moves Available: %s"), {v.movesText}), 950, 48, 1235, 80}};
  for (const Line& l : lines)
    font.Draw(c, l.text, m.DesignRect(l.l, l.t, l.r, l.b), 0.32, 0xFF000000, 0xFFFFE6A0, Align::Left);
  font.Draw(c, StageLevelLabel(v.level),
              m.DesignRect(340, 14, 940, 70), kStageLabelSize, 0xFF000000, 0xFFFFE6A0, Align::Center);
}

IRect MenuButtonRect(const ScreenMetrics& m) {
  double sx = 0.5 * m.XScale, sy = 0.5 * m.YScale;
  double x = m.Width - 265 * sx, y = m.Height - 260 * sy;
  return {int(x), int(y), int(x + 256 * sx), int(y + 256 * sy)};
}

IRect MenuButtonHitRect(const ScreenMetrics& m) {
  // The wheel's middle: the picture (256 at scale 0.5) less its 32-pixel margin, 191 across.
  double cx = m.Width - (265 - 32 - 191 / 2.0) * 0.5 * m.XScale, cy = m.Height - (260 - 32 - 191 / 2.0) * 0.5 * m.YScale;
  double hx = 56 * m.XScale, hy = 56 * m.YScale;
  return {int(std::nearbyint(cx - hx)), int(std::nearbyint(cy - hy)), int(std::nearbyint(cx + hx)),
          int(std::nearbyint(cy + hy))};
}

void DrawMenuButton(Canvas& c, Font& font, int state) {
  static const char* kPictures[3] = {"256/mainmenu3.png", "256/mainmenu3s.png", "256/mainmenu3p.png"};
  state = std::clamp(state, 0, 2);
  IRect r = MenuButtonRect(c.metrics);
  TextureId t = c.Tex(kPictures[state]);
  if (t) c.Image(t, r.left, r.top, r.right, r.bottom);
  else c.Fill(r.left, r.top, r.right, r.bottom, state ? 0xC0F0B040 : 0x90102840);
  // The word on the wheel's blue middle (in a 1024 square over the picture), pressed a little lower.
  // TRANSLATORS: Playing a level: the word on the round menu button at the bottom right of the play screen, on
  // its blue middle: about 5 capitals fit. Room: none: keep it as short as you can.
  const PictureWord word{"play screen button", TrNoopC("play screen button", "MENU"), 512, state == 2 ? 575.0 : 563.0,
                         500, 128, state ? 0xFFFFFFFF : 0xFFFFE6A0};
  DrawPictureLine(c, font, TrC(word.context, word.text), word, r);
}

}  // namespace bm

#include "render/TipDraw.h"

#include <algorithm>

#include "lang/Tr.h"
#include "render/Canvas.h"
#include "render/Font.h"

namespace bm {

std::string TipText(int n) {
  static const char* const kTexts[kTipTextCount] = {
      // TRANSLATORS: Tips in play: tip 0 (first click on the board): speech bubble, size 0.26, centred lines of 395
      // px, not shrunk. "|" starts a new line; keep each line within about the longest English line; at most 7 lines
      // (more lines crowd the bubble). Room: up to about 75% longer than the English; at most 7 lines.
      TrNoop("Create matches of three|in-a-row by swapping|two adjacent jewels."),
      // TRANSLATORS: Tips in play: tip 1 (first tile turned to gold): speech bubble, size 0.26, centred lines of 395
      // px, not shrunk. "|" starts a new line; keep each line within about the longest English line; at most 7 lines
      // (more lines crowd the bubble). Room: up to about 25% longer than the English; at most 7 lines.
      TrNoop("Tiles turn to gold when jewels are|matched. Turn all tiles to gold|to complete the level."),
      // TRANSLATORS: Tips in play: tip 2 (one to three tiles left, pointing at the spyglass button): speech
      // bubble, size 0.26, centred lines of 395 px, not shrunk. "|" starts a new line; keep each line within
      // about the longest English line; at most 7 lines (more lines crowd the bubble). Room: up to about 50%
      // longer than the English; at most 7 lines.
      TrNoop("You are almost done!|Finish turning all tiles to|gold to complete the level.|Click this icon to highlight|"
          "cells not turned to gold yet."),
      // TRANSLATORS: Tips in play: tip 3 (a swap that made no line): speech bubble, size 0.26, centred lines of 395
      // px, not shrunk. "|" starts a new line; keep each line within about the longest English line; at most 7 lines
      // (more lines crowd the bubble). Room: up to about 55% longer than the English; at most 7 lines.
      TrNoop("Jewels can only be swapped|if it results in matching|three-in-a-row."),
      // TRANSLATORS: Tips in play: tip 4 (a level won): speech bubble, size 0.26, centred lines of 395 px, not
      // shrunk. "|" starts a new line; keep each line within about the longest English line; at most 7 lines (more
      // lines crowd the bubble). Room: up to about 45% longer than the English; at most 7 lines.
      TrNoop("Excellent!|You turned every tile to gold|and completed the level."),
      // TRANSLATORS: Tips in play: tip 5 (the first bonus on the board): speech bubble, size 0.26, centred lines of
      // 395 px, not shrunk. "|" starts a new line; keep each line within about the longest English line; at most 7
      // lines (more lines crowd the bubble). Room: up to about 65% longer than the English; at most 7 lines.
      TrNoop("Earn bonuses by swapping|them with any other item."),
      // TRANSLATORS: Tips in play: tip 6 (the first key found): speech bubble, size 0.26, centred lines of 395
      // px, not shrunk. "|" starts a new line; keep each line within about the longest English line; at most 7
      // lines (more lines crowd the bubble). Room: up to about 60% longer than the English; at most 7 lines.
      TrNoop("You earned a Colored Key.|You can use it in|the Pirate Shop between|levels to unlock some|useful bonuses."),
      // TRANSLATORS: Tips in play: tip 7 (the first shuffle bonus): speech bubble, size 0.26, centred lines of 395
      // px, not shrunk. "|" starts a new line; keep each line within about the longest English line; at most 7 lines
      // (more lines crowd the bubble). Room: up to about 10% longer than the English; at most 7 lines.
      TrNoop("You earned a Shuffle bonus!|Click this icon to reshuffle the board.|You may save shuffle bonuses|to use "
             "them at "
             "any time."),
      // TRANSLATORS: Tips in play: tip 8 (the first parrot): speech bubble, size 0.26, centred lines of 395 px,
      // not shrunk. "|" starts a new line; keep each line within about the longest English line; at most 7 lines
      // (more lines crowd the bubble). Room: no longer than the English; at most 7 lines.
      TrNoop("You earned a Parrot bonus!|Click this icon to see all available moves.|You may save parrot bonuses|to use "
          "them at any time."),
      // TRANSLATORS: Tips in play: tip 9 (the first rum): speech bubble, size 0.26, centred lines of 395 px, not
      // shrunk. "|" starts a new line; keep each line within about the longest English line; at most 7 lines
      // (more lines crowd the bubble). Room: up to about 40% longer than the English; at most 7 lines.
      TrNoop("You drank a bottle of Rum!|As a penalty, jewels will swap|themselves from time to time.|In rare cases this "
          "bonus|can help to resolve problems.|Duration about 30 seconds."),
      // TRANSLATORS: Tips in play: tip 10 (the first hook (anchor)): speech bubble, size 0.26, centred lines of
      // 395 px, not shrunk. "|" starts a new line; keep each line within about the longest English line; at most
      // 7 lines (more lines crowd the bubble). Room: up to about 55% longer than the English; at most 7 lines.
      // The hook is the bonus the shop sells as the anchor: give both one name.
      TrNoop("You earned a Hook bonus!|Click this icon and|swap two ranged jewels.|You may save hook bonuses|to use them "
          "at any time."),
      // TRANSLATORS: Tips in play: tip 11 (the first golden sun): speech bubble, size 0.26, centred lines of 395
      // px, not shrunk. "|" starts a new line; keep each line within about the longest English line; at most 7
      // lines (more lines crowd the bubble). Room: up to about 5% longer than the English; at most 7 lines.
      TrNoop("You earned a Sun bonus!|Click this icon and turn to gold any tile.|You may save sun bonuses|to use them at "
          "any time."),
      // TRANSLATORS: Tips in play: tip 12 (the first bubble): speech bubble, size 0.26, centred lines of 395 px, not
      // shrunk. "|" starts a new line; keep each line within about the longest English line; at most 7 lines (more
      // lines crowd the bubble). Room: up to about 60% longer than the English; at most 7 lines.
      TrNoop("Match jewels to burst|bubbles one after another.|There can be up to eight|nested bubbles."),
      // TRANSLATORS: Tips in play: tip 13 (leaving a level): speech bubble, size 0.26, centred lines of 395 px, not
      // shrunk. "|" starts a new line; keep each line within about the longest English line; at most 7 lines (more
      // lines crowd the bubble). Room: up to about 50% longer than the English; at most 7 lines.
      TrNoop("Your progress will be saved!|Next time you will be able|to continue to play from|this state.")};
  return n >= 0 && n < kTipTextCount ? kTexts[n] : std::string();
}

namespace {
constexpr double kBoxW = 470, kBoxH = 330;  // design pixels, the picture's whole square
}

TipPlacement PlaceTip(const ScreenMetrics& m, double x, double y) {
  double w = kBoxW * m.XScale, h = kBoxH * m.YScale;
  bool left = x + w > m.Width;  // no room to the right: the box opens to the left
  bool below = y - h < 0;       // no room above: it hangs below
  double l = left ? x - w : x, t = below ? y : y - h;
  l = std::clamp(l, 0.0, std::max(0.0, m.Width - w));
  t = std::clamp(t, 0.0, std::max(0.0, m.Height - h));
  TipPlacement p;
  p.box = {int(l), int(t), int(l + w), int(t + h)};
  p.frame = (below ? 2 : 0) + (left ? 1 : 0);
  return p;
}

void DrawTip(Canvas& c, Font& font, const TipBox& tip) {
  std::string text = Tr(TipText(tip.number));
  if (text.empty()) return;
  const ScreenMetrics& m = c.metrics;
  TipPlacement p = PlaceTip(m, tip.x, tip.y);
  const IRect& b = p.box;
  TextureId frame = c.Tex("red/tipform" + std::to_string(p.frame) + ".png");
  if (frame) c.Image(frame, b.left, b.top, b.right, b.bottom);
  else c.Fill(b.left, b.top, b.right, b.bottom, 0xF0F0E0B8);
  // The bubble's body is the middle of the picture, clear of its tail.
  double w = b.right - b.left, h = b.bottom - b.top;
  double top = b.top + h * 0.17, bottom = b.bottom - h * 0.16;
  std::vector<std::string> lines;
  for (std::size_t at = 0;;) {
    std::size_t bar = text.find('|', at);
    lines.push_back(text.substr(at, bar == std::string::npos ? std::string::npos : bar - at));
    if (bar == std::string::npos) break;
    at = bar + 1;
  }
  double lineH = std::min((bottom - top) / double(lines.size() + 1), 34 * m.YScale);
  double y = (top + bottom) / 2 - lineH * double(lines.size() + 1) / 2;
  for (const std::string& line : lines) {
    IRect r{int(b.left + w * 0.08), int(y), int(b.right - w * 0.08), int(y + lineH)};
    font.Draw(c, line, r, 0.26, 0xFF3A2008, 0xFF3A2008, Align::Center);
    y += lineH;
  }
  IRect hint{int(b.left + w * 0.08), int(y), int(b.right - w * 0.08), int(y + lineH)};
  // As large as the tip's own lines, a shade lighter.
  // TRANSLATORS: Tips in play: last line of every tip, size 0.26, 395 px. Room: plenty (twice the English length or
  // more).
  font.Draw(c, Tr("(click to close)"), hint, 0.26, 0xFF5A3A14, 0xFF5A3A14, Align::Center);
}

}  // namespace bm

#include "render/TipDraw.h"

#include <algorithm>

#include "render/Canvas.h"
#include "render/Font.h"

namespace bm {

std::string TipText(int n) {
  static const char* const kTexts[kTipTextCount] = {
      "Create matches of three|in-a-row by swapping|two adjacent jewels.",
      "Tiles turn to gold when jewels are|matched. Turn all tiles to gold|to complete the level.",
      "You are almost done!|Finish turning all tiles to|gold to complete the level.|Click this icon to highlight|"
      "cells not turned to gold yet.",
      "Jewels can only be swapped|if it results in matching|three-in-a-row.",
      "Excellent!|You turned every tile to gold|and completed the level.",
      "Earn bonuses by swapping|them with any other item.",
      "You earned a Colored Key.|You can use it in|the Pirate Shop between|levels to unlock some|useful bonuses.",
      "You earned a Shuffle bonus!|Click this icon to reshuffle board.|You may save shuffle bonuses|to use them at "
      "any time.",
      "You earned a Parrot bonus!|Click this icon to see all available moves.|You may save parrot bonuses|to use "
      "them at any time.",
      "You drank a bottle of Rum!|As a penalty, Jewels will swap|themselves from time to time.|In rare cases this "
      "bonus|can help to resolve problems.|Duration about 30 seconds.",
      "You earned a Hook bonus!|Click this icon and|swap two ranged jewels.|You may save hook bonuses|to use them "
      "at any time.",
      "You earned a Sun bonus!|Click this icon and turn to gold any tile.|You may save sun bonuses|to use them at "
      "any time.",
      "Match jewels to burst|bubbles one after another.|There can be up to eight|nested bubbles.",
      "Your progress will be saved!|Next time you will be able|to continue to play from|this state."};
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
  std::string text = TipText(tip.number);
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
  font.Draw(c, "(click to close)", hint, 0.2, 0xFF7A5A30, 0xFF7A5A30, Align::Center);
}

}  // namespace bm

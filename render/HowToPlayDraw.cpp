#include "render/HowToPlayDraw.h"

#include <algorithm>
#include <string>

#include "render/DialogDraw.h"

namespace bm {

namespace {
const HowToPlayPage kPages[kHowToPlayPages] = {
    {"Matches",
     "Form matches by lining up|three or more identical|jewels in any direction.|Swap two adjacent jewels|by clicking "
     "on both cells or|by dragging one jewel to|the adjacent cell."},
    {"Golden Tiles",
     "When the jewels are matched|they disappear and the board|tiles turn to gold. Turn all|tiles to gold to complete "
     "the|level."},
    {"Bubbles",
     "Line up the same jewels as|the jewel trapped in the|bubble. The bubble can|include up to eight nested|bubbles. "
     "To release a trapped|jewel you should burst all|nested bubbles one by one."},
    {"Hourglass", "Complete the level before|the sand runs out or else|a life will be lost."},
    {"Bonuses",
     "Earn bonuses by swapping|them with any nearby item.|Some bonuses can be|accumulated for using|when it's "
     "necessary."},
    {"Colored Keys",
     "The colored keys can be|used to unlock upgradable|and useful bonus items in|the Pirate Shop between|levels."},
    {"Pirate Shop",
     "To unlock one of the bonus|items you should have one of|the keys with appropriate|color. Unlocked bonus "
     "items|can be upgraded with stars|as well."},
    {"Magic Stars",
     "Collect Gold and Blue Stars.|Later use them in the Pirate|Shop to upgrade unlocked|bonus items. Blue stars "
     "can|be used to increase a chance|of appearance of appropriate|bonus and Gold stars can be|used to power-up "
     "bonuses|affected."}};
}  // namespace

const HowToPlayPage& HowToPlayPageText(int page) {
  return kPages[page >= 1 && page <= kHowToPlayPages ? page - 1 : 0];
}

IRect HowToPlayButton(const ScreenMetrics& m, int button) {
  switch (button) {
    case howto::Prev: return m.PercentRect(14, 80, 30, 88);
    case howto::Done: return m.PercentRect(42, 80, 58, 88);
    case howto::Next: return m.PercentRect(70, 80, 86, 88);
    default: return {};
  }
}

int HowToPlayButtonAt(const ScreenMetrics& m, int page, double x, double y) {
  for (int b : {howto::Prev, howto::Done, howto::Next}) {
    if (b == howto::Prev && page <= 1) continue;
    if (b == howto::Next && page >= kHowToPlayPages) continue;
    if (HowToPlayButton(m, b).Contains(x, y)) return b;
  }
  return 0;
}

void DrawHowToPlay(Canvas& c, Font& font, int page, int hover, int focus) {
  const ScreenMetrics& m = c.metrics;
  DrawFramedBackdrop(c, 92);
  font.Draw(c, "How To Play", m.PercentRect(8, 8, 92, 17), 1.0, 0xFF000000, 0xFFFFE6A0, Align::Center);
  const HowToPlayPage& p = HowToPlayPageText(page);
  font.Draw(c, p.title, m.PercentRect(12, 19, 88, 26), 0.7, 0xFF000000, kParchmentTitle, Align::Center);
  // The picture on the left, the text beside it.
  TextureId pic = c.Tex("red/tipimages/" + std::to_string(page) + ".jpg");
  IRect picRect = m.PercentRect(13, 30, 41, 65);
  if (pic) c.Image(pic, picRect.left, picRect.top, picRect.right, picRect.bottom);
  std::vector<std::string> lines = SplitLines(p.text);
  // The lines share the room above the page counter.
  double y = 28 * m.YPercent, lineH = std::min(5.2, 43.0 / double(lines.size())) * m.YPercent;
  for (const std::string& line : lines) {
    font.Draw(c, line, IRect{int(44 * m.XPercent), int(y), int(88 * m.XPercent), int(y + lineH)}, 0.42, 0xFF000000,
              kParchmentInk, Align::Left);
    y += lineH;
  }
  font.Draw(c, std::to_string(page) + " / " + std::to_string(kHowToPlayPages), m.PercentRect(40, 72, 60, 78), 0.4,
            0xFF000000, kParchmentInk, Align::Center);
  const char* labels[4] = {"", "Prev", "Done", "Next"};
  for (int b : {howto::Prev, howto::Done, howto::Next}) {
    if (b == howto::Prev && page <= 1) continue;
    if (b == howto::Next && page >= kHowToPlayPages) continue;
    IRect r = HowToPlayButton(m, b);
    DrawTextButton(c, font, r, labels[b], hover == b ? 1 : 0);
    if (focus == b) c.Fill(r.left, r.bottom + 4, r.right, r.bottom + 8, 0xFFFFFFFF);
  }
}

}  // namespace bm

#include "render/HowToPlayDraw.h"

#include <algorithm>
#include <string>

#include "lang/Tr.h"
#include "render/DialogDraw.h"

namespace bm {

namespace {
const HowToPlayPage kPages[kHowToPlayPages] = {
    // TRANSLATORS: How to play: title of page 1, size 0.7, not shrunk. Room: plenty (twice the English length or
    // more).
    {TrNoopC("how to play, page title", "Matches"),
     // TRANSLATORS: How to play: text of page 1 ('Matches') beside its picture, size 0.42, left-aligned lines of 563
     // px, not shrunk. "|" starts a new line: break the lines where they read well; keep each line about as long as
     // the longest English one; at most 9 lines. Room: up to about 40% longer than the English; at most 9 lines.
     TrNoop("Form matches by lining up|three or more identical|jewels in any direction.|Swap two adjacent jewels|by "
            "clicking "
            "on both cells or|by dragging one jewel to|the adjacent cell.")},
    // TRANSLATORS: How to play: title of page 2, size 0.7, not shrunk. Room: plenty (twice the English length or
    // more).
    {TrNoopC("how to play, page title", "Golden Tiles"),
     // TRANSLATORS: How to play: text of page 2 ('Golden Tiles') beside its picture, size 0.42, left-aligned lines of
     // 563 px, not shrunk. "|" starts a new line: break the lines where they read well; keep each line about as long
     // as the longest English one; at most 9 lines. Room: up to about 30% longer than the English; at most 9 lines.
     TrNoop("When the jewels are matched|they disappear and the board|tiles turn to gold. Turn all|tiles to gold to "
            "complete "
            "the|level.")},
    // TRANSLATORS: How to play: title of page 3, size 0.7, not shrunk. Room: plenty (twice the English length or
    // more).
    {TrNoopC("how to play, page title", "Bubbles"),
     // TRANSLATORS: How to play: text of page 3 ('Bubbles') beside its picture, size 0.42, left-aligned lines of 563
     // px, not shrunk. "|" starts a new line: break the lines where they read well; keep each line about as long as
     // the longest English one; at most 9 lines. Room: up to about 25% longer than the English; at most 9 lines.
     TrNoop("Line up the same jewels as|the jewel trapped in the|bubble. The bubble can|include up to eight "
            "nested|bubbles. "
            "To release a trapped|jewel you should burst all|nested bubbles one by one.")},
    // TRANSLATORS: How to play: title of page 4, size 0.7, not shrunk. Room: plenty (twice the English length or
    // more).
    {TrNoopC("how to play, page title", "Hourglass"),
     // TRANSLATORS: How to play: text of page 4 ('Hourglass') beside its picture, size 0.42, left-aligned lines of
     // 563 px, not shrunk. "|" starts a new line: break the lines where they read well; keep each line about as long
     // as the longest English one; at most 9 lines. Room: up to about 45% longer than the English; at most 9 lines.
     TrNoop("Complete the level before|the sand runs out or else|a life will be lost.")},
    // TRANSLATORS: How to play: title of page 5, size 0.7, not shrunk. Room: plenty (twice the English length or
    // more).
    {TrNoopC("how to play, page title", "Bonuses"),
     // TRANSLATORS: How to play: text of page 5 ('Bonuses') beside its picture, size 0.42, left-aligned lines of 563
     // px, not shrunk. "|" starts a new line: break the lines where they read well; keep each line about as long as
     // the longest English one; at most 9 lines. Room: up to about 40% longer than the English; at most 9 lines.
     TrNoop("Earn bonuses by swapping|them with any nearby item.|Some bonuses can be|accumulated for using|when it's "
            "necessary.")},
    // TRANSLATORS: How to play: title of page 6, size 0.7, not shrunk. Room: plenty (twice the English length or
    // more).
    {TrNoopC("how to play, page title", "Colored Keys"),
     // TRANSLATORS: How to play: text of page 6 ('Colored Keys') beside its picture, size 0.42, left-aligned lines of
     // 563 px, not shrunk. "|" starts a new line: break the lines where they read well; keep each line about as long
     // as the longest English one; at most 9 lines. Room: up to about 45% longer than the English; at most 9 lines.
     TrNoop("The colored keys can be|used to unlock upgradable|and useful bonus items in|the Pirate Shop "
            "between|levels.")},
    // TRANSLATORS: How to play: title of page 7, size 0.7, not shrunk. Room: plenty (twice the English length or
    // more).
    {TrNoopC("how to play, page title", "Pirate Shop"),
     // TRANSLATORS: How to play: text of page 7 ('Pirate Shop') beside its picture, size 0.42, left-aligned lines of
     // 563 px, not shrunk. "|" starts a new line: break the lines where they read well; keep each line about as long
     // as the longest English one; at most 9 lines. Room: up to about 30% longer than the English; at most 9 lines.
     TrNoop("To unlock one of the bonus|items you should have one of|the keys with appropriate|color. Unlocked bonus "
            "items|can be upgraded with stars|as well.")},
    // TRANSLATORS: How to play: title of page 8, size 0.7, not shrunk. Room: plenty (twice the English length or
    // more).
    {TrNoopC("how to play, page title", "Magic Stars"),
     // TRANSLATORS: How to play: text of page 8 ('Magic Stars') beside its picture, size 0.42, left-aligned lines
     // of 563 px, not shrunk. "|" starts a new line: break the lines where they read well; keep each line about
     // as long as the longest English one; at most 9 lines. Room: up to about 25% longer than the English; at
     // most 9 lines.
     TrNoop("Collect Gold and Blue Stars.|Later use them in the Pirate|Shop to upgrade unlocked|bonus items. Blue stars "
         "can|be used to increase a chance|of appearance of appropriate|bonus and Gold stars can be|used to power-up "
         "bonuses|affected.")}};
}  // namespace

const HowToPlayPage& HowToPlayPageText(int page) {
  return kPages[page >= 1 && page <= kHowToPlayPages ? page - 1 : 0];
}

IRect HowToPlayButton(const ScreenMetrics& m, int button) {
  switch (button) {
    // Clear of the parchment's rounded corners, focus bar and all.
    case howto::Prev: return m.PercentRect(16, 78, 32, 86);
    case howto::Done: return m.PercentRect(42, 78, 58, 86);
    case howto::Next: return m.PercentRect(68, 78, 84, 86);
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
  // TRANSLATORS: How to play: heading of the pages, size 1.0, not shrunk. Room: plenty (twice the English length or
  // more).
  font.Draw(c, TrC("screen title", "How To Play"), m.PercentRect(8, 8, 92, 17), 1.0, 0xFF000000, 0xFFFFE6A0,
            Align::Center);
  const HowToPlayPage& p = HowToPlayPageText(page);
  font.Draw(c, TrC("how to play, page title", p.title), m.PercentRect(12, 19, 88, 26), 0.7, 0xFF000000, kParchmentTitle,
            Align::Center);
  // The picture on the left, the text beside it.
  TextureId pic = c.Tex("red/tipimages/" + std::to_string(page) + ".jpg");
  IRect picRect = m.PercentRect(13, 30, 41, 65);
  if (pic) c.Image(pic, picRect.left, picRect.top, picRect.right, picRect.bottom);
  std::vector<std::string> lines = SplitLines(Tr(p.text));
  // The lines share the room above the page counter.
  double y = 28 * m.YPercent, lineH = std::min(5.2, 43.0 / double(lines.size())) * m.YPercent;
  for (const std::string& line : lines) {
    font.Draw(c, line, IRect{int(44 * m.XPercent), int(y), int(88 * m.XPercent), int(y + lineH)}, 0.42, 0xFF000000,
              kParchmentInk, Align::Left);
    y += lineH;
  }
  font.Draw(c, std::to_string(page) + " / " + std::to_string(kHowToPlayPages), m.PercentRect(40, 72, 60, 78), 0.4,
            0xFF000000, kParchmentInk, Align::Center);
  const char* labels[4] = {"",
                               // TRANSLATORS: How to play: a wooden button plaque, size 0.45, not shrunk (205 px).
                               // The previous page. Room: plenty (twice the English length or more).
                               TrC("how to play, button", "Prev"),
                               // TRANSLATORS: How to play: a wooden button plaque, size 0.45, not shrunk (205 px).
                               // Closes the pages. Room: plenty (twice the English length or more).
                               TrC("how to play, button", "Done"),
                           // TRANSLATORS: How to play: a wooden button plaque, size 0.45, not shrunk (205 px). The
                           // next page. Room: plenty (twice the English length or more).
                           TrC("how to play, button", "Next")};
  for (int b : {howto::Prev, howto::Done, howto::Next}) {
    if (b == howto::Prev && page <= 1) continue;
    if (b == howto::Next && page >= kHowToPlayPages) continue;
    IRect r = HowToPlayButton(m, b);
    DrawTextButton(c, font, r, labels[b], hover == b ? 1 : 0);
    if (focus == b) c.Fill(r.left, r.bottom + 4, r.right, r.bottom + 8, 0xFFFFFFFF);
  }
}

}  // namespace bm

#include "render/PictureWords.h"

#include <algorithm>
#include <string>

#include "lang/Tr.h"

namespace bm {

namespace {

struct PictureLines {
  const char* picture;
  PictureWord word;
  int number;  // a stage's number before its name ("3. Jungle"), or 0
};

// Where tools/artgen leaves room for them: the middle of the baseline, the width
// free around it and the letters' height, in the picture's pixels.
const PictureLines kLines[] = {
    // TRANSLATORS: Playing a level: the big word over the blurred picture shown while the window is away
    // (lettering 120 px, 900 px of room). Room: plenty (twice the English length or more).
    {kPausePicture, {"pause picture", TrNoopC("pause picture", "Paused"), 512, 512, 900, 120, 0xFFFFD870}, 0},
    // TRANSLATORS: Playing a level: under "Paused" while the window is away (lettering 36 px). Room: plenty (twice
    // the English length or more).
    {kPausePicture,
     {"pause picture", TrNoopC("pause picture", "Click to continue"), 512, 602, 900, 36, 0xFFFFFFFF},
     0},
    // TRANSLATORS: Map and Pirate Shop: the title at the top of the shop (also the title of a How to Play page),
    // lettering 64 px in 700 px. Room: up to about 95% longer than the English.
    {"red/shop/shop1.jpg", {"shop title", TrNoopC("shop title", "Pirate Shop"), 512, 78, 700, 64, 0xFFFFD870}, 0},
    // TRANSLATORS: Map and Pirate Shop: the label over the key rack (lettering 26 px in 380 px). Room: plenty
    // (twice the English length or more).
    {"red/shop/shop1.jpg", {"shop label", TrNoopC("shop label", "Keys"), 664, 540, 380, 26, 0xFFFFE6A0}, 0},
    // TRANSLATORS: Map and Pirate Shop: the label over the blue stars' tray (lettering 22 px in 300 px). Room: up to
    // about 35% longer than the English.
    {"red/shop/shop1.jpg", {"shop label", TrNoopC("shop label", "Blue Stars"), 316, 580, 300, 22, 0xFFB8DCFF}, 0},
    // TRANSLATORS: Map and Pirate Shop: the label under the gold stars' tray (lettering 22 px in 300 px). Room: up
    // to about 35% longer than the English.
    {"red/shop/shop1.jpg", {"shop label", TrNoopC("shop label", "Gold Stars"), 316, 790, 300, 22, 0xFFFFE6A0}, 0},
    // TRANSLATORS: Map and Pirate Shop: a stage's name on the island map, beside its stretch of the trail, after
    // its number ("1. Lagoon"), lettering 26 px in about 300 px. Room: plenty (twice the English length or more).
    {"red/shop/shop0.jpg", {"stage name on the map", TrNoopC("stage name on the map", "Lagoon"), 230, 892, 400, 26,
                            0xFFFFEEB0}, 1},
    // TRANSLATORS: Map and Pirate Shop: a stage's name on the island map (see "Lagoon"). Room: up to about 60%
    // longer than the English.
    {"red/shop/shop0.jpg", {"stage name on the map", TrNoopC("stage name on the map", "Windy Cliffs"), 860, 880,
                            320, 26, 0xFFFFEEB0}, 2},
    // TRANSLATORS: Map and Pirate Shop: a stage's name on the island map (see "Lagoon"). Room: plenty.
    {"red/shop/shop0.jpg", {"stage name on the map", TrNoopC("stage name on the map", "Jungle"), 870, 80, 290, 26,
                            0xFFFFEEB0}, 3},
    // TRANSLATORS: Map and Pirate Shop: a stage's name on the island map (see "Lagoon"). Room: up to about 60%
    // longer than the English.
    {"red/shop/shop0.jpg", {"stage name on the map", TrNoopC("stage name on the map", "Cave Entrance"), 185, 120,
                            360, 26, 0xFFFFEEB0}, 4},
    // TRANSLATORS: Map and Pirate Shop: a stage's name on the island map (see "Lagoon"). Room: up to about 60%
    // longer than the English.
    {"red/shop/shop0.jpg", {"stage name on the map", TrNoopC("stage name on the map", "Cricket Meadow"), 520, 770,
                            420, 26, 0xFFFFEEB0}, 5},
    // TRANSLATORS: Map and Pirate Shop: a stage's name on the island map (see "Lagoon"). Room: up to about 60%
    // longer than the English.
    {"red/shop/shop0.jpg", {"stage name on the map", TrNoopC("stage name on the map", "Deep Cave"), 560, 240, 330,
                            26, 0xFFFFEEB0}, 6},
    // TRANSLATORS: Map and Pirate Shop: a stage's name on the island map (see "Lagoon"), in the middle of the gold.
    // Room: up to about 60% longer than the English.
    {"red/shop/shop0.jpg", {"stage name on the map", TrNoopC("stage name on the map", "Gold Hoard"), 450, 470, 330,
                            26, 0xFFFFEEB0}, 7},
    // TRANSLATORS: Logo, loading and the pause picture: under the ship in the logo's second picture (lettering 44
    // px, 900 px of room). Room: up to about 60% longer than the English.
    {"red/logo/layer1.jpg", {nullptr, TrNoop("A tale of the salt sea"), 512, 860, 900, 44, 0xFFE0E8FF}, 0},
    // TRANSLATORS: Logo, loading and the pause picture: under the title "Brinemoor" on the logo's last picture
    // (lettering 40 px, 900 px of room). Room: up to about 30% longer than the English.
    {"red/logo/layer2.jpg", {nullptr, TrNoop("Jewels of the Seven Shores"), 512, 380, 900, 40, 0xFFFFF0C8}, 0},
    // TRANSLATORS: Logo, loading and the pause picture: over the loading bar (lettering 32 px, 800 px of room).
    // Room: plenty (twice the English length or more).
    {"red/logo/gamelogo0.jpg", {nullptr, TrNoop("Loading..."), 512, 860, 800, 32, 0xFFFFFFFF}, 0},
};

// The font's large glyphs: an em of 92 in a cell of 128, the baseline 33 below the cell's middle.
constexpr double kFontEm = 92 * 0.6, kBaselineBelowMiddle = 33 * 0.6;

}  // namespace

std::vector<std::string> PictureTexts(std::string_view picture) {
  std::vector<std::string> out;
  for (const PictureLines& l : kLines) {
    if (picture != l.picture) continue;
    out.push_back(l.word.context ? TrC(l.word.context, l.word.text) : Tr(l.word.text));
    if (l.number) out.back() = std::to_string(l.number) + ". " + out.back();
  }
  return out;
}

void DrawPictureLine(Canvas& c, Font& font, const std::string& text, const PictureWord& w, const IRect& where,
                     int alpha) {
  if (alpha <= 0 || text.empty()) return;
  const ScreenMetrics& m = c.metrics;
  const double sx = (where.right - where.left) / 1024.0, sy = (where.bottom - where.top) / 1024.0;
  const double size = w.em * sx / (kFontEm * m.XScale);
  const double middle = where.top + w.baseline * sy - kBaselineBelowMiddle * size * m.YScale;
  const double half = w.room * sx / 2, x = where.left + w.x * sx, em = w.em * sy;
  IRect r{int(x - half), int(middle - em), int(x + half), int(middle + em)};
  Argb color = WithAlpha(w.color, std::clamp(alpha, 0, 255) / 255.0);
  font.Draw(c, text, r, size, color, color, Align::Center);
}

void DrawPausePicture(Canvas& c, Font& font) {
  const IRect screen{0, 0, c.metrics.Width, c.metrics.Height};
  TextureId pause = c.Tex(kPausePicture);
  if (pause) c.FullScreen(pause);
  DrawPictureWords(c, font, kPausePicture, screen);
}

void DrawPictureWords(Canvas& c, Font& font, std::string_view picture, const IRect& where, int alpha) {
  std::vector<std::string> texts = PictureTexts(picture);
  std::size_t k = 0;
  for (const PictureLines& l : kLines)
    if (picture == l.picture) DrawPictureLine(c, font, texts[k++], l.word, where, alpha);
}

}  // namespace bm

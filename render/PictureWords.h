// The words over the generated pictures (the pause picture, the logo, the
// loading picture, the shop, the island map). The pictures carry no lettering,
// so that one picture serves every language: the game writes the words over
// them in the player's language with the bitmap font, where the picture leaves
// room for them.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "render/Canvas.h"
#include "render/Font.h"

namespace bm {

// One line over a picture, in the picture's own pixels (a 1024 square): the
// middle of its baseline, the width it may take and the height of its letters
// (an em, in picture pixels).
struct PictureWord {
  const char* context;  // the catalogue's context, or nullptr
  const char* text;     // the English; translated where drawn
  double x, baseline, room, em;
  Argb color;
};

// The lines written over a picture ("red/shop/shop1.jpg") in the language in use; none for a picture without words.
std::vector<std::string> PictureTexts(std::string_view picture);

// The picture's lines over the rectangle the whole picture covers, at alpha 0..255.
void DrawPictureWords(Canvas& c, Font& font, std::string_view picture, const IRect& where, int alpha = 255);

// The picture shown while the window is away, with its words, over the whole screen.
inline constexpr const char* kPausePicture = "red/menu/pause.jpg";
void DrawPausePicture(Canvas& c, Font& font);

// One line (already translated) over the rectangle where the picture covers.
void DrawPictureLine(Canvas& c, Font& font, const std::string& text, const PictureWord& w, const IRect& where,
                     int alpha = 255);

}  // namespace bm

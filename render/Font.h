// The bitmap font: glyphs cut from 256 x 256 pages, drawn twice (two colour
// layers), proportional, centred or aligned in a rectangle. Texts are UTF-8;
// a character the font lacks is drawn as an empty box and counted.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "render/Canvas.h"

namespace bm {

// For each character below U+0180 (and the few beyond, see GlyphIndex), its
// index in the glyph table's places; -1 for none.
using GlyphIndexTable = std::array<std::int16_t, 0x180>;
GlyphIndexTable PrepareAlphabet();

// The large pages that carry the English texts' glyphs: loaded with the menu.
std::vector<std::string> EnglishGlyphPages();

enum class Align { Center = 0, Left = 1, Right = 2 };

class Font {
 public:
  Font();

  // Width in pixels of one line at this size (spacing multiplies each advance).
  double Measure(const std::string& text, double size, double xScale, double spacing = 1.0) const;
  // The glyph pages one line needs at this size, to load them ahead of the frame that draws it.
  std::vector<std::string> PagesOf(const std::string& text, double size, double xScale) const;
  // The size, at most size, at which the line is no wider than width pixels.
  double FitSize(const std::string& text, double size, double xScale, double width) const;
  // One line in the rectangle; a line wider than the rectangle is set smaller to fit its width, down to
  // kSmallestShrink of its size.
  static constexpr double kSmallestShrink = 0.6;
  void Draw(Canvas& canvas, const std::string& text, const IRect& rect, double size, Argb first, Argb second,
            Align align, bool wave = false, double spacing = 1.0);

  // Characters drawn so far that the font lacks (each drawn as the replacement
  // box), and the last of them.
  long MissingGlyphs() const { return missing_; }
  char32_t LastMissing() const { return lastMissing_; }

 private:
  // The character's place in the glyph table; -2 for one that only moves the
  // pen (the spaces), -3 for one that draws nothing, -1 for none.
  int GlyphIndex(char32_t c) const;

  GlyphIndexTable glyphs_;
  std::vector<std::string> largePages_, smallPages_;
  std::array<double, 256> wavePhase_{};
  long missing_ = 0;
  char32_t lastMissing_ = 0;
};

}  // namespace bm

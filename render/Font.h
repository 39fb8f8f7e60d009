// The bitmap font: glyphs cut from 256 x 256 pages, drawn twice (two colour
// layers), proportional, centred or aligned in a rectangle.
#pragma once
#include <array>
#include <string>

#include "render/Canvas.h"

namespace bm {

struct GlyphEntry {
  int left = 0, top = 0, right = 0, bottom = 0;
  int page = 0;
  bool present = false;
};

// Fills the 256-entry table from the font's glyph rectangles.
std::array<GlyphEntry, 256> PrepareAlphabet();

enum class Align { Center = 0, Left = 1, Right = 2 };

class Font {
 public:
  Font() : glyphs_(PrepareAlphabet()) {}

  // Width in pixels of one line at this size (spacing multiplies each advance).
  double Measure(const std::string& text, double size, double xScale, double spacing = 1.0) const;
  // The size, at most size, at which the line is no wider than width pixels.
  double FitSize(const std::string& text, double size, double xScale, double width) const;
  void Draw(Canvas& canvas, const std::string& text, const IRect& rect, double size, Argb first, Argb second,
            Align align, bool wave = false, double spacing = 1.0);

 private:
  std::array<GlyphEntry, 256> glyphs_;
  std::array<double, 256> wavePhase_{};
};

}  // namespace bm

#include "render/NoticeDraw.h"

#include <algorithm>

#include "lang/Utf8.h"
#include "render/Canvas.h"
#include "render/Font.h"

namespace bm {

namespace {

constexpr double kMargin = 24;  // design pixels around the text
// One line's pitch in units of the font's scaled glyph pixels (the ink is 104 high).
constexpr double kLinePitch = 116;

double LineHeight(const ScreenMetrics& m, double size) { return kLinePitch * size * 0.6 * m.YScale; }

// The font has no double quote: a path is set off with single ones.
std::string Drawable(std::string text) {
  std::replace(text.begin(), text.end(), '"', '\'');
  return text;
}

}  // namespace

double NoticeTextSize(const ScreenMetrics& m) {
  // At least 14 pixels of ink on small screens, the tips' size on large ones.
  return std::clamp(14.0 / (104 * 0.6 * m.YScale), 0.3, 0.5);
}

std::vector<std::string> WrapNotice(const Font& font, const std::string& text, double size, double xScale,
                                    double width) {
  auto fits = [&](const std::string& s) { return font.Measure(s, size, xScale) <= width; };
  std::vector<std::string> lines;
  std::string line;
  auto place = [&](std::string word) {
    std::string joined = line.empty() ? word : line + " " + word;
    if (fits(joined)) {
      line = std::move(joined);
      return;
    }
    if (!line.empty()) lines.push_back(std::move(line));
    line.clear();
    // Too long for a line of its own: cut after the last "/" that fits, else after the last letter that fits
    // (one at least), never inside an accented letter's bytes.
    while (!fits(word)) {
      std::size_t cut = 0;
      NextCharacter(word, cut);
      for (std::size_t next = cut; next < word.size();) {
        NextCharacter(word, next);
        if (!fits(word.substr(0, next))) break;
        cut = next;
      }
      std::size_t slash = word.rfind('/', cut - 1);
      if (slash != std::string::npos && slash > 0) cut = slash + 1;
      lines.push_back(word.substr(0, cut));
      word.erase(0, cut);
    }
    line = std::move(word);
  };
  std::size_t at = 0;
  while (at < text.size()) {
    std::size_t blank = text.find(' ', at);
    if (blank == std::string::npos) blank = text.size();
    if (blank > at) place(text.substr(at, blank - at));
    at = blank + 1;
  }
  if (!line.empty()) lines.push_back(std::move(line));
  return lines;
}

IRect NoticeBand(const ScreenMetrics& m, int lines) {
  const double size = NoticeTextSize(m);
  const double h = lines * LineHeight(m, size) + 2 * kMargin * m.YScale;
  return {0, int(m.Height - h), int(m.Width), int(m.Height)};
}

void DrawNotice(Canvas& c, Font& font, const std::string& text) {
  const ScreenMetrics& m = c.metrics;
  const double size = NoticeTextSize(m);
  const double margin = kMargin * m.XScale;
  const std::vector<std::string> lines = WrapNotice(font, Drawable(text), size, m.XScale, m.Width - 2 * margin);
  const IRect band = NoticeBand(m, int(lines.size()));
  c.Fill(band.left, band.top, band.right, band.bottom, 0xE0101820);
  c.Fill(band.left, band.top, band.right, band.top + std::max(1.0, 2 * m.YScale), 0xFFFFD070);
  const double pitch = LineHeight(m, size);
  double y = band.top + kMargin * m.YScale;
  for (const std::string& line : lines) {
    IRect r{int(margin), int(y), int(m.Width - margin), int(y + pitch)};
    font.Draw(c, line, r, size, 0xFFFFF0D0, 0xFFFFF0D0, Align::Center);
    y += pitch;
  }
}

}  // namespace bm

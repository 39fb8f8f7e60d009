#include "platform/web/PageInput.h"

#include <algorithm>
#include <cmath>
#include <iterator>

namespace bm {

int VirtualKeyOfKeyCode(unsigned long k) {
  bool letter = k >= 'A' && k <= 'Z', digit = k >= '0' && k <= '9', function = k >= vk::F1 && k <= vk::F12;
  switch (k) {
    case vk::Backspace:
    case vk::Tab:
    case vk::Enter:
    case vk::Escape:
    case vk::Space:
    case vk::PageUp:
    case vk::PageDown:
    case vk::Delete:
    case vk::Numpad0:
    case vk::Left:
    case vk::Up:
    case vk::Right:
    case vk::Down: return int(k);
    default: return letter || digit || function ? int(k) : -1;
  }
}

std::string TypedTextOfKey(const char* key) {
  if (!key) return {};
  auto b = [key](int i) { return static_cast<unsigned char>(key[i]); };
  unsigned code = 0;
  if (b(0) >= 0x20 && b(0) < 0x7F && b(1) == 0) {
    code = b(0);
  } else if ((b(0) & 0xE0) == 0xC0 && (b(1) & 0xC0) == 0x80 && b(2) == 0) {
    code = ((b(0) & 0x1Fu) << 6) | (b(1) & 0x3Fu);  // two bytes reach U+07FF; Latin Extended-A ends at U+017F
  }
  const bool printable = code >= 0x20 && code != 0x7F && (code < 0x80 || code >= 0xA0) && code <= 0x17F;
  // A character of one byte written in two is not UTF-8.
  return printable && (code >= 0x80) == (b(0) >= 0x80) ? std::string(key) : std::string();
}

CanvasBox FitCanvas(double pageWidth, double pageHeight, int pictureWidth, int pictureHeight) {
  if (pictureWidth <= 0 || pictureHeight <= 0 || pageWidth <= 0 || pageHeight <= 0) return {};
  double scale = std::min(pageWidth / pictureWidth, pageHeight / pictureHeight);
  return {pictureWidth * scale, pictureHeight * scale};
}

CanvasPixels PixelsOf(CanvasBox box, double pixelRatio) {
  if (box.width <= 0 || box.height <= 0) return {};
  double ratio = pixelRatio > 0 ? pixelRatio : 1;
  double scale = std::min(ratio, std::sqrt(kMaxCanvasPixels / (box.width * box.height)));
  CanvasPixels p{std::max(1, int(std::lround(box.width * scale))), std::max(1, int(std::lround(box.height * scale)))};
  if (double(p.width) * p.height > kMaxCanvasPixels)  // rounded up past the cap
    p = {int(box.width * scale), int(box.height * scale)};
  return p;
}

PointD CanvasToPicture(double x, double y, CanvasBox box, int pictureWidth, int pictureHeight) {
  if (box.width <= 0 || box.height <= 0) return {x, y};
  return {x * pictureWidth / box.width, y * pictureHeight / box.height};
}

std::vector<std::string> PageParameterArguments(const std::string& parameter, const std::string& reportPath,
                                                std::string& why) {
  struct Known {
    const char* name;
    const char* option;  // the command line's
    bool valued;
  };
  static const Known kKnown[] = {{"level", "--level", true},         {"seed", "--seed", true},
                                 {"autoplay", "--autoplay", false},  {"seconds", "--max-seconds", true},
                                 {"think-ms", "--think-ms", true},   {"all-bonuses", "--all-bonuses", false},
                                 {"bot-leave", "--bot-leave", true}, {"resolution", "--resolution", true},
                                 {"verbose", "--verbose", false},    {"lang", "--language", true}};
  std::size_t eq = parameter.find('=');
  std::string name = parameter.substr(0, eq), value = eq == std::string::npos ? "" : parameter.substr(eq + 1);
  auto known = std::find_if(std::begin(kKnown), std::end(kKnown), [&](const Known& k) { return name == k.name; });
  if (known == std::end(kKnown)) {
    why = name == "renderer" ? "the page always draws with WebGL" : "the page has no parameter of that name";
    return {};
  }
  if (!known->valued) return {known->option};
  if (value.empty()) {
    why = "it needs a value";
    return {};
  }
  std::vector<std::string> args{known->option, value};
  if (name == "seconds") args.insert(args.end(), {"--report", reportPath});
  return args;
}

}  // namespace bm

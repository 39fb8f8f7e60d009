// What the page's events mean to the game: keys, typed characters and pointer
// positions on a canvas the page scales. Plain functions, no browser here, so
// the desktop tests check them too.
#pragma once
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace bm {

// A DOM keyCode as the game's virtual key (the page numbers keys as the game
// does); -1 for a key the game has no use for.
int VirtualKeyOfKeyCode(unsigned long keyCode);

// The character a key press types into the name box, from KeyboardEvent.key
// (UTF-8): one printable character of Latin-1 or Latin Extended-A (what the
// fonts carry), as UTF-8; else "" ("Enter", "Shift", an emoji).
std::string TypedTextOfKey(const char* key);

struct CanvasBox {
  double width = 0, height = 0;  // page pixels
};

// The canvas on the page: as large as the page allows, the picture's proportions kept.
CanvasBox FitCanvas(double pageWidth, double pageHeight, int pictureWidth, int pictureHeight);

// The page draws every size at the screen's own pixels. Beyond this many the
// pictures, made for 1280x1024, have nothing more to show, and a large screen
// would only pay for the fill.
inline constexpr double kMaxCanvasPixels = 2560.0 * 2048.0;
// "DESKTOP" in a tab: the largest box of the game's 4:3 proportions.
inline constexpr int kDesktopShapeW = 4, kDesktopShapeH = 3;

struct CanvasPixels {
  int width = 0, height = 0;
};
// The canvas's own pixel size for a box on the page: the device's pixels (the
// box times devicePixelRatio), at most kMaxCanvasPixels, proportions kept.
CanvasPixels PixelsOf(CanvasBox box, double pixelRatio);

// A position on the canvas in page pixels, in the picture's pixels.
PointD CanvasToPicture(double x, double y, CanvasBox box, int pictureWidth, int pictureHeight);

// A page parameter ("level=3", "autoplay", "seconds=40") as the command line's
// arguments: ?seconds=S ends the run after S seconds and writes the report to
// reportPath. Empty, with the reason in why, for one the page does not take.
std::vector<std::string> PageParameterArguments(const std::string& parameter, const std::string& reportPath,
                                                std::string& why);

}  // namespace bm

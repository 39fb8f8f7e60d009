#include "render/Resolution.h"

#include "lang/Tr.h"

namespace bm {

std::string ResolutionName(int index) {
  // TRANSLATORS: Options: the resolution's name between the arrows, size 0.8, shrinks to fit. The resolution that
  // takes the desktop's size (the others read 800x600 and so on). Room: up to about 50% longer than the English (it
  // is set smaller to fit, down to three quarters of its size).
  static const char* kNames[6] = {TrNoop("DESKTOP"), "640x480", "800x600", "1024x768", "1280x1024", "1600x1200"};
  return index >= 0 && index < 6 ? kNames[index] : "";
}

Size2 ResolutionSize(int index, const DisplayInfo& d) {
  static const Size2 kSizes[6] = {{0, 0}, {640, 480}, {800, 600}, {1024, 768}, {1280, 1024}, {1600, 1200}};
  if (index == 0) return {d.desktopW, d.desktopH};
  return index > 0 && index < 6 ? kSizes[index] : Size2{};
}

bool IsSupportedSize(Size2 s, bool fullScreen, const DisplayInfo& d) {
  if (s.w <= 0 || s.h <= 0) return false;
  if (!fullScreen && !d.windowFrame) return true;
  if (!fullScreen) return s.w < d.desktopW && s.h < d.desktopH;
  return d.hasMode && d.hasMode(s.w, s.h, d.ctx);
}

Size2 BackBufferSize(int& resolution, bool fullScreen, const DisplayInfo& d) {
  Size2 s = ResolutionSize(resolution, d);
  if (IsSupportedSize(s, fullScreen, d)) return s;
  resolution = 0;
  return {d.desktopW, d.desktopH};
}

int ChangeResolution(int resolution, int step, bool fullScreen, const DisplayInfo& d) {
  if (step < -1 || step > 1) return resolution;
  int index = resolution;
  for (int tries = 0; tries < 7; ++tries) {
    index += step;
    if (index >= 6) index = 0;
    if (index < 0) index = 5;
    if (fullScreen && index == 0) return 0;
    if (IsSupportedSize(ResolutionSize(index, d), fullScreen, d)) return index;
    if (step == 0) step = -1;
  }
  return resolution;  // nothing fits: keep what we have
}

}  // namespace bm

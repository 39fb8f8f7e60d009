// The six screen sizes of the options and which of them the machine can show.
#pragma once
#include <string>

namespace bm {

struct Size2 {
  int w = 0, h = 0;
};

struct DisplayInfo {
  int desktopW = 1280, desktopH = 1024;
  // Full screen: whether the display offers a mode of exactly this size.
  bool (*hasMode)(int w, int h, const void* ctx) = nullptr;
  const void* ctx = nullptr;
  bool windowFrame = true;  // a window must be smaller than the desktop; false: a browser tab, which shows every size scaled into it
};

std::string ResolutionName(int index);
Size2 ResolutionSize(int index, const DisplayInfo& d);
// In a window a size must be strictly smaller than the desktop (a tab takes
// every size); full screen needs a display mode of exactly that size.
bool IsSupportedSize(Size2 s, bool fullScreen, const DisplayInfo& d);
// The back-buffer size for a setting; an unsupported index falls back to 0 (the desktop).
Size2 BackBufferSize(int& resolution, bool fullScreen, const DisplayInfo& d);
// Steps the resolution setting to the next supported entry (step -1, 0 or +1).
int ChangeResolution(int resolution, int step, bool fullScreen, const DisplayInfo& d);

}  // namespace bm

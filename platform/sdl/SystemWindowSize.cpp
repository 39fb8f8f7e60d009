// Apart from the other SDL files: the X11 header's macros (None, Bool, Status)
// and its Window type stay out of the game's names.
#include "platform/sdl/SystemWindowSize.h"

#include <SDL_syswm.h>

namespace bm {

bool SystemWindowSize(SDL_Window* window, int& width, int& height) {
#if defined(SDL_VIDEO_DRIVER_X11)
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return false;
  // Looked up at run time, as SDL itself does: the program does not link Xlib.
  using GetAttributes = int (*)(Display*, ::Window, XWindowAttributes*);
  static void* const xlib = SDL_LoadObject("libX11.so.6");
  static const auto get = xlib ? reinterpret_cast<GetAttributes>(SDL_LoadFunction(xlib, "XGetWindowAttributes")) : nullptr;
  XWindowAttributes a;
  if (!get || !get(info.info.x11.display, info.info.x11.window, &a)) return false;
  width = a.width;
  height = a.height;
  return true;
#else
  (void)window, (void)width, (void)height;
  return false;
#endif
}

}  // namespace bm

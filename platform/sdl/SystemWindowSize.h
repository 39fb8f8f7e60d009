// The size the window system really gave a window, beside the one SDL keeps.
#pragma once
#include <SDL.h>

namespace bm {

// False when it cannot be asked (no X11 window). Under X without a window
// manager full screen is never granted, yet SDL counts the window as the
// desktop's size from the moment it asked for it.
bool SystemWindowSize(SDL_Window* window, int& width, int& height);

}  // namespace bm

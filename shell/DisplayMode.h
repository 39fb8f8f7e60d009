// Putting the window and the render device into the mode the settings ask for.
#pragma once
#include "render/Resolution.h"

namespace bm {

struct Services;
class Window;

// The desktop size and the display modes the window system offers.
DisplayInfo DisplayOf(Window& w);

// Sets the window and the back buffer to s.settings' mode and resolution (an
// unsupported size falls back to the desktop), rebuilds the screen metrics and
// brings back every picture the old device lost. Then the screen is redrawn.
// A mode the window does not reach is logged and undone, in the settings too.
void ApplyDisplayMode(Services& s);

// After the render device lost its pictures (a lost device, lost render
// targets): load every picture again and redraw.
void RestoreTextures(Services& s);

}  // namespace bm

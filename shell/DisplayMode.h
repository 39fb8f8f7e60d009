// Putting the window and the render device into the mode the settings ask for.
#pragma once
#include "platform/Platform.h"
#include "render/Resolution.h"

namespace bm {

struct Services;

// The desktop size and the display modes the window system offers.
DisplayInfo DisplayOf(Window& w);

// Sets the window and the back buffer to s.settings' mode and resolution (an
// unsupported size falls back to the desktop), rebuilds the screen metrics and
// brings back every picture the old device lost. Then the screen is redrawn.
// A mode the window does not reach is logged and undone, in the settings too.
void ApplyDisplayMode(Services& s);

// The display changed under the game (a browser left full screen on Escape, a
// tab was resized): the settings follow a full-screen change, which is kept as
// if chosen in the options, and the back buffer follows the desktop size when
// it fills it ("DESKTOP").
void FollowDisplay(Services& s, Window::DisplayChange change);

// After the render device lost its pictures (a lost device, lost render
// targets): load every picture again and redraw.
void RestoreTextures(Services& s);

}  // namespace bm

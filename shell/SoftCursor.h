// The software cursor of full screen: the system cursor is hidden and the
// cursor picture is laid over each presented frame at the pointer, by the
// device, so that moving it costs a present and never a redraw. A window that
// can show the picture as the system's own pointer (a browser) does instead,
// and moving it costs nothing.
#pragma once
#include <string>

#include "board/ScreenMetrics.h"
#include "platform/Platform.h"

namespace bm {

struct Services;

struct SoftCursor {
  bool on = false;               // the picture stands in for the system cursor
  double x = -1e9, y = -1e9;     // where it was last laid
  std::string windowPicture;     // the picture last handed to the window as its pointer ("" none)
  Rect windowBox;
  bool byWindow = false;         // the window shows it
};

// Where the cursor picture lies for a pointer at (x, y): a 96-pixel design
// square whose hot spot is 30 from its left and 10 from its top.
Rect SoftCursorRect(const ScreenMetrics& m, double x, double y);

// Once per pass, before the frame is presented: switches between the system
// cursor and the picture as the window's mode asks (the mode it is in, not one
// ticked on the options screen and not applied), and moves the picture.
// Returns true when the picture moved and the frame must be shown again.
bool StepSoftCursor(Services& s);

}  // namespace bm

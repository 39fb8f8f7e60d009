// The one pass shape every loop of the game shares: pump messages once, clear
// SceneDirty, update and draw, present only when something was drawn, then wait
// for the next event or the next due time instead of spinning.
#pragma once
#include <functional>

#include "shell/Game.h"

namespace bm {

// What one pass of a loop body tells the pacing.
struct Pass {
  bool done = false;     // leave the loop after this pass
  double wakeAt = 0;     // clock time the body next needs a pass; 0 = next frame
};

using PassBody = std::function<Pass(Game&)>;

// Runs passes until the body is done or an exit is requested.
void RunLoop(Game& g, const PassBody& body);

// Pumps the window once: handles the close request and the --max-seconds limit.
void PumpMessages(Game& g);

// A music slot is still fading in or out, or waiting to start.
bool MusicFading(const MusicMod& m);

// F12 and the cheat code word; run on every pass.
void PollKeys(Game& g);

// Where "Cheat Mode" is written: the top left corner, on the play screen under
// the panel, clear of its texts.
IRect CheatCaptionRect(const ScreenMetrics& m, bool playScreen);

// End of a drawn frame: the cheat caption, then present.
void RenderScene(Game& g);

// Waits until the next event or wakeAt; after a drawn frame, at least until the
// frame interval has passed.
void PaceLoop(Game& g, bool drew, double wakeAt);

inline constexpr double kFrameIntervalMs = 1000.0 / 60.0;

}  // namespace bm

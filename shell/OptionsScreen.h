// The options screen: full screen or window, resolution, sound and music
// volumes and switches. Volumes act at once; display changes take effect on
// "OK" through ApplySettings (with a question when the mode changes).
//
// Keys: Up/Down pick a row, Left/Right change it (held, the volumes repeat),
// Enter or Space toggles full screen or a sound switch and presses "OK",
// Escape leaves without writing anything.
#pragma once

namespace bm {

struct Game;

// Returns when the player leaves the screen or the program is ending.
void OptionsLoop(Game& g);

}  // namespace bm

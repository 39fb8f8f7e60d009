// The how-to-play pages as a modal screen. Keys: Left/Right turn the pages,
// Enter or Space press the marked button ("Next", "Done" on the last page),
// Escape closes from any page.
#pragma once

namespace bm {

struct Game;

void HowToPlayLoop(Game& g);

}  // namespace bm

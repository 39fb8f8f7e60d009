// Frames drawn while the player leaves the game alone: the screen rests unless
// something on it moves, and ornaments move only briefly.
#include <gtest/gtest.h>

#include "ScreenHarness.h"
#include "board/ItemCodes.h"
#include "render/MenuScreen.h"
#include "shell/MainLoop.h"

namespace bm {
namespace {

using test::ScreenHarness;

// Frames drawn in 12 s of a level with the pointer resting at (x, y) from the start.
long LevelFrames(double x, double y, bool click = false) {
  ScreenHarness h;
  Game& g = h.g();
  NewGame(g.match, 1, g.Now());
  if (x < 0) {
    // Any jewel of the settled board.
    for (int i = 0; i < kCellCount; ++i)
      if (g.match.cells[i].isExists && IsItem(g.match.cells[i].Gem)) {
        x = g.metrics.CellScreenX(g.match.cells[i].CenterX);
        y = g.metrics.CellScreenY(g.match.cells[i].CenterY);
        break;
      }
  }
  h.Move(h.now() + 5, x, y);
  if (click) h.w().ScriptClick(h.now() + 3000, x, y);
  h.Deadline(h.now() + 12000);
  GameLoop(g);
  return g.stats.framesPresented;
}

TEST(IdleFrames, RestingOnAJewelShimmersOnlyBriefly) {
  long outside = LevelFrames(-1000, -1000);
  long onJewel = LevelFrames(-1, -1);
  // The shimmer runs 1.5 s at 15 frames a second at most, then rests.
  EXPECT_LE(onJewel - outside, 45) << "outside " << outside << ", on a jewel " << onJewel;
  // A selected jewel's marker turns for a while after the click, then rests too.
  long selected = LevelFrames(-1, -1, true);
  EXPECT_LE(selected - outside, 100) << "outside " << outside << ", selected " << selected;
}

TEST(IdleFrames, TheMenuRestsWithThePointerOffTheProps) {
  for (PointD at : {PointD{640, 950}, PointD{200, 430}, PointD{-1, -1}}) {
    ScreenHarness h;
    Game& g = h.g();
    h.Move(h.now() + 5, 600, 600);
    h.Move(h.now() + 200, at.x, at.y);
    h.Deadline(h.now() + 10000);
    goMainMenu(g);
    // Highlights fade in 10 ms steps over about a second; then nothing is drawn.
    EXPECT_LE(g.stats.framesPresented, 40) << at.x << "," << at.y;
  }
}

}  // namespace
}  // namespace bm

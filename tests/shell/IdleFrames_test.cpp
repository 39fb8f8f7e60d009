// Frames drawn while the player leaves the game alone: the screen rests unless
// something on it moves, and ornaments move only briefly.
#include <gtest/gtest.h>

#include "PixelDiff.h"
#include "ScreenHarness.h"
#include "board/ItemCodes.h"
#include "render/MenuScreen.h"
#include "shell/MainMenuScreen.h"
#include "shell/PlayScreen.h"
#include "shell/PlayFrame.h"

namespace bm {
namespace {

using test::ScreenHarness;

// Frames drawn in 12 s of a level with the pointer resting at (x, y) from the start.
// The first jewel of the settled board, on screen.
PointD AJewel(ScreenHarness& h) {
  const Cells& cells = h.match().cells;
  for (int i = 0; i < kCellCount; ++i)
    if (cells[i].IsExists && IsItem(cells[i].Gem))
      return {h.s().look.metrics.CellScreenX(cells[i].CenterX), h.s().look.metrics.CellScreenY(cells[i].CenterY)};
  return {-1, -1};
}

void Play(ScreenHarness& h) { h.Run(std::make_unique<PlayScreen>(h.play(), PlayScreen::Start::AsItStands, h.s().saves, 0)); }

// Frames drawn in 12 s of a level with the pointer resting at (x, y) from the start.
long LevelFrames(double x, double y, bool click = false) {
  ScreenHarness h;
  NewGame(h.match(), 1, h.now());
  if (x < 0) {
    PointD jewel = AJewel(h);
    x = jewel.x;
    y = jewel.y;
  }
  h.Move(h.now() + 5, x, y);
  if (click) h.w().ScriptClick(h.now() + 3000, x, y);
  h.Deadline(h.now() + 12000);
  Play(h);
  return h.s().loop.FramesPresented;
}

TEST(IdleFrames, TheMenuRestsWithThePointerOffThePropsAndAJewelShimmersOnlyBriefly) {
  for (PointD at : {PointD{640, 950}, PointD{200, 430}, PointD{-1, -1}}) {
    ScreenHarness h;
    h.Move(h.now() + 5, 600, 600);
    h.Move(h.now() + 200, at.x, at.y);
    h.Deadline(h.now() + 10000);
    MainMenuView view;
    h.Run(std::make_unique<MainMenuScreen>(view, h.s()));
    // Highlights fade in 10 ms steps over about a second; then nothing is drawn.
    EXPECT_LE(h.s().loop.FramesPresented, 40) << at.x << "," << at.y;
  }
  // Resting on a jewel, the shimmer runs only briefly.
  long outside = LevelFrames(-1000, -1000);
  long onJewel = LevelFrames(-1, -1);
  // The shimmer runs 1.5 s at 15 frames a second at most, then rests.
  EXPECT_LE(onJewel - outside, 45) << "outside " << outside << ", on a jewel " << onJewel;
  // A selected jewel's marker turns for a while after the click, then rests too.
  long selected = LevelFrames(-1, -1, true);
  EXPECT_LE(selected - outside, 100) << "outside " << outside << ", selected " << selected;
}

// Left alone, a settled board shows a hint ten seconds after it settled and
// another one every ten seconds, each drawn whole as it comes.
// The hint's timing is a rule of the board, not a drawing cache's: a suite of its own
// (scripts/mutants.sh leaves the drawing caches' suites out).
TEST(Hints, ANewHintEveryTenSecondsIsDrawnAtOnce) {
  ScreenHarness h(true);
  NewGame(h.match(), 1, h.now());
  h.Move(h.now() + 5, -1, -1);
  h.Deadline(h.now() + 33000);
  ScreenStack stack(h.s());
  stack.Open(std::make_unique<PlayScreen>(h.play(), PlayScreen::Start::AsItStands, h.s().saves, 0));
  const BoardState& b = h.match().board;
  std::vector<int> hints{-1};
  for (;;) {
    long frames = h.s().loop.FramesPresented, partial = h.s().loop.PartialFrames;
    if (!stack.Step()) break;
    if (int hint = b.HintVisible ? b.HintA * kCellCount + b.HintB : -1; hint != hints.back()) {
      hints.push_back(hint);
      EXPECT_EQ(h.s().loop.FramesPresented, frames + 1) << "a new hint is drawn at once";
      EXPECT_EQ(h.s().loop.PartialFrames, partial) << "and the whole board with it";
    }
    stack.Pace();
  }
  ASSERT_EQ(hints.size(), 4u) << "hints at 10, 20 and 30 s";
  EXPECT_NE(hints[2], hints[1]);
  EXPECT_NE(hints[3], hints[2]);
}

// The clock's ticks, the shimmer and the keyboard's frame redraw only their
// part of the kept frame: what is on screen afterwards must be exactly the
// frame drawn whole.
TEST(IdleFrames, FramesRedrawnInPartEqualTheWholeFrame) {
  ScreenHarness h(true);
  Services& s = h.s();
  NewGame(h.match(), 1, h.now());
  double t = h.now();
  h.Move(t + 5, -1, -1);
  // Over a jewel for a while, then off the board, then a few arrow steps.
  PointD jewel = AJewel(h);
  h.Move(t + 3000, jewel.x, jewel.y);
  h.Move(t + 3400, jewel.x + 90, jewel.y + 40);
  h.Move(t + 3800, 30, 500);
  h.Key(t + 5000, vk::Down);
  h.Key(t + 5200, vk::Right);
  h.Key(t + 5400, vk::Right);
  h.Move(t + 7000, 30, 520);  // the pointer takes the board back: no cell is lit at the end
  h.Deadline(t + 8500);
  Play(h);
  EXPECT_GE(s.loop.PartialFrames, 10) << "clock ticks, shimmer steps and cursor steps are drawn in part";
  std::string kept = h.dir.str() + "/kept.png", whole = h.dir.str() + "/whole.png";
  ASSERT_TRUE(s.render().SaveScreenshot(kept));
  DrawPlayScreen(s, h.play());
  ASSERT_TRUE(s.render().SaveScreenshot(whole));
  // The software renderer rounds a clipped quad's texels a little differently,
  // and the cell nearest the pointer keeps changing its tint between drawn
  // frames: small differences are expected, a stale part of the screen is not.
  long strong = test::PixelDifferences(kept, whole, 64);
  EXPECT_GE(strong, 0);
  EXPECT_LE(strong, 40) << "the kept frame differs from the frame drawn whole";
}

}  // namespace
}  // namespace bm

// Tips on the play screen: offered by the board, shown once each in a frame
// beside their cell, closed by the next press, which the board never sees.
#include <gtest/gtest.h>

#include "ScreenHarness.h"
#include "board/ItemCodes.h"
#include "render/TipDraw.h"
#include "shell/MainLoop.h"
#include "shell/PlayFrame.h"

namespace bm {
namespace {

using test::ScreenHarness;

PointD CellPoint(Game& g, int i) {
  return {g.metrics.CellScreenX(g.match.cells[i].CenterX), g.metrics.CellScreenY(g.match.cells[i].CenterY)};
}

TEST(Tips, TheFirstClickShowsTipZeroAndTheNextPressOnlyClosesIt) {
  ScreenHarness h;
  Game& g = h.g();
  NewGame(g.match, 1, g.Now());
  g.match.player.tipsOn = true;
  // Two jewels far apart.
  int a = -1, b = -1;
  for (int i = 0; i < kCellCount; ++i)
    if (g.match.cells[i].isExists && IsItem(g.match.cells[i].Gem)) {
      if (a < 0) a = i;
      else if (i > a + 40) b = i;
    }
  ASSERT_GE(a, 0);
  ASSERT_GE(b, 0);
  double t = h.now();
  PointD pa = CellPoint(g, a), pb = CellPoint(g, b);
  // Plays on for a second with one click, after the F12 that ended the last part is let go.
  auto clickAfterAPause = [&](PointD p) {
    g.flags.ExitRequested = g.flags.LeavePlay = false;
    g.clock().SleepMs(200);
    double at = h.now();
    h.w().ScriptClick(at + 300, p.x, p.y);
    h.Deadline(at + 1000);
    GameLoop(g);
  };
  h.w().ScriptClick(t + 4000, pa.x, pa.y);
  h.Deadline(t + 5000);
  GameLoop(g);
  ASSERT_EQ(g.tip.number, 0) << "the first click on a settled board offers tip 0; selected "
                              << g.match.board.SelectedCell << " of " << a << ", frames " << g.match.stats.frames;
  EXPECT_TRUE(g.match.player.tipSeen[0]);
  EXPECT_EQ(g.match.board.SelectedCell, a) << "the click that brings the tip still selects";
  // The next press closes the tip; the board does not see it.
  clickAfterAPause(pb);
  EXPECT_EQ(g.tip.number, -1);
  EXPECT_EQ(g.match.board.SelectedCell, a);
  // Now a press acts again, and tip 0 is not offered a second time.
  clickAfterAPause(pa);
  EXPECT_EQ(g.tip.number, -1);
  EXPECT_NE(g.match.board.SelectedCell, a) << "a second click on the selected cell clears it";
}

// The Enter that chose "Play" on the menu is still down when the level starts:
// it must not press on the board.
TEST(Tips, TheKeyThatStartedPlayDoesNotPressOnTheBoard) {
  ScreenHarness h;
  Game& g = h.g();
  NewGame(g.match, 1, g.Now());
  g.match.player.tipsOn = true;
  h.Key(h.now(), vk::Enter, 300);
  h.Deadline(h.now() + 2000);
  GameLoop(g);
  EXPECT_EQ(g.tip.number, -1);
  EXPECT_EQ(g.match.board.SelectedCell, kNoSelection);
  EXPECT_EQ(g.match.keyCursor.cell, kNoCell);
}

TEST(Tips, ABoxStaysOnScreenWithItsTailTowardsThePoint) {
  for (auto [w, h] : {std::pair{640, 480}, std::pair{1280, 1024}}) {
    ScreenMetrics m = ScreenMetrics::For(w, h);
    for (PointD p : {PointD{10, h - 10.0}, PointD{w - 5.0, h - 5.0}, PointD{10, 10}, PointD{w - 5.0, 5}}) {
      TipPlacement t = PlaceTip(m, p.x, p.y);
      EXPECT_GE(t.box.left, 0);
      EXPECT_GE(t.box.top, 0);
      EXPECT_LE(t.box.right, w);
      EXPECT_LE(t.box.bottom, h);
      bool left = t.frame % 2 == 1, below = t.frame >= 2;
      EXPECT_EQ(left, p.x > w / 2.0) << p.x;
      EXPECT_EQ(below, p.y < h / 2.0) << p.y;
    }
  }
  for (int n = 0; n < kTipTextCount; ++n) EXPECT_FALSE(TipText(n).empty()) << n;
  EXPECT_TRUE(TipText(kTipTextCount).empty());
  EXPECT_TRUE(TipText(-1).empty());
}

}  // namespace
}  // namespace bm

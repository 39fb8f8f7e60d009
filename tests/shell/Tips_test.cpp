// Tips on the play screen: offered by the board, shown once each in a frame
// beside their cell, closed by the next press, which the board never sees.
#include <gtest/gtest.h>

#include "ScreenHarness.h"
#include "board/ItemCodes.h"
#include "render/PlayScreen.h"
#include "render/TipDraw.h"
#include "shell/PlayScreen.h"
#include "shell/PlayFrame.h"

namespace bm {
namespace {

using test::ScreenHarness;

PointD CellPoint(ScreenHarness& h, int i) {
  const ScreenMetrics& m = h.s().look.metrics;
  return {m.CellScreenX(h.match().cells[i].CenterX), m.CellScreenY(h.match().cells[i].CenterY)};
}

void Play(ScreenHarness& h) { h.Run(std::make_unique<PlayScreen>(h.play(), PlayScreen::Start::AsItStands, h.s().saves, 0)); }

TEST(Tips, TheFirstClickShowsTipZeroAndTheNextPressOnlyClosesIt) {
  ScreenHarness h;
  Services& s = h.s();
  Match& m = h.match();
  const TipBox& tip = h.play().tip;
  NewGame(m, 1, h.now());
  m.player.tipsOn = true;
  // Two jewels far apart.
  int a = -1, b = -1;
  for (int i = 0; i < kCellCount; ++i)
    if (m.cells[i].IsExists && IsItem(m.cells[i].Gem)) {
      if (a < 0) a = i;
      else if (i > a + 40) b = i;
    }
  ASSERT_GE(a, 0);
  ASSERT_GE(b, 0);
  double t = h.now();
  PointD pa = CellPoint(h, a), pb = CellPoint(h, b);
  // Plays on for a second with one click, after the F12 that ended the last part is let go.
  auto clickAfterAPause = [&](PointD p) {
    s.loop.ExitRequested = false;
    s.platform.clock->SleepMs(200);
    double at = h.now();
    h.w().ScriptClick(at + 300, p.x, p.y);
    h.Deadline(at + 1000);
    Play(h);
  };
  h.w().ScriptClick(t + 4000, pa.x, pa.y);
  h.Deadline(t + 5000);
  Play(h);
  ASSERT_EQ(tip.number, 0) << "the first click on a settled board offers tip 0; selected " << m.board.SelectedCell
                           << " of " << a << ", frames " << m.stats.frames;
  EXPECT_TRUE(m.player.tipSeen[0]);
  EXPECT_EQ(m.board.SelectedCell, a) << "the click that brings the tip still selects";
  // The next press closes the tip; the board does not see it.
  clickAfterAPause(pb);
  EXPECT_EQ(tip.number, -1);
  EXPECT_EQ(m.board.SelectedCell, a);
  // Now a press acts again, and tip 0 is not offered a second time.
  clickAfterAPause(pa);
  EXPECT_EQ(tip.number, -1);
  EXPECT_NE(m.board.SelectedCell, a) << "a second click on the selected cell clears it";
  // The pointer resting on MENU offers tip 13; the click that closes it stays
  // in the level (until the deadline), the next one leaves.
  IRect menu = MenuButtonHitRect(s.look.metrics);
  h.Move(h.now() + 300, ScreenHarness::cx(menu), ScreenHarness::cy(menu));
  clickAfterAPause({ScreenHarness::cx(menu), ScreenHarness::cy(menu)});
  EXPECT_TRUE(m.player.tipSeen[13]);
  EXPECT_EQ(tip.number, -1);
  EXPECT_TRUE(s.loop.ExitRequested) << "the click that closed the tip left the level";
  clickAfterAPause({ScreenHarness::cx(menu), ScreenHarness::cy(menu)});
  EXPECT_FALSE(s.loop.ExitRequested) << "MENU leaves";
}

// A tip waiting for its click holds the hourglass; the sand runs again once it closes.
TEST(Tips, TheHourglassStandsStillWhileATipWaitsAndTheKeyThatStartedPlayPressesNothing) {
  ScreenHarness h;
  Match& m = h.match();
  NewGame(m, 1, h.now());
  // Plays on for a while, after the F12 that ended the last part is let go.
  auto playFor = [&](double ms, bool click) {
    h.s().loop.ExitRequested = false;
    h.s().platform.clock->SleepMs(200);
    if (click) h.w().ScriptClick(h.now() + 100, 5, 5);
    h.Deadline(h.now() + ms);
    Play(h);
  };
  playFor(1500, false);  // the level settles and the sand begins to run
  OfferTipBox(h.s(), h.play(), 7, 57);
  ASSERT_EQ(h.play().tip.number, 7);
  double sand = m.level.SandLeft;
  playFor(6000, false);
  EXPECT_EQ(m.level.SandLeft, sand) << "six seconds under a tip";
  playFor(3000, true);
  EXPECT_EQ(h.play().tip.number, -1);
  EXPECT_LT(m.level.SandLeft, sand);
  // The Enter that chose "Play" on the menu is still down when the level starts: it must not press on the board.
  ScreenHarness k;
  Match& km = k.match();
  NewGame(km, 1, k.now());
  km.player.tipsOn = true;
  k.Key(k.now(), vk::Enter, 300);
  k.Deadline(k.now() + 2000);
  Play(k);
  EXPECT_EQ(k.play().tip.number, -1);
  EXPECT_EQ(km.board.SelectedCell, kNoSelection);
  EXPECT_EQ(km.keyCursor.cell, kNoCell);
}

TEST(Tips, ABoxStaysOnScreenWithItsTailTowardsThePoint) {
  for (auto [w, h] : {std::pair{640, 480}, std::pair{1280, 1024}}) {
    ScreenMetrics m = ScreenMetrics::For(w, h);
    for (PointD p : {PointD{10, h - 10.0}, PointD{w - 5.0, h - 5.0}, PointD{10, 10}, PointD{w - 5.0, 5}}) {
      TipPlacement t = PlaceTip(m, p.x, p.y);
      EXPECT_TRUE(t.box.left >= 0 && t.box.top >= 0 && t.box.right <= w && t.box.bottom <= h) << p.x << ", " << p.y;
      bool left = t.frame % 2 == 1, below = t.frame >= 2;
      EXPECT_EQ(left, p.x > w / 2.0) << p.x;
      EXPECT_EQ(below, p.y < h / 2.0) << p.y;
    }
  }
}

}  // namespace
}  // namespace bm

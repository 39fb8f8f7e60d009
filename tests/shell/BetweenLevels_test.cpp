// The between-levels screen and the congratulations screen, headless on the
// virtual clock, driven by scripted clicks and keys.
#include <gtest/gtest.h>

#include "FlowKit.h"
#include "render/BetweenLevelsDraw.h"
#include "render/CreditsDraw.h"
#include "shell/BetweenLevels.h"
#include "shell/GameComplete.h"

namespace bm {
namespace {

TEST(BetweenLevels, MapShopMapThenContinueWithTheirSounds) {
  test::FlowGame h(120, true);
  Game& g = h.g();
  const ScreenMetrics& m = g.metrics;
  h.Click(500, BetweenButtonRect(m, BetweenButton::Shop));
  h.Click(1000, BetweenButtonRect(m, BetweenButton::Map));
  h.Click(3000, BetweenButtonRect(m, BetweenButton::Continue));
  double start = h.Now();
  int level = 12;
  BetweenLevelsScreen(g, level);
  EXPECT_FALSE(g.flags.ExitRequested);
  EXPECT_NEAR(h.Now() - start, 3100, 200) << "left on the continue button's release";
  EXPECT_EQ(level, 12);
  EXPECT_EQ(h.Heard("ev_map_paper"), 2);
  EXPECT_GE(h.Heard("ev_map_wind"), 1) << "stage 2's ambience";
  EXPECT_EQ(h.Heard("ev_map_sea"), 0);
  EXPECT_GE(h.Heard("ev_map_current"), 1) << "the pulse, once the marker has arrived";
  EXPECT_TRUE(g.input.ClickLatch) << "the click that left is not taken by the next screen";
}

TEST(BetweenLevels, AHeldButtonDoesNotLeaveEscapeDoesAndTheCheatKeysMoveTheLevel) {
  test::FlowGame h;
  Game& g = h.g();
  IRect cont = BetweenButtonRect(g.metrics, BetweenButton::Continue);
  // A button still held from the level, released over "Continue", is not a click.
  h.win().SetPointer((cont.left + cont.right) / 2.0, (cont.top + cont.bottom) / 2.0);
  h.win().SetButton(1, true);
  h.win().Script({ScriptEvent::ButtonUp, h.Now() + 300, 0, 0, 1});
  g.input.CheatMode = true;
  h.win().ScriptKey(h.Now() + 600, vk::Up, 200);
  h.win().ScriptKey(h.Now() + 1000, vk::Up);
  h.win().ScriptKey(h.Now() + 1400, vk::Up);
  h.win().ScriptKey(h.Now() + 2000, vk::Escape);
  double start = h.Now();
  int level = 63;
  BetweenLevelsScreen(g, level);
  EXPECT_GE(h.Now() - start, 2000) << "only Escape ended it";
  EXPECT_EQ(level, 65) << "one level per press, never past the last";
}

TEST(BetweenLevels, CreditsScrollToRestAndAClickLeavesForTheMenu) {
  CreditsOffsets o = CreditsOffsetsAt(-20);
  EXPECT_EQ(o.greeting, 0);
  EXPECT_EQ(CreditsOffsetsAt(140).credits, 140);
  EXPECT_EQ(CreditsOffsetsAt(150).credits, 140) << "the credits pause";
  EXPECT_EQ(CreditsOffsetsAt(170).credits, 150);
  EXPECT_EQ(CreditsOffsetsAt(280).credits, 260) << "\"Thank You\" rests at 40 % of the height";

  test::FlowGame h;
  Game& g = h.g();
  g.input.ClickLatch = true;  // the click that won the last level is still held
  h.win().SetButton(1, true);
  h.win().Script({ScriptEvent::ButtonUp, h.Now() + 200, 0, 0, 1});
  h.win().ScriptClick(h.Now() + 40000, 600, 500);
  double start = h.Now();
  long framesBefore = g.stats.framesPresented;
  GameCompleteScreen(g);
  EXPECT_TRUE(g.flags.LeavePlay);
  EXPECT_NEAR(h.Now() - start, 40000, 100);
  // Thirty seconds of scrolling at up to 60 frames a second, then it rests.
  EXPECT_LT(g.stats.framesPresented - framesBefore, 2000) << "no frames drawn once the credits rest";
}

}  // namespace
}  // namespace bm

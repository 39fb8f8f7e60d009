// The spine on the headless platform: the hourglass on a virtual clock,
// resolutions, and whole runs from start to shut-down.
#include <gtest/gtest.h>

#include "HeadlessBot.h"
#include "PlayerDir.h"
#include "platform/Host.h"
#include "platform/headless/Headless.h"
#include "render/MenuScreen.h"
#include "render/PlayScreen.h"
#include "render/Resolution.h"
#include "shell/Services.h"
#include "match/Match.h"
#include "shell/DisplayMode.h"
#include "shell/PlayFrame.h"
#include "shell/Startup.h"

namespace bm {
namespace {

// Passes of the match until the hourglass is empty; returns the number of ticks.
int TicksToEmpty(double limit, double frameMs) {
  auto m = std::make_unique<Match>(1);
  m->level.TimeLimit = limit;
  m->level.SandLeft = 1.0;
  m->clock.framesEnabled = false;
  int ticks = 0;
  double last = m->level.SandLeft, now = 5000;
  for (int pass = 0; pass < 100000 && m->level.SandLeft > 0; ++pass) {
    MatchInput in;
    in.now = now;
    AdvanceFrame(*m, in);
    if (m->level.SandLeft != last) ++ticks, last = m->level.SandLeft;
    now += frameMs;
  }
  return ticks;
}

TEST(Hourglass, FirstTickComesAtOnceNeverGoesBelowEmptyAndOneASecondAtAnyFrameRate) {
  auto m = std::make_unique<Match>(1);
  m->level.TimeLimit = 2;
  m->level.SandLeft = 0.2;
  m->clock.framesEnabled = false;
  MatchInput in;
  in.now = 5000;
  AdvanceFrame(*m, in);
  EXPECT_EQ(m->level.SandLeft, 0) << "first tick on the first pass, clamped at empty";
  in.now += 999;
  AdvanceFrame(*m, in);
  EXPECT_EQ(m->clock.lastSandTick, 5000) << "no second tick within a second";
  // One tick a second, whatever the frame rate.
  EXPECT_EQ(TicksToEmpty(60, 7), 60);
  EXPECT_EQ(TicksToEmpty(60, 250), 60);
  // 1/30 leaves a rounding remainder after thirty ticks: the 31st empties it.
  EXPECT_EQ(TicksToEmpty(30, 16), 31);
}

TEST(Resolution, WindowNeedsSmallerThanDesktopAndFullScreenWrapsToDesktop) {
  DisplayInfo d{1280, 1024, [](int w, int h, const void*) { return w == 1024 && h == 768; }, nullptr};
  EXPECT_EQ(ChangeResolution(2, +1, false, d), 3);
  EXPECT_EQ(ChangeResolution(3, +1, false, d), 1) << "1280x1024 and 1600x1200 do not fit, desktop neither";
  EXPECT_EQ(ChangeResolution(5, +1, true, d), 0) << "full screen takes the desktop without a check";
  int res = 4;
  Size2 s = BackBufferSize(res, false, d);
  EXPECT_EQ(res, 0);
  EXPECT_EQ(s.w, 1280);
  EXPECT_EQ(ResolutionName(7), "");
  d.windowFrame = false;  // a browser tab shows every size, scaled into it
  EXPECT_EQ(ChangeResolution(4, +1, false, d), 5);
  EXPECT_EQ(ChangeResolution(5, +1, false, d), 0);
}

// A browser leaves full screen on Escape by itself: the game must follow and
// keep the choice, as if made in the options.
TEST(DisplayMode, FullScreenChangedOutsideTheGameIsKeptAsIfChosen) {
  test::PlayerDir dir;
  RunOptions o = test::HeadlessRun(dir);
  App app;
  ASSERT_TRUE(app.Start(o));
  Services& s = *app.services();
  s.settings.FullScreen = -1;
  s.settings.Resolution = 2;
  FollowDisplay(s, Window::DisplayChange::FullScreenLeft);
  EXPECT_EQ(s.settings.FullScreen, 0);
  EXPECT_EQ(LoadSettings(dir.str(), s.logs).FullScreen, 0) << "kept for the next start";
  EXPECT_EQ(s.settings.Resolution, 2) << "the resolution chosen stays";
  FollowDisplay(s, Window::DisplayChange::FullScreenEntered);
  EXPECT_NE(LoadSettings(dir.str(), s.logs).FullScreen, 0);
  app.Finish();
  EXPECT_NE(test::ReadText(dir.path / "run.log").find("Full screen was left outside the game"), std::string::npos);
}

// A whole run: Play from the menu by mouse, Escape back to the menu, Play and
// "Continue", the menu button back again, and F12 through the normal shut-down.
TEST(EndToEnd, EscapeAndTheMenuButtonReturnToTheMenuAndF12EndsTheRun) {
  test::PlayerDir dir;
  RunOptions o = test::HeadlessRun(dir);
  o.seedGiven = true;
  o.seed = 5;
  o.maxSeconds = 120;  // a safety net; F12 should end it long before
  o.beforeMainLoop = [&](Services& s, Host& host) {
    HeadlessWindow* w = host.Scripted();
    IRect play = MainMenuItemRect(s.look.metrics, menu::Play);
    IRect button = MenuButtonRect(s.look.metrics);
    double px = (play.left + play.right) / 2.0, py = (play.top + play.bottom) / 2.0;
    double t = s.Now();
    w->ScriptClick(t + 500, px, py);
    w->ScriptKey(t + 3000, vk::Escape);
    w->ScriptClick(t + 4000, px, py);
    w->ScriptKey(t + 5000, vk::Enter);  // "Continue" the level left with Escape
    w->ScriptClick(t + 7000, (button.left + button.right) / 2.0, (button.top + button.bottom) / 2.0);
    w->ScriptKey(t + 9000, vk::F12);
  };
  ASSERT_EQ(RunGame(o), 0);
  std::string runLog = test::ReadText(dir.path / "run.log");
  std::string points = test::ReadText(dir.path / "run_pnt.log");
  EXPECT_NE(runLog.find("Application Start..."), std::string::npos);
  EXPECT_EQ(runLog.find("Time limit of the run reached"), std::string::npos) << "F12 ended the run";
  const std::string last = " ->  * Application End. * \r\n";
  ASSERT_GE(runLog.size(), last.size());
  EXPECT_EQ(runLog.substr(runLog.size() - last.size()), last) << "the last line, with an empty place";
  for (const char* p : {"MainLoop * Begin", "MainLoop * CP1", "MainLoop * CP2"}) EXPECT_NE(points.find(p), std::string::npos) << p;
  int menus = 0;
  for (std::size_t at = 0; (at = points.find("goMainMenu * CP1", at)) != std::string::npos; ++at) ++menus;
  EXPECT_EQ(menus, 3) << points;
  EXPECT_EQ(std::filesystem::file_size(dir.path / "config.dat"), 50u);
}

}  // namespace
}  // namespace bm

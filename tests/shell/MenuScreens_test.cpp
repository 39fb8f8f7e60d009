// Every main-menu screen reached by keys in a whole headless run (the bot's
// whole game reaches them by mouse).
#include <gtest/gtest.h>

#include "FlowKit.h"
#include "PlayerDir.h"
#include "ScreenHarness.h"
#include "render/MenuScreen.h"
#include "render/PlayScreen.h"
#include "shell/MainMenuScreen.h"
#include "shell/HowToPlayScreen.h"
#include "shell/Startup.h"

namespace bm {
namespace {

// A whole headless run from a named player's first start, keys and clicks
// scripted; returns the point log.
std::string RunScripted(const std::function<void(Services&, HeadlessWindow&)>& script) {
  test::PlayerDir dir;
  RunOptions o;
  o.headless = true;
  o.dataDir = dir.str();
  o.gameDir = BM_GAME_DIR;
  o.maxSeconds = 120;
  o.beforeMainLoop = [&](Services& s, Host& host) { script(s, *host.Scripted()); };
  EXPECT_EQ(RunGame(o), 0);
  EXPECT_EQ(test::ReadText(dir.path / "run.log").find("Time limit"), std::string::npos)
      << "the script, not the time limit, ended the run";
  return test::ReadText(dir.path / "run_pnt.log");
}

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (std::size_t at = 0; (at = text.find(what, at)) != std::string::npos; ++at) ++n;
  return n;
}

// "Change Player" is heard under the pointer like every item.
TEST(MenuScreens, ChangePlayerIsHeard) {
  test::FlowGame h;
  IRect change = MainMenuItemRect(h.s().look.metrics, menu::ChangePlayer);
  h.win().Script({ScriptEvent::Move, h.Now() + 200, test::ScreenHarness::cx(change), test::ScreenHarness::cy(change)});
  h.Deadline(h.Now() + 1000);
  MainMenuView view;
  h.Run(std::make_unique<MainMenuScreen>(view, h.s()));
  EXPECT_EQ(h.Heard("ev_menu_over"), 1);
  EXPECT_EQ(MainMenuItemAt(h.s().look.metrics, 100, 200), menu::ChangePlayer) << "over \"Play\" too: the later wins";
}

TEST(MenuScreens, EachItemOpensItsScreenByKeys) {
  std::string points = RunScripted([](Services& s, HeadlessWindow& w) {
    double t = s.Now() + 500;
    // A first Enter with nothing marked only marks "Play"; Down then reaches "Options".
    w.ScriptKey(t += 100, vk::Enter);
    w.ScriptKey(t += 100, vk::Down);
    w.ScriptKey(t += 100, vk::Enter);
    w.ScriptKey(t += 1000, vk::Escape);
    t += 500;
    // The keyboard order: Play, Options, How To Play, High Scores, Change Player, Exit.
    for (int downs = 2; downs <= 5; ++downs) {
      for (int k = 0; k < downs; ++k) w.ScriptKey(t += 100, vk::Down);
      w.ScriptKey(t += 100, vk::Enter);
      w.ScriptKey(t += 1000, vk::Escape);
      t += 500;
    }
    // Up from the top wraps to "Exit", which ends the run.
    w.ScriptKey(t += 100, vk::Up);
    w.ScriptKey(t += 100, vk::Enter);
  });
  EXPECT_EQ(Count(points, "OptionsLoop * Begin"), 2);
  for (const char* screen : {"HowToPlayLoop", "HighScoresLoop", "PlayersLoop"})
    EXPECT_EQ(Count(points, std::string(screen) + " * Begin"), 1) << screen;
}

TEST(MenuScreens, HowToPlayPagesTurnByKeysAndEnterEndsOnTheLast) {
  test::ScreenHarness h;
  double t = h.now();
  h.Key(t + 100, vk::Right);
  h.Key(t + 200, vk::Right);  // page 3
  h.Key(t + 300, vk::Left);   // page 2
  h.Key(t + 400, vk::Left);
  h.Key(t + 500, vk::Left);   // page 1: no page before it
  // Seven "Next" to page 8, where Enter is "Done".
  double at = t + 600;
  for (int k = 0; k < 8; ++k) h.Key(at += 100, vk::Enter);
  h.Deadline(t + 20000);
  h.Run(std::make_unique<HowToPlayScreen>());
  EXPECT_FALSE(h.s().loop.ExitRequested);
  EXPECT_NEAR(h.now() - t, 1400, 60) << "closed by the eighth Enter";
}

}  // namespace
}  // namespace bm

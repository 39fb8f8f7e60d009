// Whole headless runs: leaving a level by Escape, F12 or the close box saves
// it; a first start's game is kept under the name given; --level plays at once.
#include <gtest/gtest.h>

#include <filesystem>

#include "HeadlessBot.h"
#include "PlayerDir.h"
#include "platform/Host.h"
#include "platform/headless/Headless.h"
#include "render/MenuScreen.h"
#include "shell/Services.h"
#include "shell/Startup.h"
#include "storage/SaveFolder.h"
#include "saves/SaveGame.h"

namespace bm {
namespace {

PlayerTable SavedPlayers(const test::TempDir& dir) {
  SaveFolder f{dir.str(), BM_GAME_DIR, nullptr};
  SaveData d;
  LoadPlayers(f, d);
  return d.players;
}

TEST(SaveOnLeave, EscapeTheCloseBoxAndF12EachSaveTheLevel) {
  for (int way = 0; way < 3; ++way) {
    SCOPED_TRACE(way);
    test::PlayerDir dir;
    RunOptions o = test::HeadlessRun(dir, 8, 120);
    o.level = 7;
    o.beforeMainLoop = [&](Services& s, Host& host) {
      HeadlessWindow* w = host.Scripted();
      IRect play = MainMenuItemRect(s.look.metrics, menu::Play);
      const double t = s.Now();
      w->ScriptClick(t + 500, (play.left + play.right) / 2.0, (play.top + play.bottom) / 2.0);
      if (way == 0) {
        w->ScriptKey(t + 4000, vk::Escape);
        w->ScriptKey(t + 6000, vk::F12);  // from the menu: nothing more to save
      } else if (way == 1) {
        w->Script({ScriptEvent::Close, t + 4000});
      } else {
        w->ScriptKey(t + 4000, vk::F12);
      }
    };
    ASSERT_EQ(RunGame(o), 0);
    const PlayerTable players = SavedPlayers(dir);
    const PlayerRecord& p = players.CurrentRecord();
    EXPECT_EQ(std::tuple(p.GameLevel, p.MaxLevel, p.GameLives), std::tuple(7, 7, 3));
    EXPECT_GT(p.TimeLeft, 0.5);
    EXPECT_TRUE(std::filesystem::exists(dir.path / "saves/dump1.dat") && std::filesystem::exists(dir.path / "saves/Items.dat"));
    EXPECT_NE(test::ReadText(dir.path / "run.log").find("SaveGame * Saved on level 7"), std::string::npos);
  }
}

// A first start has no player: the name box comes before the menu, and the
// game left with Escape is kept under that name, to be continued next time.
// A game played after "CANCEL" is kept under the name given when it was left.
TEST(SaveOnLeave, AFirstStartAsksForANameSoTheGameCanBeContinued) {
  for (bool cancelFirst : {false, true}) {
    SCOPED_TRACE(cancelFirst);
    test::TempDir dir;
    RunOptions o = test::HeadlessRun(dir, 8, 120);
    o.beforeMainLoop = [&](Services& s, Host& host) {
      HeadlessWindow* w = host.Scripted();
      IRect play = MainMenuItemRect(s.look.metrics, menu::Play);
      const double t = s.Now(), named = cancelFirst ? 5500 : 0;
      if (cancelFirst) w->ScriptKey(t + 300, vk::Escape);
      w->Script({ScriptEvent::Text, t + named + 300, 0, 0, 0, "Ann"});
      w->ScriptKey(t + named + 500, vk::Enter);
      w->ScriptClick(t + 1500, (play.left + play.right) / 2.0, (play.top + play.bottom) / 2.0);
      w->ScriptKey(t + 5000, vk::Escape);
      w->ScriptKey(t + 8000, vk::F12);
    };
    ASSERT_EQ(RunGame(o), 0);
    SaveFolder f{dir.str(), BM_GAME_DIR, nullptr};
    SaveData d;
    LoadPlayers(f, d);
    EXPECT_EQ(d.players.Current(), 1);
    EXPECT_EQ(d.players.CurrentRecord().Name, "Ann");
    EXPECT_EQ(d.players.CurrentRecord().ShowTips, kTrue) << "a new player is shown the tips";
    EXPECT_TRUE(HasSavedGame(d)) << "the first game can be continued";
  }
}

// --level on a fresh folder: no name box, no menu; the level is played at once
// for a new player under the default name, and kept when the run ends.
TEST(SaveOnLeave, TheLevelOfTheCommandLineStartsAtOnceOnAFreshFolder) {
  test::TempDir dir;
  RunOptions o = test::HeadlessRun(dir, 8, 120);
  o.level = 10;
  o.maxSeconds = 30;
  o.reportPath = (dir.path / "report.json").string();
  ASSERT_EQ(RunGame(o), 0);
  const std::string report = test::ReadText(dir.path / "report.json");
  EXPECT_NE(report.find("\"level\": 10,"), std::string::npos) << report;
  EXPECT_EQ(report.find("\"frames\": 0,"), std::string::npos) << report;
  const PlayerTable players = SavedPlayers(dir);
  EXPECT_EQ(players.CurrentRecord().Name, kDefaultPlayerName);
  EXPECT_EQ(players.CurrentRecord().GameLevel, 10);
}

}  // namespace
}  // namespace bm

// Every two-button question of the game, met in a whole headless run: Escape
// and stray keys never give the answer that throws something away.
#include <gtest/gtest.h>

#include <filesystem>

#include "PlayerDir.h"
#include "diag/Logs.h"
#include "io/AtomicWrite.h"
#include "platform/Host.h"
#include "platform/headless/Headless.h"
#include "render/MenuScreen.h"
#include "render/OptionsDraw.h"
#include "render/RosterDraw.h"
#include "saves/SaveGame.h"
#include "shell/Services.h"
#include "shell/Startup.h"
#include "storage/BoardFile.h"
#include "storage/Settings.h"

namespace bm {
namespace {

struct Files {
  std::string players, scores, config, board;
  bool operator==(const Files&) const = default;
};

Files Read(const test::TempDir& dir) {
  return {test::ReadText(dir.path / "saves/players.dat"), test::ReadText(dir.path / "saves/hs.dat"),
          test::ReadText(dir.path / "config.dat"), test::ReadText(dir.path / "saves" / BoardFileName(1))};
}

TEST(Questions, EscapeAndStrayKeysNeverAnswerWhatThrowsSomethingAway) {
  test::PlayerDir dir;
  {
    // A game saved on level 6 with a score, a second player, a high-score table.
    SaveFolder f{dir.str(), BM_GAME_DIR, nullptr};
    SaveData d;
    LoadPlayers(f, d);
    PlayerRecord& p = d.players.slot[1];
    p.GameLevel = p.MaxLevel = 6;
    p.GameScore = 6481;
    p.GameLives = 2;
    p.TimeLeft = 0.5;
    d.players.slot[2].Name = "Second";
    ASSERT_TRUE(SavePlayers(f, d));
    ResetHighScores(f, d);
    ASSERT_TRUE(WriteFileAtomic(f.SavesPath(BoardFileName(1)), "a board"));
    SettingsRecord s = DefaultSettings();
    s.Resolution = 3;
    Logs logs(dir.str());
    SaveSettings(dir.str(), s, logs);
  }
  const Files before = Read(dir);
  const int strays[] = {'A', '1', vk::Backspace, vk::Delete, vk::Up, vk::Down, vk::PageUp, vk::F1, vk::Space};
  RunOptions o;
  o.headless = true;
  o.dataDir = dir.str();
  o.gameDir = BM_GAME_DIR;
  o.maxSeconds = 300;
  o.resolution = 3;
  o.beforeMainLoop = [&](Services& s, Host& host) {
    HeadlessWindow& w = *host.Scripted();
    const ScreenMetrics& m = s.look.metrics;
    auto click = [&](double at, const IRect& r) { w.ScriptClick(at, (r.left + r.right) / 2.0, (r.top + r.bottom) / 2.0); };
    double t = s.Now() + 500;
    // Each question is opened, met with every stray key, then Escape (Enter
    // where it keeps: "CANCEL" comes first).
    auto meet = [&](int last = vk::Escape) {
      for (int key : strays) w.ScriptKey(t += 150, key);
      w.ScriptKey(t += 300, last);
      t += 700;
    };
    click(t, MainMenuItemRect(m, menu::Play));  // "Continue saved game|or start new one?"
    t += 700;
    meet();
    click(t, MainMenuItemRect(m, menu::HighScores));
    click(t += 700, HighScoreButtonRect(m, scores::Reset));  // "This action will reset..."
    t += 700;
    meet(vk::Enter);
    w.ScriptKey(t, vk::Escape);
    click(t += 700, MainMenuItemRect(m, menu::ChangePlayer));
    click(t += 700, RosterDeleteRect(m, 1));  // "Click continue to delete|Second"
    t += 700;
    meet(vk::Enter);
    w.ScriptKey(t, vk::Escape);
    click(t += 700, MainMenuItemRect(m, menu::Options));
    const OptionRectTable rects = OptionRects(m);
    click(t += 700, rects[std::size_t(opt::ResNext)]);
    click(t += 300, rects[std::size_t(opt::Ok)]);  // "You have made changes..."
    t += 700;
    meet();
    w.ScriptKey(t + 500, vk::F12);
  };
  ASSERT_EQ(RunGame(o), 0);
  const std::string log = test::ReadText(dir.path / "run.log");
  EXPECT_EQ(log.find("Time limit"), std::string::npos) << "the script, not the time limit, ended the run";
  EXPECT_EQ(log.find("NewGame"), std::string::npos) << log;
  const Files after = Read(dir);
  EXPECT_EQ(after.players, before.players) << "the saved game and the second player are kept";
  EXPECT_EQ(after.board, before.board);
  EXPECT_EQ(after.scores, before.scores) << "the high scores are not reset";
  EXPECT_EQ(after.config, before.config) << "the options are left without writing";
  const std::string points = test::ReadText(dir.path / "run_pnt.log");
  for (const char* screen : {"HighScoresLoop * Begin", "PlayersLoop * Begin", "OptionsLoop * Begin"})
    EXPECT_NE(points.find(screen), std::string::npos) << screen << " was not reached: the script went astray";
}

}  // namespace
}  // namespace bm

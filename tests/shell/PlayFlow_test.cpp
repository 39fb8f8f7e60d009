// A game's course through the real loops on the virtual clock: a won level's
// flip, the map and shop, the next level; time-ups, the last one ending the
// game; the cheat skip to the last level and the congratulations screen; and a
// whole run from the menu with the bot.
#include <gtest/gtest.h>

#include "FlowKit.h"
#include "render/BetweenLevelsDraw.h"
#include "shell/MainLoop.h"
#include "shell/PlayFrame.h"
#include "shell/Startup.h"
#include "storage/SaveFolder.h"

namespace bm {
namespace {

// A new game on level n, already past its fly-in.
void StartAt(test::FlowGame& h, int n) {
  NewGame(h.g().match, n, h.Now());
  DrainMatchEvents(h.g());
}

// Plays for a while (the items grow in), then leaves the loop as Escape would.
void PlayFor(test::FlowGame& h, double ms) {
  h.win().ScriptKey(h.Now() + ms, vk::Escape);
  GameLoop(h.g());
  h.g().flags.LeavePlay = false;
}

void AllGold(Match& m) {
  for (int i = 0; i < kCellCount; ++i)
    if (m.cells[i].isExists) m.cells[i].Gnd = 1;
}

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (std::size_t at = 0; (at = text.find(what, at)) != std::string::npos; ++at) ++n;
  return n;
}

TEST(PlayFlow, AWonLevelFlipsThenMapAndShopThenTheNextLevel) {
  test::FlowGame h;
  Game& g = h.g();
  StartAt(h, 8);
  PlayFor(h, 1000);
  AllGold(g.match);  // the settled board is complete at once
  h.Click(4000, BetweenButtonRect(g.metrics, BetweenButton::Shop));
  h.Click(5000, BetweenButtonRect(g.metrics, BetweenButton::Continue));
  h.win().ScriptKey(h.Now() + 9000, vk::Escape);
  GameLoop(g);
  Match& m = g.match;
  EXPECT_EQ(h.Heard("complete_stage"), 1) << "level 8 ends stage 1";
  EXPECT_EQ(h.Heard("complete_level"), 0);
  EXPECT_EQ(h.Heard("ev_map_paper"), 1);
  EXPECT_EQ(m.session.CurrentLevel, 9);
  EXPECT_EQ(m.level.number, 9);
  EXPECT_EQ(m.stats.levelsWon, 1);
  EXPECT_FALSE(m.flow.flip.running);
  EXPECT_EQ(m.flow.pending, FlowStep::None);
  EXPECT_GT(m.stats.frames, 100) << "level 9 was played after the fly-in";
  EXPECT_TRUE(g.flags.LeavePlay) << "left by Escape, not by the flow";
  std::string log = test::ReadText(h.dir.path / "run.log");
  EXPECT_EQ(Count(log, "BetweenLevelsScreen() * Level 9"), 1) << log;
}

TEST(PlayFlow, TimeUpWithLivesLeftRestartsTheSameLevelAfterTheShop) {
  test::FlowGame h;
  Game& g = h.g();
  StartAt(h, 5);
  g.match.level.SandLeft = 0;
  h.Click(6000, BetweenButtonRect(g.metrics, BetweenButton::Continue));
  h.win().ScriptKey(h.Now() + 10000, vk::Escape);
  GameLoop(g);
  Match& m = g.match;
  EXPECT_EQ(h.Heard("complete_timeisup"), 1);
  EXPECT_EQ(h.Heard("complete_gameover"), 0);
  EXPECT_EQ(m.session.Lives, 2);
  EXPECT_EQ(m.session.CurrentLevel, 5);
  EXPECT_GT(m.level.SandLeft, 0.9) << "a full hourglass again";
  EXPECT_EQ(m.stats.livesLost, 1);
  EXPECT_EQ(Count(test::ReadText(h.dir.path / "run.log"), "BetweenLevelsScreen() * Level 5"), 1)
      << "the shop is offered before a restart too";
}

TEST(PlayFlow, TheFourthTimeUpEndsTheGameAndEntersItsScore) {
  test::FlowGame h;
  Game& g = h.g();
  StartAt(h, 12);
  Match& m = g.match;
  m.session.Lives = 0;  // three time-ups already
  m.session.Score = m.board.Score = 4321;
  m.level.SandLeft = 0;
  GameLoop(g);
  EXPECT_TRUE(g.flags.LeavePlay) << "back to the main menu";
  EXPECT_EQ(h.Heard("complete_timeisup"), 1);
  EXPECT_EQ(h.Heard("complete_gameover"), 1);
  EXPECT_EQ(m.stats.gameOvers, 1);
  EXPECT_EQ(m.session.Lives, 3);
  EXPECT_EQ(m.session.Score, 0);
  EXPECT_EQ(m.session.CurrentLevel, 0);
  EXPECT_LT(h.Now(), 20000) << "no screen between the caption and the menu";
  SaveFolder folder{g.options.dataDir, g.options.gameDir, &g.logs, {}};
  SaveData data;
  LoadHighScores(folder, data);
  bool entered = false;
  for (const HighScoreEntry& e : data.scores.entry) entered |= e.EntryScore == "4321";
  EXPECT_TRUE(entered) << "the lost game's score is in the table";
}

TEST(PlayFlow, TheCheatSkipToTheLastLevelEndsOnTheCongratulations) {
  test::FlowGame h;
  Game& g = h.g();
  StartAt(h, 64);
  g.input.CheatMode = true;
  h.win().ScriptKey(h.Now() + 1000, vk::Up);
  h.Click(4000, BetweenButtonRect(g.metrics, BetweenButton::Continue));
  h.win().ScriptKey(h.Now() + 8000, vk::Escape);
  GameLoop(g);
  Match& m = g.match;
  ASSERT_EQ(m.session.CurrentLevel, 65);
  ASSERT_EQ(m.level.number, 65);
  // Level 65 won: the flip, "complete_game", the credits, a click, the menu.
  g.flags.LeavePlay = false;
  AllGold(m);
  h.win().ScriptClick(h.Now() + 6000, 600, 500);
  double start = h.Now();
  GameLoop(g);
  EXPECT_TRUE(g.flags.LeavePlay);
  EXPECT_EQ(h.Heard("complete_game"), 1);
  EXPECT_EQ(m.stats.gamesCompleted, 1);
  EXPECT_EQ(m.session.CurrentLevel, 0);
  EXPECT_NEAR(h.Now() - start, 6000, 500) << "the click on the credits ends it";
  EXPECT_EQ(Count(test::ReadText(h.dir.path / "run.log"), "GameCompleteScreen()"), 1);
}

// From the main menu, the bot plays the last levels through every screen until
// the game is over or complete, and keeps going.
TEST(PlayFlow, TheBotPlaysWholeGamesFromTheMenuHeadless) {
  test::TempDir dir;
  RunOptions o;
  o.headless = true;
  o.autoplay = true;
  o.dataDir = dir.str();
  o.gameDir = BM_GAME_DIR;
  o.seedGiven = true;
  o.seed = 3;
  o.level = 64;
  o.maxSeconds = 2400;
  o.reportPath = dir.str() + "/report.json";
  ASSERT_EQ(RunGame(o), 0);
  std::string report = test::ReadText(dir.path / "report.json");
  auto figure = [&](const std::string& key) {
    std::size_t at = report.find("\"" + key + "\": ");
    EXPECT_NE(at, std::string::npos) << key;
    return at == std::string::npos ? -1 : std::stoi(report.substr(at + key.size() + 4));
  };
  EXPECT_EQ(figure("invariant_violations"), 0);
  EXPECT_GE(figure("game_overs") + figure("games_completed"), 1) << report;
  EXPECT_GE(figure("lives_lost"), 3);
  EXPECT_GE(figure("levels_reached"), 64);
  EXPECT_GE(figure("shop_unlocks"), 0);
  EXPECT_GE(figure("shop_upgrades"), 0);
  std::string log = test::ReadText(dir.path / "run.log");
  EXPECT_NE(log.find("BetweenLevelsScreen()"), std::string::npos);
  EXPECT_GE(Count(test::ReadText(dir.path / "run_pnt.log"), "goMainMenu * CP1"), 2) << "back on the menu after a game";
}

}  // namespace
}  // namespace bm

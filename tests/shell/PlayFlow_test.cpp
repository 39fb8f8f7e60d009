// A game's course through the real loops on the virtual clock: a won level's
// flip, the map and shop, the next level; time-ups, the last one ending the
// game; the cheat skip to the last level and the congratulations screen.
#include <gtest/gtest.h>

#include "FlowKit.h"
#include "render/BetweenLevelsDraw.h"
#include "shell/MainMenuScreen.h"
#include "shell/PlayScreen.h"
#include "shell/PlayFrame.h"
#include "shell/Startup.h"
#include "bonus/ShopCatalogue.h"
#include "bonus/ShopItems.h"
#include "bonus/Spawn.h"
#include "match/Carryover.h"
#include "render/ShopLayout.h"
#include "shell/SaveHooks.h"
#include "storage/SaveFolder.h"
#include "saves/SaveGame.h"

namespace bm {
namespace {

// A new game on level n, already past its fly-in.
void StartAt(test::FlowGame& h, int n) {
  NewGame(h.match(), n, h.Now());
  DrainMatchEvents(h.s(), h.play());
}

// Plays the level as it stands, through whatever the match asks for, until
// the play screen pops.
void Play(test::FlowGame& h) { h.Run(std::make_unique<PlayScreen>(h.play(), PlayScreen::Start::AsItStands, h.s().saves, 0)); }

// Plays for a while (the items grow in), then leaves as Escape would.
void PlayFor(test::FlowGame& h, double ms) {
  h.win().ScriptKey(h.Now() + ms, vk::Escape);
  Play(h);
}

void AllGold(Match& m) {
  for (int i = 0; i < kCellCount; ++i)
    if (m.cells[i].IsExists) m.cells[i].Gnd = 1;
}

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (std::size_t at = 0; (at = text.find(what, at)) != std::string::npos; ++at) ++n;
  return n;
}

TEST(PlayFlow, AWonLevelFlipsThenMapAndShopThenTheNextLevel) {
  test::FlowGame h;
  Match& m = h.match();
  const ScreenMetrics& sm = h.s().look.metrics;
  StartAt(h, 8);
  h.s().sound.music.MusicReady = true;
  PlayFor(h, 1000);
  AllGold(m);  // the settled board is complete at once
  h.Click(4000, BetweenButtonRect(sm, BetweenButton::Shop));
  h.Click(5000, BetweenButtonRect(sm, BetweenButton::Continue));
  h.win().ScriptKey(h.Now() + 9000, vk::Escape);
  double start = h.Now();
  Play(h);
  // Level 8 ends stage 1.
  EXPECT_EQ(std::tuple(h.Heard("complete_stage"), h.Heard("complete_level"), h.Heard("ev_map_paper")), std::tuple(1, 0, 1));
  EXPECT_EQ(std::tuple(m.session.CurrentLevel, m.level.Number, m.stats.levelsWon), std::tuple(9, 9, 1));
  EXPECT_FALSE(m.flow.flip.running);
  EXPECT_EQ(m.flow.pending, FlowStep::None);
  EXPECT_GT(m.stats.frames, 100) << "level 9 was played after the fly-in";
  EXPECT_TRUE(h.s().sound.music.Slots[2].Running) << "the second stage's tune";
  EXPECT_GE(h.Now() - start, 9000) << "left by Escape, not by the flow";
  std::string log = test::ReadText(h.dir.path / "run.log");
  EXPECT_EQ(Count(log, "BetweenLevelsScreen() * Level 9"), 1) << log;
}

TEST(PlayFlow, TimeUpWithLivesLeftRestartsTheSameLevelAfterTheShop) {
  test::FlowGame h;
  Match& m = h.match();
  StartAt(h, 5);
  m.level.SandLeft = 0;
  h.Click(6000, BetweenButtonRect(h.s().look.metrics, BetweenButton::Continue));
  h.win().ScriptKey(h.Now() + 10000, vk::Escape);
  Play(h);
  EXPECT_EQ(std::pair(h.Heard("complete_timeisup"), h.Heard("complete_gameover")), std::pair(1, 0));
  EXPECT_EQ(std::tuple(m.session.Lives, m.session.CurrentLevel, m.stats.livesLost), std::tuple(2, 5, 1));
  EXPECT_GT(m.level.SandLeft, 0.9) << "a full hourglass again";
  EXPECT_EQ(Count(test::ReadText(h.dir.path / "run.log"), "BetweenLevelsScreen() * Level 5"), 1)
      << "the shop is offered before a restart too";
}

TEST(PlayFlow, TheFourthTimeUpEndsTheGameAndEntersItsScore) {
  test::FlowGame h;
  Match& m = h.match();
  StartAt(h, 12);
  m.session.Lives = 0;  // three time-ups already
  m.session.Score = m.board.Score = 4321;
  m.level.SandLeft = 0;
  Play(h);
  EXPECT_FALSE(h.s().loop.ExitRequested) << "back to the main menu";
  EXPECT_EQ(std::pair(h.Heard("complete_timeisup"), h.Heard("complete_gameover")), std::pair(1, 1));
  EXPECT_EQ(std::tuple(m.stats.gameOvers, m.session.Lives, m.session.Score, m.session.CurrentLevel), std::tuple(1, 3, 0, 0));
  EXPECT_LT(h.Now(), 20000) << "no screen between the caption and the menu";
  SaveFolder folder = h.s().saves.Folder();
  SaveData data;
  LoadHighScores(folder, data);
  bool entered = false;
  for (const HighScoreEntry& e : data.scores.entry) entered |= e.EntryScore == "4321";
  EXPECT_TRUE(entered) << "the lost game's score is in the table";
}

TEST(PlayFlow, TheCheatSkipToTheLastLevelEndsOnTheCongratulations) {
  test::FlowGame h;
  Match& m = h.match();
  StartAt(h, 64);
  h.s().loop.Input.CheatMode = true;
  h.win().ScriptKey(h.Now() + 1000, vk::PageUp);
  h.Click(4000, BetweenButtonRect(h.s().look.metrics, BetweenButton::Continue));
  h.win().ScriptKey(h.Now() + 8000, vk::Escape);
  Play(h);
  ASSERT_EQ(m.session.CurrentLevel, 65);
  ASSERT_EQ(m.level.Number, 65);
  // Level 65 won: the flip, "complete_game", the credits, a click, the menu.
  AllGold(m);
  h.win().ScriptClick(h.Now() + 6000, 600, 500);
  double start = h.Now();
  Play(h);
  EXPECT_FALSE(h.s().loop.ExitRequested);
  EXPECT_EQ(std::tuple(h.Heard("complete_game"), m.stats.gamesCompleted, m.session.CurrentLevel), std::tuple(1, 1, 0));
  EXPECT_NEAR(h.Now() - start, 6000, 500) << "the click on the credits ends it";
  EXPECT_EQ(Count(test::ReadText(h.dir.path / "run.log"), "GameCompleteScreen()"), 1);
}

SaveFolder FolderOf(test::FlowGame& h) { return SaveFolder{h.s().options.dataDir, BM_GAME_DIR, nullptr, {}}; }

void NamePlayer(test::FlowGame& h, const std::string& name) {
  SaveFolder f = FolderOf(h);
  PrepareSaveFolder(f);
  SaveData d;
  d.players.slot[1].Name = name;
  ASSERT_TRUE(SavePlayers(f, d));
}

// Closing the program on the map after a time-up keeps the level to restart,
// fresh: the save never holds an empty hourglass that would cost a second life.
TEST(PlayFlow, ClosingOnTheMapAfterATimeUpSavesTheLevelAfreshAndAnEndedGameIsNotOffered) {
  test::FlowGame h;
  NamePlayer(h, "Ann");
  StartAt(h, 5);
  h.match().level.SandLeft = 0;
  h.win().Script({ScriptEvent::Close, h.Now() + 5000});
  EXPECT_EQ(h.Run(std::make_unique<PlayScreen>(h.play(), PlayScreen::Start::AsItStands, h.s().saves, 0)), PlayAnswer::Played);
  ASSERT_TRUE(h.s().loop.ExitRequested);
  LeftPlay(h.s().saves, h.match());
  SaveFolder f = FolderOf(h);
  SaveData d;
  LoadPlayers(f, d);
  const PlayerRecord& p = d.players.CurrentRecord();
  EXPECT_EQ(p.GameLevel, 5);
  EXPECT_EQ(p.GameLives, 2);
  EXPECT_GT(p.TimeLeft, 0.9) << "a full hourglass to restart with";
  // The window closed in the very pass the last level's flip ended: the game is over, and the menu is left no game to continue.
  test::FlowGame ended;
  NamePlayer(ended, "Ann");
  StartAt(ended, 65);
  LeftPlay(ended.s().saves, ended.match());
  EXPECT_TRUE(HasGameToContinue(ended.s().saves));
  ended.match().session.Ended = true;
  LeftPlay(ended.s().saves, ended.match());
  EXPECT_FALSE(HasGameToContinue(ended.s().saves));
}

// Demos and soaks: a new game with every item open at its top grades, the
// power only for the first four; a name-less player is shown the tips.
TEST(PlayFlow, AllBonusesOpensTheWholeShopForTheNewGame) {
  test::FlowGame h;
  h.s().options.allBonuses = true;
  StartNewGame(h.s().saves, h.match(), 3);
  const std::size_t slot = std::size_t(h.match().itemSlot);
  for (int item = 1; item <= kShopItems; ++item) {
    EXPECT_EQ(Lock(h.match().items.items[slot], item).Flag, 0) << item;
    EXPECT_EQ(h.match().items.grades[slot].ChanceGrade[std::size_t(item)], 3) << item;
    EXPECT_EQ(h.match().items.grades[slot].PowerGrade[std::size_t(item)], item <= 4 ? 3 : 0) << item;
  }
  EXPECT_TRUE(h.match().player.tipsOn);
}

// "Play" clicked on the main menu, its question (if any) answered by the keys
// scripted: the game the player chose set up, up to its first pass of play.
bool PlaySetUp(test::FlowGame& h) {
  h.Click(100, MainMenuItemRect(h.s().look.metrics, menu::Play));
  MainMenuView view;
  Answer choice = h.Run(std::make_unique<MainMenuScreen>(view, h.s()));
  if (choice == MenuAnswer::Exit) return false;
  ScreenStack stack(h.s());
  stack.Open(std::make_unique<PlayScreen>(
      h.play(), choice == MenuAnswer::Continue ? PlayScreen::Start::SavedGame : PlayScreen::Start::NewGame, h.s().saves,
      h.s().options.level));
  while (std::string(stack.Top()) != "Play" && stack.Step()) stack.Pace();
  return !h.s().loop.ExitRequested;
}

// A player with a saved game is asked; Continue puts back the board as it was
// left without a fly-in, New Game enters the abandoned score and starts afresh.
TEST(PlayFlow, TheSavedGameIsContinuedOrGivenUpForANewOne) {
  test::FlowGame h;
  Match& m = h.match();
  NamePlayer(h, "Ann");
  h.s().options.level = 5;
  ASSERT_TRUE(PlaySetUp(h)) << "no saved game yet: a new game without a question";
  EXPECT_EQ(m.session.CurrentLevel, 5);
  PlayFor(h, 3000);
  m.session.Score = m.board.Score = 777;
  const double sand = m.level.SandLeft;
  const std::uint64_t hash = BoardHash(m.cells);
  SaveLeftLevel(h.s().saves, m);

  NewGame(m, 2, h.Now());  // whatever was played since
  h.win().ScriptKey(h.Now() + 300, vk::Enter);  // "Continue"
  double asked = h.Now();
  ASSERT_TRUE(PlaySetUp(h));
  EXPECT_LT(h.Now() - asked, 1000) << "no fly-in after Continue";
  EXPECT_EQ(std::tuple(m.session.CurrentLevel, m.session.Score, BoardHash(m.cells), m.level.SandLeft),
            std::tuple(5, 777, hash, sand));

  // Escape only closes the question: the menu stays, and Play asks again.
  h.win().ScriptKey(h.Now() + 300, vk::Escape);
  h.Click(900, MainMenuItemRect(h.s().look.metrics, menu::Play));
  h.win().ScriptKey(h.Now() + 1500, vk::Enter);  // "Continue"
  ASSERT_TRUE(PlaySetUp(h));
  EXPECT_EQ(m.session.CurrentLevel, 5) << "the saved game was kept";
  EXPECT_EQ(m.session.Score, 777);

  h.win().ScriptKey(h.Now() + 300, vk::Left);  // marks "New Game"
  h.win().ScriptKey(h.Now() + 400, vk::Space);
  ASSERT_TRUE(PlaySetUp(h));
  EXPECT_EQ(m.session.Score, 0);
  EXPECT_EQ(m.session.Lives, 3);
  SaveFolder f = FolderOf(h);
  SaveData d;
  LoadHighScores(f, d);
  bool entered = false;
  for (const HighScoreEntry& e : d.scores.entry) entered |= e.EntryScore == "777" && e.EntryName == "Ann";
  EXPECT_TRUE(entered) << "the abandoned game's score is in the table";
  LoadMapPoints(f, d);
  EXPECT_NE(d.map.point[9].X, 0) << "the new game's shop reset keeps the map's points";

  // Nothing saved since the new game began: no question, a new game at once.
  EndGameRecords(f, d, 0, false);
  double before = h.Now();
  ASSERT_TRUE(PlaySetUp(h));
  EXPECT_GT(h.Now() - before, 500) << "a new game flies its board in";
}

// The shop through the real screen: a found key dragged onto its lock opens
// the item; leaving saves the item files, and the match's chances follow.
TEST(PlayFlow, AKeyDraggedInTheShopOpensItsItemForTheNextLevel) {
  test::FlowGame h;
  Match& m = h.match();
  StartAt(h, 2);
  ItemStatus status = m.items;
  Key(status.items[std::size_t(m.itemSlot)], 3).Flag = -1;  // key 3 was found
  SetShopState(m, status, m.itemSlot, h.Now());
  ASSERT_EQ(m.bonus.BonusChance[std::size_t(ShopItemCode(3))], 0);
  PlayFor(h, 500);
  AllGold(m);
  const ScreenMetrics& sm = h.s().look.metrics;
  h.Click(3000, BetweenButtonRect(sm, BetweenButton::Shop));
  const PlacedObject& key = Key(m.items.items[std::size_t(m.itemSlot)], 3);
  const double kx = key.HomeX * sm.XScale, ky = key.HomeY * sm.YScale;
  const double ix = ShopItemX(3) * sm.XScale, iy = ShopItemY(3) * sm.YScale;
  const double t = h.Now() + 4000;
  h.win().Script({ScriptEvent::Move, t, kx, ky});
  h.win().Script({ScriptEvent::ButtonDown, t + 100, kx, ky, 1});
  h.win().Script({ScriptEvent::Move, t + 300, (kx + ix) / 2, (ky + iy) / 2});
  h.win().Script({ScriptEvent::Move, t + 500, ix, iy});
  h.win().Script({ScriptEvent::ButtonUp, t + 700, ix, iy, 1});
  h.Click(5500, BetweenButtonRect(sm, BetweenButton::Continue));
  h.win().ScriptKey(h.Now() + 9000, vk::Escape);
  Play(h);
  EXPECT_EQ(std::tuple(m.session.CurrentLevel, h.Heard("ev_shop_key_take"), h.Heard("ev_shop_open")), std::tuple(3, 1, 1));
  EXPECT_EQ(Lock(m.items.items[std::size_t(m.itemSlot)], 3).Flag, 0) << "the match holds the open lock";
  EXPECT_GT(m.bonus.BonusChance[std::size_t(ShopItemCode(3))], 0) << "and can draw the item";
  EXPECT_EQ(m.stats.shopUnlocks, 1);
  SaveFolder f = FolderOf(h);
  SaveData d;
  LoadPlayers(f, d);
  LoadItemStatus(f, d);
  EXPECT_EQ(Lock(d.items.items[std::size_t(d.players.Current())], 3).Flag, 0) << "saved on leaving the map";
  // The map's points are the ones of the map point file.
  LoadMapPoints(f, d);
  EXPECT_EQ(h.play().between.points[9], d.map.point[9]);
  EXPECT_NE(d.map.point[9].X, 0);
}

}  // namespace
}  // namespace bm

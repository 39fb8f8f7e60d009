// The players screen, the name box and the high-score table on the headless loop.
#include <gtest/gtest.h>

#include "ScreenHarness.h"
#include "render/DialogDraw.h"
#include "render/RosterDraw.h"
#include "shell/HighScoresScreen.h"
#include "shell/NameBoxScreen.h"
#include "shell/PlayersScreen.h"

namespace bm {
namespace {

using test::ScreenHarness;

PlayerTable Players(std::initializer_list<const char*> names) {
  PlayerTable t = EmptyPlayers();
  int s = 1;
  for (const char* n : names) t.slot[std::size_t(s++)].Name = n;
  t.SetCurrent(1);
  return t;
}

struct RosterHarness : ScreenHarness {
  int saves = 0;
  std::vector<int> forgotten;
  PlayerTable players;
  void RunPlayers() {
    Deadline(now() + 60000);
    Run(std::make_unique<PlayersScreen>(players, [&] { ++saves; }, [&](int s) { forgotten.push_back(s); }));
    EXPECT_FALSE(s().loop.ExitRequested) << "the screen ended by itself";
  }
};

TEST(PlayersScreen, ChooseAPlayerThenOkAndDeleteAsksAndOnlyContinueDeletes) {
  RosterHarness h;
  h.players = Players({"Anne", "Bo"});
  h.players.slot[2].GameScore = 500;
  h.players.slot[2].MaxLevel = 7;
  const ScreenMetrics& m = h.s().look.metrics;
  double t = h.now();
  h.Click(t + 100, RosterDeleteRect(m, 1));
  h.Key(t + 600, vk::Escape);  // Bo stays
  h.Click(t + 1000, RosterDeleteRect(m, 1));
  h.Click(t + 1500, LayoutTwoButtonDialog(m).buttons[1]);  // "CONTINUE"
  h.Key(t + 2000, vk::Escape);  // leaves the screen
  h.RunPlayers();
  EXPECT_EQ(h.players.slot[1].Name, "Anne");
  EXPECT_EQ(h.players.slot[2].Name, "");
  EXPECT_EQ(h.players.slot[2].MaxLevel, 0) << "the game progress goes with the name";
  EXPECT_EQ(h.forgotten, std::vector<int>{2});
  EXPECT_EQ(h.saves, 1) << "saved after the deletion; Escape closes without another save";
  // A player chosen, then OK.
  RosterHarness chosen;
  chosen.players = Players({"Anne", "Bo", "Cyd"});
  const ScreenMetrics& cm = chosen.s().look.metrics;
  chosen.Click(chosen.now() + 100, RosterLineRect(cm, 1));
  chosen.Click(chosen.now() + 300, RosterButtonRect(cm, roster::Ok));
  chosen.RunPlayers();
  EXPECT_EQ(chosen.players.Current(), 2);
  EXPECT_EQ(chosen.saves, 1);
}

TEST(PlayersScreen, KeysAloneChooseDeleteByTheMarkAddAndLeave) {
  RosterHarness h;
  h.players = Players({"Anne", "Bo", "Cyd"});
  double t = h.now();
  h.Key(t + 100, vk::Down);  // Anne
  h.Key(t + 200, vk::Down);  // Bo
  h.Key(t + 300, vk::Enter);  // Bo plays
  h.Key(t + 400, vk::Down);  // Cyd
  h.Key(t + 500, vk::Right);  // Cyd's delete mark
  h.Key(t + 600, vk::Enter);
  h.Key(t + 1000, vk::Left);  // marks "CONTINUE"
  h.Key(t + 1100, vk::Space);
  // Two lines left: the focus's third place is now "Add new player name".
  h.Key(t + 1500, vk::Up);  // Bo, on his line again
  h.Key(t + 1600, vk::Enter);
  h.Key(t + 1700, vk::Down);  // "Add new player name"
  h.Key(t + 1800, vk::Enter);
  h.w().Script({ScriptEvent::Text, t + 2300, 0, 0, 0, "Dee"});
  h.Key(t + 2400, vk::Enter);
  // Anne, Bo, Dee: the third place is Dee's line.
  h.Key(t + 2800, vk::Down);
  h.Key(t + 2900, vk::Down);  // "OK"
  h.Key(t + 3000, vk::Enter);
  h.RunPlayers();
  EXPECT_EQ(h.players.slot[3].Name, "Dee") << "Cyd's slot, freed by the mark, takes the new name";
  EXPECT_EQ(h.players.slot[2].Name, "Bo");
  EXPECT_EQ(h.players.Current(), 3);
  EXPECT_EQ(h.forgotten, std::vector<int>{3});
  EXPECT_EQ(h.saves, 3) << "after the deletion, the new name and OK";
}

TEST(PlayersScreen, TenPlayersLeaveNoRoomAndANewNameTakesTheFirstFreeSlot) {
  RosterHarness h;
  h.players = Players({"A", "B", "C", "D", "E", "F", "G", "H", "I", "J"});
  const ScreenMetrics& m = h.s().look.metrics;
  h.Click(h.now() + 100, RosterButtonRect(m, roster::Add));
  h.Click(h.now() + 400, RosterButtonRect(m, roster::Ok));
  h.RunPlayers();
  EXPECT_EQ(h.players.Current(), 1) << "no name box opened, nothing changed";

  RosterHarness k;
  k.players = Players({"A", "B", "C"});
  k.players.slot[2].Name.clear();  // slot 2 free
  double t = k.now();
  k.Click(t + 100, RosterButtonRect(m, roster::Add));
  k.w().Script({ScriptEvent::Text, t + 300, 0, 0, 0, "Zed"});
  k.Key(t + 400, vk::Enter);
  k.Key(t + 800, vk::Escape);
  k.RunPlayers();
  EXPECT_EQ(k.players.slot[2].Name, "Zed");
  EXPECT_EQ(k.players.slot[2].Deleted, 0) << "a new player is not marked deleted";
  EXPECT_EQ(k.players.slot[2].ShowTips, kTrue);
  EXPECT_EQ(k.players.Current(), 2);
  EXPECT_EQ(k.saves, 1);
}

TEST(NameBox, LimitsEmptyNamesAndEscape) {
  ScreenHarness h;
  double t = h.now();
  h.Click(t + 100, NameBoxButtonRect(h.s().look.metrics, namebox::Ok));  // empty: "Enter your name first!"
  h.Key(t + 150, vk::Enter);   // empty: the same
  h.Key(t + 200, vk::Escape);  // not allowed here
  h.w().Script({ScriptEvent::Text, t + 300, 0, 0, 0, "Abcdefghij~_klmnopqrst"});
  h.Key(t + 400, vk::Backspace);
  h.Key(t + 500, vk::Enter);
  h.Deadline(t + 10000);
  std::string name;
  EXPECT_EQ(h.Run(std::make_unique<NameBoxScreen>(&name, false)), NameAnswer::Given);
  EXPECT_EQ(name, "Abcdefghijkl") << "cut to 15, the characters the font lacks (and the cursor's) dropped, one erased";

  h.w().Script({ScriptEvent::Text, h.now() + 100, 0, 0, 0, "Kim"});
  h.Click(h.now() + 300, NameBoxButtonRect(h.s().look.metrics, namebox::Cancel));
  h.Deadline(h.now() + 10000);
  std::string other = "Old";
  EXPECT_EQ(h.Run(std::make_unique<NameBoxScreen>(&other, true)), NameAnswer::Cancelled);
  EXPECT_EQ(other, "Old");
  EXPECT_FALSE(h.s().loop.ExitRequested);
}

TEST(HighScoresScreen, ResetOnlyAfterOk) {
  ScreenHarness h;
  HighScoreTable t = EmptyHighScores();
  EnterHighScore(t, "Anne", 900);
  int saves = 0;
  IRect reset = HighScoreButtonRect(h.s().look.metrics, scores::Reset);
  double at = h.now();
  h.Click(at + 100, reset);
  h.Key(at + 600, vk::Escape);  // "CANCEL"
  h.Click(at + 1000, HighScoreButtonRect(h.s().look.metrics, scores::Back));
  h.Deadline(at + 20000);
  h.Run(std::make_unique<HighScoresScreen>(t, [&] { ++saves; }));
  EXPECT_EQ(t.entry[1].EntryName, "Anne");
  EXPECT_EQ(saves, 0);

  at = h.now();
  h.Key(at + 100, vk::Right);  // the keyboard picks "RESET"
  h.Key(at + 200, vk::Enter);
  h.Key(at + 600, vk::Left);  // marks "OK"
  h.Key(at + 700, vk::Space);
  h.Key(at + 1200, vk::Escape);
  h.Deadline(at + 20000);
  h.Run(std::make_unique<HighScoresScreen>(t, [&] { ++saves; }));
  EXPECT_EQ(t.entry[1], (HighScoreEntry{"NONAME", "200000"}));
  EXPECT_EQ(std::pair(saves, h.s().loop.ExitRequested), std::pair(1, false));
}

}  // namespace
}  // namespace bm

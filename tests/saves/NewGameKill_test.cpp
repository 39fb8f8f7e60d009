// "New Game" killed at random moments: the next start always continues one
// whole game, the old one or the new one, never a mix of the two.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <iostream>
#include <random>
#include <thread>

#include "io/AtomicWrite.h"
#include "saves/SaveGame.h"
#include "storage/BoardFile.h"
#include "tests/TempDir.h"

namespace bm {
namespace {

using test::TempDir;

// Mary's game on level 12: a score, stocks, tips seen, a key found and an item
// open in the shop, a saved board.
void WriteOldGame(SaveFolder& f) {
  SaveData d;
  PlayerRecord& p = d.players.slot[1];
  p.Name = "Mary";
  p.GameLevel = 12;
  p.MaxLevel = 14;
  p.GameScore = 250000;
  p.GameLives = 2;
  p.TimeLeft = 0.5;
  p.BonusStock = {1, 2, 3, 0, 1};
  p.TipShown[3] = kTrue;
  d.players.SetCurrent(1);
  Key(d.items.items[1], 2).Flag = kTrue;
  Lock(d.items.items[1], 4).Flag = kFalse;
  d.items.grades[1].ChanceGrade[4] = 2;
  ResetHighScoreEntries(d.scores);
  ASSERT_TRUE(SavePlayers(f, d));
  ASSERT_TRUE(SaveHighScores(f, d));
  ASSERT_TRUE(SaveItemStatus(f, d));
  ASSERT_TRUE(WriteFileAtomic(f.SavesPath(BoardFileName(1)), "the level 12 board"));
}

enum class Found { Old, New, Mix };

// What the next start continues, after it has finished a new game cut short.
Found NextStart(SaveFolder& f, std::string& why) {
  SaveData d;
  LoadPlayers(f, d);
  LoadItemStatus(f, d);
  LoadMapPoints(f, d);
  FinishNewGame(f, d);
  SaveData after;  // read back as the game would
  LoadPlayers(f, after);
  LoadItemStatus(f, after);
  LoadHighScores(f, after);
  const PlayerRecord& p = after.players.CurrentRecord();
  const bool board = std::filesystem::exists(f.SavesPath(BoardFileName(1)));
  const auto& table = after.scores.entry;
  const long entered = std::count(table.begin() + 1, table.end(), HighScoreEntry{"Mary", "250000"});
  const bool shopOld = Key(after.items.items[1], 2).Flag == kTrue && Lock(after.items.items[1], 4).Flag == kFalse &&
                       after.items.grades[1].ChanceGrade[4] == 2;
  const bool shopNew = after.items.items[1] == NewGameItems() && after.items.grades[1].ChanceGrade[4] == 0;
  const bool old = p.GameLevel == 12 && p.MaxLevel == 14 && p.GameScore == 250000 && p.GameLives == 2 &&
                   p.BonusStock[2] == 3 && p.TipShown[3] == kTrue && shopOld && board && entered == 0;
  const bool fresh = p.GameLevel == 1 && p.MaxLevel == 1 && p.GameScore == 0 && p.GameLives == 3 &&
                     p.TimeLeft == 1.0 && p.BonusStock[2] == 0 && p.TipShown[3] == kFalse && shopNew && !board &&
                     entered == 1 && p.NewGamePending == kFalse;
  why = "level " + std::to_string(p.GameLevel) + ", max " + std::to_string(p.MaxLevel) + ", score " +
        std::to_string(p.GameScore) + ", lives " + std::to_string(p.GameLives) + ", shuffles " +
        std::to_string(p.BonusStock[2]) + ", shop " + (shopOld ? "old" : shopNew ? "new" : "mixed") + ", board " +
        (board ? "kept" : "gone") + ", entered " + std::to_string(entered) + " times";
  return old ? Found::Old : fresh ? Found::New : Found::Mix;
}

[[noreturn]] void NewGameIn(const std::string& dir) {
  SaveFolder f{dir, dir, nullptr};
  SaveData d;
  LoadPlayers(f, d);
  LoadItemStatus(f, d);
  LoadMapPoints(f, d);
  StartNewGameRecords(f, d, 1);
  ::_exit(0);
}

TEST(NewGameKill, EveryStartAfterAKillContinuesOneWholeGame) {
  TempDir dir;
  SaveFolder f{dir.str(), dir.str(), nullptr};
  PrepareSaveFolder(f);
  // How long a whole start takes here: the kills are spread over it.
  WriteOldGame(f);
  auto begin = std::chrono::steady_clock::now();
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) NewGameIn(dir.str());
  int status = 0;
  waitpid(child, &status, 0);
  const int spanUs = int(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - begin).count());
  std::string why;
  ASSERT_EQ(NextStart(f, why), Found::New) << why;

  std::mt19937 random(20);
  int found[3] = {0, 0, 0};
  for (int kill = 0; kill < 60; ++kill) {
    WriteOldGame(f);
    child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) NewGameIn(dir.str());
    std::this_thread::sleep_for(std::chrono::microseconds(std::uniform_int_distribution<int>(0, spanUs)(random)));
    ::kill(child, SIGKILL);
    waitpid(child, &status, 0);
    const Found what = NextStart(f, why);
    ++found[int(what)];
    EXPECT_NE(what, Found::Mix) << "kill " << kill << ": " << why;
    PrepareSaveFolder(f);  // the next start clears the killed writer's temporary files
  }
  std::cout << "[ figures  ] 60 kills over " << spanUs << " us: " << found[0] << " old games, " << found[1]
            << " new games, " << found[2] << " mixed\n";
  EXPECT_GT(found[0] + found[1], 50);
}

}  // namespace
}  // namespace bm

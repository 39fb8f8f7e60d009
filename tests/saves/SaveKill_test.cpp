// Every save the game makes, stopped at every one of its steps (killed there,
// or the disk full from that write on): the next start continues one whole
// game, the one before the save or the one after it, never a mix of the two.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <iostream>
#include <memory>

#include "io/AtomicWrite.h"
#include "match/Match.h"
#include "saves/SaveGame.h"
#include "storage/BoardFile.h"
#include "tests/TempDir.h"

namespace bm {
namespace {

using test::TempDir;

// What a start finds, read back as the game reads it.
struct Game {
  int level = 0, maxLevel = 0, score = 0, lives = 0, shuffles = 0;
  std::string board;  // the board file's bytes, "" when there is none
  bool key2 = false, key3 = false, shopReset = false;
  long entered = 0;  // Mary's 250000 in the high scores
  bool operator==(const Game&) const = default;
};

std::ostream& operator<<(std::ostream& o, const Game& g) {
  return o << "level " << g.level << "/" << g.maxLevel << ", score " << g.score << ", lives " << g.lives
           << ", shuffles " << g.shuffles << ", board " << g.board.size() << " bytes, keys " << g.key2 << g.key3
           << (g.shopReset ? ", shop reset" : "") << ", entered " << g.entered;
}

Game NextStart(SaveFolder& f) {
  SettleSaves(f);
  SaveData d;
  LoadPlayers(f, d);
  LoadItemStatus(f, d);
  LoadMapPoints(f, d);
  FinishNewGame(f, d);
  SaveData after;
  LoadPlayers(f, after);
  LoadItemStatus(f, after);
  LoadHighScores(f, after);
  const PlayerRecord& p = after.players.CurrentRecord();
  const ItemRecord& items = after.items.items[1];
  const SavedRead board = ReadSaved(f.Base(), SavedName(kGenerationFile), SavedName(BoardFileName(1)), 1 << 20);
  const auto& table = after.scores.entry;
  return {p.GameLevel, p.MaxLevel, p.GameScore, p.GameLives, p.BonusStock[2], board.read.bytes,
          Key(items, 2).Flag == kTrue, Key(items, 3).Flag == kTrue, items == NewGameItems(),
          std::count(table.begin() + 1, table.end(), HighScoreEntry{"Mary", "250000"})};
}

// Mary's game on level 12: a score, stocks, a key found and an item open, a board.
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
  d.players.SetCurrent(1);
  Key(d.items.items[1], 2).Flag = kTrue;
  Lock(d.items.items[1], 4).Flag = kFalse;
  ResetHighScoreEntries(d.scores);
  SaveSet save = NewSave(f);
  PutPlayers(save, d);
  PutHighScores(save, d);
  PutItemStatus(save, d);
  save.Put(SavedName(BoardFileName(1)), "the level 12 board");
  ASSERT_TRUE(CommitSave(f, "test", save));
}

const Game kOld{12, 14, 250000, 2, 3, "the level 12 board", true, false, false, 0};

struct Case {
  const char* save;
  std::function<void(SaveFolder&, SaveData&)> run;
  Game after;
};

TEST(SaveKill, EveryStepOfEverySaveLeavesOneWholeGame) {
  // Leaving level 13 with 260000, one life and key 3 found.
  auto m = std::make_unique<Match>(5, std::string(BM_GAME_DIR) + "/levels");
  NewGame(*m, 13, 1000);
  m->session.Score = 260000;
  m->session.Lives = 1;
  m->player.shuffleCount = 3;
  Key(m->items.items[1], 2).Flag = kTrue;
  Key(m->items.items[1], 3).Flag = kTrue;
  m->itemSlot = 1;
  const std::string board13 = EncodeBoard(m->cells);
  const std::vector<Case> cases = {
      {"leaving a level", [&](SaveFolder& f, SaveData& d) { SaveGame(f, d, *m); },
       {13, 14, 260000, 1, 3, board13, true, true, false, 0}},
      {"New Game", [](SaveFolder& f, SaveData& d) { StartNewGameRecords(f, d, 1); },
       {1, 1, 0, 3, 0, "", false, false, true, 1}},
      {"leaving the shop",
       [](SaveFolder& f, SaveData& d) {
         Key(d.items.items[1], 3).Flag = kTrue;
         SaveItemStatus(f, d);
       },
       {12, 14, 250000, 2, 3, "the level 12 board", true, true, false, 0}},
      {"game over", [](SaveFolder& f, SaveData& d) { EndGameRecords(f, d, 250000, true); },
       {0, 0, 0, 2, 3, "the level 12 board", true, false, false, 1}},
  };
  int tried = 0, old = 0;
  for (const Case& c : cases) {
    for (SaveFault fault : {SaveFault::Kill, SaveFault::Full}) {
      for (long step = 1;; ++step) {
        TempDir dir(true);
        SaveFolder f{dir.str(), dir.str(), nullptr};
        PrepareSaveFolder(f);
        WriteOldGame(f);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
          SaveData d;
          LoadPlayers(f, d);
          LoadItemStatus(f, d);
          LoadMapPoints(f, d);
          SetSaveFault(fault, step);
          c.run(f, d);
          _exit(SaveStepsTaken() < step ? 0 : 1);
        }
        int status = 0;
        waitpid(child, &status, 0);
        ++tried;
        const Game found = NextStart(f);
        old += found == kOld;
        EXPECT_TRUE(found == kOld || found == c.after)
            << c.save << (fault == SaveFault::Kill ? ", killed at step " : ", disk full at step ") << step << ": "
            << found;
        if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {  // the step was never reached: the save ran whole
          EXPECT_EQ(found, c.after) << c.save;
          break;
        }
      }
    }
  }
  std::cout << "[ figures  ] " << tried << " saves stopped at a step: " << old << " continued the game before, "
            << tried - old << " the game after, none a mix\n";
}

}  // namespace
}  // namespace bm

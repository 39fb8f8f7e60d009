// Recorded input played again: the same board, the same figures.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "match/Carryover.h"
#include "match/Match.h"
#include "match/Tape.h"
#include "shell/Startup.h"
#include "storage/ItemStatus.h"
#include "storage/SaveFolder.h"
#include "tests/shell/HeadlessBot.h"

namespace bm {
namespace {

TEST(Replay, ATapeReadsBackWhatWasWrittenAndAGarbledOneIsRefusedWithAReason) {
  test::TempDir dir;
  std::string path = (dir.path / "t.tape").string();
  TapeWriter w;
  ASSERT_TRUE(w.Open(path, 77, true, nullptr));
  MatchInput in;
  in.now = 1234.0000000001;
  in.pointerX = 10.25;
  in.pointerY = -1;
  in.leftDown = true;
  in.pointerInClient = false;
  in.keys = mkey::CheatMode | mkey::Digit(10);
  in.screenW = 800;
  in.screenH = 600;
  in.pointerOverGame = true;
  // Each button and pointer flag the other way round in a second frame.
  MatchInput other = in;
  other.leftDown = false;
  other.rightDown = true;
  other.pointerInClient = true;
  other.pointerOverGame = false;
  w.Write({'N', 7, MatchInput{99.5}});
  w.Write({'F', 0, in});
  w.Write({'F', 0, other});
  w.Write({'R', 0, MatchInput{2000}});
  TapeStep board{'D', 0, MatchInput{2500}};
  board.blob = std::string("\x00\xff\x10 a", 5);
  w.Write(board);
  TapeStep between{'B', 0, MatchInput{3000}};
  between.values = {9};
  w.Write(between);
  EXPECT_FALSE(std::ifstream(path).good()) << "the tape appears only once it is complete";
  ASSERT_TRUE(w.Close(nullptr));
  Tape t;
  std::string error;
  ASSERT_TRUE(ReadTape(path, t, &error)) << error;
  EXPECT_EQ(std::pair(t.seed, t.invariants), std::pair(std::uint64_t(77), true));
  ASSERT_EQ(t.steps.size(), 6u);
  EXPECT_EQ(t.steps[0].level, 7);
  EXPECT_TRUE(t.steps[1].in == in && t.steps[2].in == other);
  EXPECT_EQ(t.steps[4].blob, board.blob) << "bytes of every value survive";
  EXPECT_EQ(std::tuple(t.steps[3].in.now, t.steps[5].values, t.steps[5].in.now), std::tuple(2000.0, between.values, 3000.0));
  // A garbled or missing tape is refused with a reason.
  EXPECT_FALSE(ReadTape("/nonexistent/x.tape", t, &error));
  EXPECT_FALSE(error.empty());
  for (const char* text : {"", "brinemoor-tape 1\n", "brinemoor-tape 1\nseed 1 invariants 0\nF 1 2\n",
                           "brinemoor-tape 1\nseed 1 invariants 0\nN 99 0 1280 1024\n",
                           "brinemoor-tape 1\nseed 1 invariants 0\nF nan 1 1 0 0 1280 1024\n",
                           "brinemoor-tape 1\nseed 1 invariants 0\nF 1 1 1 0 0 0 1024\n", "other 1\n",
                           "brinemoor-tape 1\nseed 1 invariants 0\nL\n",
                           "brinemoor-tape 1\nseed 1 invariants 0\nB 10 3 4\n",
                           "brinemoor-tape 1\nseed 1 invariants 0\nP 10 1 2 3\n",
                           "brinemoor-tape 1\nseed 1 invariants 0\nD 10 abc\n",
                           "brinemoor-tape 1\nseed 1 invariants 0\nD 10 zz\n",
                           "brinemoor-tape 1\nseed 1 invariants 0\nC 10 1 2 3 inf 5\n",
                           "brinemoor-tape 1\nseed 1 invariants 0\nX 10\n"}) {
    error.clear();
    EXPECT_FALSE(ParseTape(text, t, &error)) << text;
    EXPECT_FALSE(error.empty()) << text;
  }
}

// What the screens hand the match comes back from the tape: the player's
// stocks, flags and tips, the shop's locks, stars and grades.
TEST(Replay, ThePlayerAndTheShopComeBackFromATape) {
  test::TempDir dir;
  const std::string path = (dir.path / "s.tape").string();
  TapeWriter w;
  ASSERT_TRUE(w.Open(path, 5, false, nullptr));
  Match a(5);
  a.tape = &w;
  BoardPlayer p = a.player;
  p.rumSwap = true;
  p.sunCount = 3;
  p.tipSeen[4] = true;
  SetMatchPlayer(a, p, 100);
  ItemStatus st = NewGameItemStatus();
  SetShopState(a, st, 2, 150);
  st.stars[2].Object[3].Flag = -1;
  Lock(st.items[2], 5).Flag = 0;
  st.grades[2].ChanceGrade[5] = 2;
  SetShopState(a, st, 2, 200);
  SetShopState(a, st, 2, 300);  // the same shop again: nothing newly opened or raised
  ASSERT_TRUE(w.Close(nullptr));
  EXPECT_EQ(a.stats.shopUnlocks, 1);
  EXPECT_EQ(a.stats.shopUpgrades, 2);
  Tape t;
  ASSERT_TRUE(ReadTape(path, t, nullptr));
  Match b(5);
  PlayTape(b, t, {});
  EXPECT_TRUE(b.player.rumSwap && b.player.tipSeen[4]);
  EXPECT_EQ(std::pair(b.player.sunCount, b.itemSlot), std::pair(3, 2));
  EXPECT_EQ(std::tuple(int(b.items.stars[2].Object[3].Flag), int(Lock(b.items.items[2], 5).Flag),
                       int(b.items.grades[2].ChanceGrade[5])), std::tuple(-1, 0, 2));
}

// Everything the report says about the game, up to the level reached.
std::string WholeGameFields(const std::string& report) {
  auto at = report.find("\"levels_reached\"");
  return at == std::string::npos ? std::string() : report.substr(0, report.find('\n', at));
}

// The bot's game through level ends, time-ups, the map and the shop, a level
// left mid-way and continued from its saved board: the tape holds what each
// screen handed the match, and the replay ends on the same game.
TEST(Replay, AGameAcrossLevelEndsTheShopAndAContinueReplays) {
  test::TempDir dir;
  {
    SaveFolder f{dir.str(), BM_GAME_DIR, nullptr};
    PrepareSaveFolder(f);
    SaveData d;
    d.players.slot[1].Name = "Bot";
    ASSERT_TRUE(SavePlayers(f, d));
  }
  RunOptions o = test::HeadlessBot(dir, 11, 900);
  o.allBonuses = true;
  o.botLeaveSeconds = 100;
  o.level = 7;
  o.reportPath = (dir.path / "game.json").string();
  o.recordPath = (dir.path / "game.tape").string();
  ASSERT_EQ(RunGame(o), 0);
  const std::string tape = test::ReadText(dir.path / "game.tape");
  for (const char* kind : {"\nL ", "\nB ", "\nS ", "\nI ", "\nP ", "\nC ", "\nD "})
    EXPECT_NE(tape.find(kind), std::string::npos) << "no line" << kind;

  RunOptions r;
  r.dataDir = (dir.path / "replay").string();
  r.gameDir = BM_GAME_DIR;
  r.replayPath = o.recordPath;
  r.reportPath = (dir.path / "replay.json").string();
  ASSERT_EQ(RunGame(r), 0);
  const std::string game = test::ReadText(dir.path / "game.json"), replay = test::ReadText(dir.path / "replay.json");
  ASSERT_FALSE(WholeGameFields(game).empty()) << game;
  EXPECT_EQ(WholeGameFields(game), WholeGameFields(replay));
  auto figure = [&](const std::string& key) {
    std::size_t at = game.find("\"" + key + "\": ");
    return at == std::string::npos ? -1 : std::atoi(game.c_str() + at + key.size() + 4);
  };
  EXPECT_GE(figure("levels_won"), 1) << game;
  EXPECT_GT(figure("moves"), 0);

  // A damaged tape: a clear failure, no report.
  std::ofstream(r.replayPath = (dir.path / "bad.tape").string()) << "brinemoor-tape 1\nseed x\n";
  r.reportPath = (dir.path / "bad.json").string();
  EXPECT_EQ(RunGame(r), 1);
  EXPECT_FALSE(std::ifstream(r.reportPath).good());
}

}  // namespace
}  // namespace bm

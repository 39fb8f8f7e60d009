#include "saves/SaveGame.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>

#include "bot/Autoplay.h"
#include "board/BoardPhase.h"
#include "diag/Logs.h"
#include "match/Carryover.h"
#include "match/Match.h"
#include "storage/BoardFile.h"
#include "tests/TempDir.h"

namespace bm {
namespace {

using test::TempDir;

const std::string kLevels = std::string(BM_GAME_DIR) + "/levels";

struct Saves {
  explicit Saves(const TempDir& dir) : logs(dir.str()) {
    logs.SetTimeSource([] { return "01.01.2024 00:00:00"; });
    folder.dataDir = folder.gameDir = dir.str();
    folder.logs = &logs;
    PrepareSaveFolder(folder);
    data.players.slot[4].Name = "Mary";
    data.players.slot[7].Name = "Ann";
    data.players.slot[7].GameScore = 777;
    data.players.SetCurrent(4);
  }
  std::string Log() const { return test::ReadText(logs.RunLogPath()); }
  Logs logs;
  SaveFolder folder;
  SaveData data;
};

std::unique_ptr<Match> Playing(int level, std::uint64_t seed = 3) {
  auto m = std::make_unique<Match>(seed, kLevels);
  NewGame(*m, level, 1000);
  return m;
}

// Runs the bot for ms of game time.
void Play(Match& m, Autoplay& bot, double& now, double ms) {
  MatchInput in;
  for (double end = now + ms; now < end && !m.session.Ended;) {
    now += 16;
    PointerFeed f = bot.Step(now, m.cells, m.board, m.metrics);
    in.now = now;
    in.pointerX = f.x;
    in.pointerY = f.y;
    in.leftDown = f.left;
    in.rightDown = f.right;
    AdvanceFrame(m, in);
    TakeEvents(m);
  }
}

TEST(SaveGame, ContinueRestoresTheBoardAndEveryProgressField) {
  TempDir dir;
  Saves s(dir);
  auto m = Playing(12);
  Autoplay bot;
  double now = 1000;
  Play(*m, bot, now, 20000);
  m->session.Lives = 2;
  m->level.SandLeft = 0.5;
  m->cells[30].Ice = 3;
  m->cells[31].Gnd = 1;
  m->player.parrotCount = 4;
  m->player.sunCount = 2;
  m->player.tipSeen[3] = true;
  m->player.rumSwap = true;
  m->level.TimeLimit += 60;  // a clock taken on the level
  Key(m->items.items[std::size_t(m->itemSlot)], 6).Flag = kTrue;
  m->items.stars[std::size_t(m->itemSlot)].Object[2].Flag = kTrue;
  m->items.grades[std::size_t(m->itemSlot)].PowerGrade[3] = 2;
  const std::uint64_t hash = BoardHash(m->cells);
  const int score = m->session.Score;
  const double limit = m->level.TimeLimit;
  ASSERT_TRUE(SaveGame(s.folder, s.data, *m));
  EXPECT_EQ(s.folder.counters.games, 1);
  EXPECT_TRUE(std::filesystem::exists(dir.File("saves/dump4.dat")));

  // A later run: everything read back from the files.
  Saves t(dir);
  LoadPlayers(t.folder, t.data);
  ASSERT_TRUE(HasSavedGame(t.data));
  auto back = std::make_unique<Match>(99, kLevels);
  back->board.SunArmed = true;  // armed on whatever was played before
  ASSERT_TRUE(LoadSavedGame(t.folder, t.data, *back, 5000));
  EXPECT_EQ(back->player.sunCount, 2) << "the record's stocks are the truth";
  EXPECT_EQ(BoardHash(back->cells), hash);
  EXPECT_EQ(EncodeBoard(back->cells).substr(0, 116 * kCellRecordSize).size(), 116 * kCellRecordSize);
  const auto& session = back->session;
  EXPECT_EQ(std::tuple(session.CurrentLevel, session.Lives, session.Score, session.ShownScore, back->board.Score),
            std::tuple(12, 2, score, score, score));
  EXPECT_EQ(std::pair(back->level.SandLeft, back->level.TimeLimit), std::pair(0.5, limit));
  EXPECT_EQ(back->player.parrotCount, 4);
  EXPECT_TRUE(back->player.tipSeen[3] && back->player.rumSwap);
  EXPECT_FALSE(back->board.BoardGrowIn);  // no fly-in, no grow-in
  // The key found before leaving, the star taken, the grade bought.
  EXPECT_EQ(std::tuple(int(Key(back->items.items[4], 6).Flag), int(back->items.stars[4].Object[2].Flag),
                       int(back->items.grades[4].PowerGrade[3]), back->itemSlot),
            std::tuple(int(kTrue), int(kTrue), 2, 4));
  // The game goes on from there.
  Autoplay bot2;
  double later = 5000;
  Play(*back, bot2, later, 5000);
  EXPECT_EQ(back->invariants.Violations(), 0) << back->invariants.Report();
}

TEST(SaveGame, MaxLevelNeverFallsNothingIsSavedWithoutALevelAndNothingIsContinuedWithoutASave) {
  TempDir dir;
  Saves s(dir);
  auto m = Playing(12);
  ASSERT_TRUE(SaveGame(s.folder, s.data, *m));
  m = Playing(5);
  ASSERT_TRUE(SaveGame(s.folder, s.data, *m));
  LoadPlayers(s.folder, s.data);
  EXPECT_EQ(s.data.players.CurrentRecord().MaxLevel, 12);
  EXPECT_EQ(s.data.players.CurrentRecord().GameLevel, 5);

  m->session.Ended = true;  // game over: nothing left to save
  const long writes = s.folder.counters.writes;
  EXPECT_FALSE(SaveGame(s.folder, s.data, *m));
  EXPECT_EQ(s.folder.counters.writes, writes);
  // Nothing to continue leaves the match alone.
  Saves fresh(dir);
  auto three = Playing(3);
  const std::uint64_t hash = BoardHash(three->cells);
  EXPECT_FALSE(HasSavedGame(fresh.data) || LoadSavedGame(fresh.folder, fresh.data, *three, 2000));
  EXPECT_EQ(std::pair(BoardHash(three->cells), three->session.CurrentLevel), std::pair(hash, 3));
}

TEST(SaveGame, ABoardThatDoesNotFitIsLoggedAndTheLevelStartsAfresh) {
  TempDir dir;
  Saves s(dir);
  auto m = Playing(12);
  ASSERT_TRUE(SaveGame(s.folder, s.data, *m));
  // Find a level laid out differently and point the record at it.
  int other = 0;
  for (int n = 1; n <= 65 && other == 0; ++n) {
    auto probe = Playing(n);
    std::string why;
    if (!BoardFitsLevel(m->cells, probe->cells, &why)) other = n;
  }
  ASSERT_NE(other, 0);
  s.data.players.CurrentRecord().GameLevel = other;
  auto back = std::make_unique<Match>(5, kLevels);
  ASSERT_TRUE(LoadSavedGame(s.folder, s.data, *back, 2000));
  EXPECT_EQ(back->session.CurrentLevel, other);
  EXPECT_NE(s.Log().find("not laid out as in this level"), std::string::npos) << s.Log();
  for (int i = 0; i < kCellCount; ++i) EXPECT_EQ(back->cells[i].Gnd, 0);

  // A damaged board is kept aside like every other damaged file, and a second
  // one does not overwrite the first.
  s.data.players.CurrentRecord().GameLevel = 12;
  for (const char* bytes : {"torn", "torn again"}) {
    dir.Write("saves/dump4.dat", bytes);
    ASSERT_TRUE(LoadSavedGame(s.folder, s.data, *back, 2500));
  }
  EXPECT_EQ(dir.Read("saves/dump4.dat.bad"), "torn");
  EXPECT_EQ(dir.Read("saves/dump4.dat.bad.2"), "torn again");

  // A missing board file: the same.
  ClearBoard(s.folder, 4);
  EXPECT_FALSE(std::filesystem::exists(dir.File("saves/dump4.dat")));
  s.data.players.CurrentRecord().GameLevel = 12;
  EXPECT_TRUE(LoadSavedGame(s.folder, s.data, *back, 3000));
  EXPECT_EQ(back->session.CurrentLevel, 12);
}

TEST(SaveGame, ANewGameResetsOnlyTheCurrentPlayersRecords) {
  TempDir dir;
  Saves s(dir);
  auto m = Playing(20);
  m->session.Score = 250000;
  m->player.sunCount = 3;
  m->player.tipSeen[1] = true;
  Key(s.data.items.items[4], 2).Flag = kTrue;
  Key(s.data.items.items[7], 2).Flag = kTrue;
  s.data.items.grades[7].ChanceGrade[3] = 2;
  ASSERT_TRUE(SaveGame(s.folder, s.data, *m));
  const PlayerRecord other = s.data.players.slot[7];
  ResetHighScores(s.folder, s.data);

  StartNewGameRecords(s.folder, s.data, 1);
  const PlayerRecord& p = s.data.players.CurrentRecord();
  // Closed before a save, the new game is continued, not the old one; its score is entered once, never twice.
  EXPECT_EQ(std::tuple(p.GameLevel, p.MaxLevel, p.BonusStock[0], int(p.TipShown[1]), p.GameScore), std::tuple(1, 1, 0, 0, 0));
  EXPECT_EQ(s.data.items.items[4], NewGameItems());
  EXPECT_EQ(std::pair(int(Key(s.data.items.items[7], 2).Flag), int(s.data.items.grades[7].ChanceGrade[3])), std::pair(int(kTrue), 2));
  EXPECT_EQ(s.data.players.slot[7], other);
  SaveData fromDisk;
  LoadHighScores(s.folder, fromDisk);
  EXPECT_EQ(fromDisk.scores.entry[1], (HighScoreEntry{"Mary", "250000"}));
  LoadItemStatus(s.folder, fromDisk);
  EXPECT_EQ(fromDisk.items.items[4], NewGameItems());

  // Game over: the score is entered and nothing is left to continue.
  EndGameRecords(s.folder, s.data, 190000, true);
  LoadPlayers(s.folder, fromDisk);
  EXPECT_FALSE(HasSavedGame(fromDisk));
  EXPECT_EQ(fromDisk.players.CurrentRecord().MaxLevel, 0);
  EXPECT_EQ(s.data.players.CurrentRecord().MaxLevel, 0) << "as written, not as repaired on reading";
  EXPECT_EQ(s.data.scores.entry[3], (HighScoreEntry{"Mary", "190000"}));

  // A new game's start an older version left cut short: finished with the old
  // score entered once, and never again by the next new game.
  s.data.players.CurrentRecord().GameScore = 180000;
  s.data.players.CurrentRecord().NewGamePending = kTrue;
  FinishNewGame(s.folder, s.data);
  StartNewGameRecords(s.folder, s.data, 1);
  LoadHighScores(s.folder, fromDisk);
  const auto& table = fromDisk.scores.entry;
  EXPECT_EQ(std::count(table.begin(), table.end(), HighScoreEntry{"Mary", "180000"}), 1);
}

// Left in the middle of a swap: the two items come back home, at full size and
// free to be played.
TEST(SaveGame, ASwapCutShortComesBackPlayable) {
  TempDir dir;
  Saves s(dir);
  auto m = Playing(1, 17);
  Autoplay bot;
  double now = 1000;
  for (int k = 0; k < 5000 && m->board.SwapState != SwapPhase::Exchange; ++k) Play(*m, bot, now, 16);
  ASSERT_EQ(m->board.SwapState, SwapPhase::Exchange);
  const int a = m->board.SwapA, b = m->board.SwapB;
  ASSERT_TRUE(SaveGame(s.folder, s.data, *m));
  m = std::make_unique<Match>(100, kLevels);
  ASSERT_TRUE(LoadSavedGame(s.folder, s.data, *m, now));
  for (int cell : {a, b}) {
    EXPECT_TRUE(CellAtRest(m->cells[cell])) << cell;
    EXPECT_FALSE(m->cells[cell].Front) << cell;
    EXPECT_EQ(m->cells[cell].Pos.Size, 0) << cell;
  }
  // A fall cut short goes on from where it was.
  auto saved = std::make_unique<Cells>();
  saved->cell = m->cells.cell;
  Cell& falling = (*saved)[a];
  falling.Move = true;
  falling.Pos.CurY = falling.Pos.Y - 7;
  PutSavedBoard(*m, *saved, now);
  EXPECT_TRUE(m->cells[a].Move);
  EXPECT_EQ(m->cells[a].Pos.CurY, falling.Pos.Y - 7);
}

// Left with the hook and the sun armed: both are in stock on Continue, and the
// hourglass drops its next grain a whole second after play resumes.
TEST(SaveGame, ArmedStocksAndTheHourglassComeBackAsLeft) {
  TempDir dir;
  Saves s(dir);
  auto m = Playing(5);
  Autoplay bot;
  double now = 1000;
  Play(*m, bot, now, 3000);
  // Arming takes the bonus from the stock.
  m->player.anchorCount = 0;
  m->player.sunCount = 1;
  m->board.AnchorArmed = m->board.SunArmed = true;
  const double sand = m->level.SandLeft;
  ASSERT_TRUE(SaveGame(s.folder, s.data, *m));

  auto back = std::make_unique<Match>(5, kLevels);
  now += 60000;
  ASSERT_TRUE(LoadSavedGame(s.folder, s.data, *back, now));
  EXPECT_EQ(std::pair(back->player.anchorCount, back->player.sunCount), std::pair(1, 2));
  EXPECT_FALSE(back->board.AnchorArmed || back->board.SunArmed);
  MatchInput in;
  for (double t = now + 16; t < now + 990; t += 16) {
    in.now = t;
    AdvanceFrame(*back, in);
  }
  EXPECT_EQ(back->level.SandLeft, sand) << "no grain is charged for the time away";
  in.now = now + 1010;
  AdvanceFrame(*back, in);
  EXPECT_LT(back->level.SandLeft, sand);
}

// A player without a name is entered under "Player", by a new game as by a game over.
TEST(SaveGame, AnUnnamedPlayersScoreIsFiledAlikeByNewGameAndGameOver) {
  TempDir dir;
  Saves s(dir);
  s.data.players.slot[4].Name.clear();
  s.data.players.slot[4].GameScore = 300000;
  s.data.players.slot[4].MaxLevel = 3;
  ResetHighScores(s.folder, s.data);
  StartNewGameRecords(s.folder, s.data, 1);
  EndGameRecords(s.folder, s.data, 290000, true);
  SaveData fromDisk;
  LoadHighScores(s.folder, fromDisk);
  EXPECT_EQ(fromDisk.scores.entry[1], (HighScoreEntry{"Player", "300000"}));
  EXPECT_EQ(fromDisk.scores.entry[2], (HighScoreEntry{"Player", "290000"}));
}

// Left while a column falls: two cells below a falling item are empty, the
// column's top cell too. The continued board fills every cell by the fall
// from the top, without a broken rule; a fall the file gives onto an item is
// set down instead of landing on it.
TEST(SaveGame, ABoardLeftMidFallFillsEveryCellOnContinue) {
  TempDir dir;
  Saves s(dir);
  auto m = Playing(35, 35007);
  Autoplay bot;
  double now = 1000;
  Play(*m, bot, now, 3000);
  for (int k = 0; k < 2000 && !AtRest(PhaseOf(m->cells, m->board)); ++k) Play(*m, bot, now, 16);
  ASSERT_TRUE(AtRest(PhaseOf(m->cells, m->board)));
  // The lowest three cells of a column with a cell above them: emptied, the one
  // above them falling, the top cell empty as well.
  int a = -1;
  for (int i = kCellCount - 1; i >= 22 && a < 0; --i)
    if (m->cells[i].IsExists && m->cells[i - 11].IsExists && m->cells[i - 22].IsExists &&
        (i + 11 >= kCellCount || !m->cells[i + 11].IsExists) && !m->cells[i - 22].IsUpper)
      a = i - 22;
  ASSERT_GE(a, 0);
  Cell& falling = m->cells[a];
  falling.Move = true;
  falling.Pos.ToX = m->cells[a + 11].Pos.X;
  falling.Pos.ToY = m->cells[a + 11].Pos.Y;
  falling.Pos.SpeedY = (falling.Pos.ToY - falling.Pos.Y) / 3;
  falling.Pos.CurY = falling.Pos.Y + falling.Pos.SpeedY;
  for (int i : {a + 11, a + 22}) m->cells[i].Gem = m->cells[i].Ice = 0;
  for (int top : m->level.TopCells)
    if (top % 11 == a % 11) m->cells[top].Gem = m->cells[top].Ice = 0;
  // Elsewhere a file says an item falls onto a cell that holds one.
  int b = -1;
  for (int i = 0; i + 11 < kCellCount && b < 0; ++i)
    if (i % 11 != a % 11 && m->cells[i].IsExists && m->cells[i + 11].IsExists && m->cells[i + 11].Ice == 0 &&
        m->cells[i].Gem != m->cells[i + 11].Gem)
      b = i;
  ASSERT_GE(b, 0);
  m->cells[b].Move = true;
  m->cells[b].Pos.ToY = m->cells[b + 11].Pos.Y;
  m->cells[b].Pos.SpeedY = 5;
  const int underneath = m->cells[b + 11].Gem;
  ASSERT_TRUE(SaveGame(s.folder, s.data, *m));

  auto back = std::make_unique<Match>(9, kLevels);
  back->checkInvariants = true;
  ASSERT_TRUE(LoadSavedGame(s.folder, s.data, *back, now));
  MatchInput in;
  for (int k = 0; k < 300; ++k) {
    in.now = now += 16;
    AdvanceFrame(*back, in);
    TakeEvents(*back);
    if (k == 60) {  // long after the fall would have landed
      EXPECT_EQ(back->cells[b + 11].Gem, underneath) << "the item under a fall that cannot land is kept";
    }
  }
  EXPECT_NE(s.Log().find("set down in its cell"), std::string::npos) << s.Log();
  for (int i = 0; i < kCellCount; ++i)
    EXPECT_TRUE(!back->cells[i].IsExists || back->cells[i].Gem != 0) << "cell " << i << " stays empty";
  EXPECT_EQ(back->invariants.Violations(), 0) << back->invariants.Report();
}

}  // namespace
}  // namespace bm

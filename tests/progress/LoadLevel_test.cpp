#include "progress/LoadLevel.h"

#include <gtest/gtest.h>

#include <array>

#include "tests/TempDir.h"
#include "diag/Logs.h"
#include "progress/LevelCheck.h"

#include <sys/stat.h>

namespace bm {
namespace {

struct Fixture {
  test::TempDir dir;
  Logs logs{dir.str()};
  Cells cells;
  LevelState level;
  Rng rng{7};
  LevelLayout layout = EmptyLatticeLayout();
  LevelRules rules;
  Fixture() { std::filesystem::create_directories(dir.path / "levels"); }
  void Write(int n) { ASSERT_TRUE(WriteLevelFiles((dir.path / "levels").string(), n, layout, rules)); }
  bool Load(int n) { return LoadLevel(n, (dir.path / "levels").string(), cells, level, rng, 1.0, logs); }
  int Existing() const {
    int n = 0;
    for (int i = 0; i < kCellCount; ++i) n += cells[i].IsExists;
    return n;
  }
};

TEST(LoadLevel, ClampsTheLevelNumberAndMissingOrShortFilesFallBackToAFullBoard) {
  Fixture f;
  for (int i : {0, 11, 22}) f.layout.kind[i] = 1;
  f.rules.time = 100;
  f.Write(1);
  f.rules.time = 200;
  f.Write(65);
  for (auto [n, limit] : {std::pair{0, 101}, {-4, 101}, {66, 201}}) {
    EXPECT_TRUE(f.Load(n));
    EXPECT_EQ(f.level.TimeLimit, limit) << n;
  }
  // Missing or short files fall back to a full board, and the log says so.
  Fixture g;
  EXPECT_FALSE(g.Load(5));
  EXPECT_EQ(g.Existing(), 116) << "every lattice cell";
  EXPECT_NE(test::ReadText(g.dir.path / "run.log").find("lvl5.dat"), std::string::npos);

  g.Write(6);
  std::filesystem::resize_file(g.dir.path / "levels" / "lvl6.dat", 100);
  EXPECT_FALSE(g.Load(6));
  EXPECT_EQ(g.level.JewelKinds.size(), 5u);
}

TEST(LoadLevel, KindsBubblesTopCellsAndTime) {
  Fixture f;
  f.layout.kind[0] = 1;
  f.layout.kind[11] = 5;     // four bubbles, below cell 0
  f.layout.kind[33] = 1;     // cell 22 above is a hole: a top cell mid-board
  f.layout.kind[44] = -3;    // no cell
  f.layout.kind[200] = 9;    // beyond the board: no effect
  for (int i : {2, 13, 24}) f.layout.kind[i] = 1;  // a line of three makes the level playable
  f.rules.allowed[2] = -1;   // only one kind allowed
  f.rules.time = 179;
  f.Write(3);
  f.level.KeyPlaced[4] = true;  // a key dropped on the level before
  ASSERT_TRUE(f.Load(3));
  EXPECT_EQ(f.level.KeyPlaced, (std::array<bool, 11>{})) << "each level may drop each key again";
  EXPECT_EQ(std::pair(f.level.TimeLimit, f.level.SandLeft), std::pair(180.0, 1.0));
  EXPECT_EQ(f.level.JewelKinds, (std::vector<int>{1, 2})) << "fewer than two kinds gives kinds 1 and 2";
  EXPECT_EQ(std::pair(f.cells[0].Ice, f.cells[11].Ice), std::pair(0, 4));
  EXPECT_FALSE(f.cells[44].IsExists || f.cells[44].Gem || f.cells[200].IsExists);
  EXPECT_EQ(f.level.TopCells, (std::vector<int>{0, 2, 33}));
  EXPECT_DOUBLE_EQ(f.cells[1].CenterX, LatticeX(1)) << "holes keep their lattice position";
  EXPECT_LT(f.cells[0].Pos.Size, 0) << "items grow in";
}

TEST(LoadLevel, FoldersFifosAndHugeFilesNeverAbortHangOrFillMemory) {
  Fixture f;
  const std::filesystem::path levels = f.dir.path / "levels";
  std::filesystem::create_directory(levels / "lvl1.dat");
  EXPECT_FALSE(f.Load(1));
  EXPECT_NE(test::ReadText(f.dir.path / "run.log").find("lvl1.dat\" is a directory"), std::string::npos);

  f.Write(2);
  std::filesystem::remove(levels / "lvl2.dat2");
  ASSERT_EQ(mkfifo((levels / "lvl2.dat2").c_str(), 0600), 0);
  EXPECT_FALSE(f.Load(2));  // returns at once instead of waiting for a writer
  EXPECT_NE(test::ReadText(f.dir.path / "run.log").find("FIFO"), std::string::npos);

  // A sparse 2 GB file: only the record at its front is read.
  for (int i : {0, 11, 22}) f.layout.kind[i] = 1;
  f.rules.time = 99;
  f.Write(3);
  std::filesystem::resize_file(levels / "lvl3.dat", 2ull << 30);
  EXPECT_TRUE(f.Load(3));
  EXPECT_TRUE(f.cells[11].IsExists);
  EXPECT_EQ(f.level.TimeLimit, 100);
}

TEST(LoadLevel, UnplayableLevelsAreRepairedAndLogged) {
  Fixture f;
  // No cells at all: the level could never end.
  f.rules.time = 99;
  f.Write(1);
  EXPECT_TRUE(f.Load(1));
  EXPECT_EQ(f.Existing(), 116);
  EXPECT_EQ(f.level.TimeLimit, 100) << "the level's own time stays";
  std::string log = test::ReadText(f.dir.path / "run.log");
  EXPECT_NE(log.find("no line of three"), std::string::npos) << log;

  // Two cells and a lone third: still no line to make.
  f.layout = EmptyLatticeLayout();
  for (int i : {0, 11, 40}) f.layout.kind[i] = 1;
  f.Write(2);
  f.Load(2);
  EXPECT_EQ(f.Existing(), 116);

  // Times out of range: 0 would end the level at once, a negative one never.
  f.layout = EmptyLatticeLayout();
  for (int i : {0, 11, 22}) f.layout.kind[i] = 1;
  for (int t : {-1, -2, 0, 28, 3600, 2147483647, -2147483647 - 1, 29, 3599}) {
    f.rules.time = t;
    f.Write(4);
    f.Load(4);
    EXPECT_EQ(f.level.TimeLimit, t == 29 || t == 3599 ? t + 1 : 180) << "time " << t;
  }
  EXPECT_NE(test::ReadText(f.dir.path / "run.log").find("hourglass of 0 s"), std::string::npos);
}

TEST(LevelCheck, GarbledValuesAreHeldToWhatTheBoardKnowsAndEveryShippedLevelIsSound) {
  LevelLayout layout = EmptyLatticeLayout();
  LevelRules rules;
  rules.time = 179;
  for (int i : {0, 11, 22}) layout.kind[i] = 1;
  layout.kind[22] = 1000;
  layout.x[11] = -2000000000;
  layout.y[0] = 90000;
  rules.allowed[0] = rules.allowed[15] = rules.allowed[16] = rules.allowed[39] = -1;
  std::vector<std::string> repairs = CheckLevel(layout, rules);
  EXPECT_EQ(repairs.size(), 3u);
  EXPECT_EQ(std::tuple(layout.x[11], layout.y[0], layout.kind[22]), std::tuple(LatticeX(11), LatticeY(0), 9));
  // Kind 16 has a picture, 17 and 40 none.
  EXPECT_EQ(std::tuple(int(rules.allowed[15]), int(rules.allowed[16]), int(rules.allowed[39])), std::tuple(-1, 0, 0));
  EXPECT_TRUE(CheckLevel(layout, rules).empty()) << "a repaired level is sound";
  // Three cells in a row that wraps round the board's edge are no line.
  LevelLayout wrap = EmptyLatticeLayout();
  for (int i : {10, 16, 22}) wrap.kind[i] = 1;  // step 6 from the last odd column to the next row
  EXPECT_FALSE(HasRoomForALine(wrap));
  // Every shipped level is sound as it is.
  for (int n = 1; n <= kLevelCount; ++n) {
    LevelLayout layout;
    LevelRules rules;
    ASSERT_TRUE(ReadLevelFiles(std::string(BM_GAME_DIR) + "/levels", n, layout, rules)) << n;
    EXPECT_TRUE(CheckLevel(layout, rules).empty()) << "level " << n;
  }
}

}  // namespace
}  // namespace bm

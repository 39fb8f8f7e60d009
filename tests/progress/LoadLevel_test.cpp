#include "progress/LoadLevel.h"

#include <gtest/gtest.h>

#include "../shell/TestDirs.h"
#include "diag/Logs.h"

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
};

TEST(LoadLevel, ClampsTheLevelNumber) {
  Fixture f;
  f.layout.kind[0] = 1;
  f.rules.time = 10;
  f.Write(1);
  f.rules.time = 20;
  f.Write(65);
  EXPECT_TRUE(f.Load(0));
  EXPECT_EQ(f.level.TimeLimit, 11);
  EXPECT_TRUE(f.Load(-4));
  EXPECT_EQ(f.level.TimeLimit, 11);
  EXPECT_TRUE(f.Load(66));
  EXPECT_EQ(f.level.TimeLimit, 21);
}

TEST(LoadLevel, KindsBubblesTopCellsAndTime) {
  Fixture f;
  f.layout.kind[0] = 1;
  f.layout.kind[11] = 5;     // four bubbles, below cell 0
  f.layout.kind[33] = 1;     // cell 22 above is a hole: a top cell mid-board
  f.layout.kind[44] = -3;    // no cell
  f.layout.kind[200] = 9;    // beyond the board: no effect
  f.rules.allowed[2] = -1;   // only one kind allowed
  f.rules.time = 179;
  f.Write(3);
  ASSERT_TRUE(f.Load(3));
  EXPECT_EQ(f.level.TimeLimit, 180);
  EXPECT_EQ(f.level.SandLeft, 1.0);
  EXPECT_EQ(f.level.jewelKinds, (std::vector<int>{1, 2})) << "fewer than two kinds gives kinds 1 and 2";
  EXPECT_EQ(f.cells[0].Ice, 0);
  EXPECT_EQ(f.cells[11].Ice, 4);
  EXPECT_FALSE(f.cells[44].isExists);
  EXPECT_EQ(f.cells[44].Gem, 0);
  EXPECT_EQ(f.level.topCells, (std::vector<int>{0, 33}));
  EXPECT_FALSE(f.cells[200].isExists);
  EXPECT_DOUBLE_EQ(f.cells[1].CenterX, LatticeX(1)) << "holes keep their lattice position";
  EXPECT_LT(f.cells[0].Pos.Size, 0) << "items grow in";
}

TEST(LoadLevel, MissingOrShortFilesFallBackToAFullBoardAndSaySo) {
  Fixture f;
  EXPECT_FALSE(f.Load(5));
  int existing = 0;
  for (int i = 0; i < kCellCount; ++i) existing += f.cells[i].isExists;
  EXPECT_EQ(existing, 116) << "every lattice cell";
  EXPECT_NE(test::ReadText(f.dir.path / "run.log").find("lvl5.dat"), std::string::npos);

  f.Write(6);
  std::filesystem::resize_file(f.dir.path / "levels" / "lvl6.dat", 100);
  EXPECT_FALSE(f.Load(6));
  EXPECT_EQ(f.level.jewelKinds.size(), 5u);
}

}  // namespace
}  // namespace bm

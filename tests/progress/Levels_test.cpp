// The level files: their byte layout, the text compiler, and the 65 compiled levels
// the game ships with (playable shapes, screen fit, adjacency and the difficulty curve).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "progress/LevelFile.h"
#include "board/LevelState.h"
#include "tools/levelc/LevelText.h"
#include "tests/TempDir.h"

namespace bm {
namespace {

namespace fs = std::filesystem;

using test::ReadText;

// ---------------------------------------------------------------- binary files

TEST(LevelFileBytes, LayoutAndRulesAreLittleEndianFixedRecords) {
  LevelLayout layout = EmptyLatticeLayout();
  layout.kind[1] = 9;
  layout.x[500] = -2;
  LevelRules rules;
  rules.allowed[0] = -1;
  rules.allowed[39] = -1;
  rules.time = 179;

  std::vector<unsigned char> l = EncodeLayout(layout), r = EncodeRules(rules);
  ASSERT_EQ(l.size(), 6012u);
  ASSERT_EQ(r.size(), 84u);
  // Record 0 is (32, 32, 0); record 1 starts at byte 12 with X = 128 and Kind = 9.
  EXPECT_EQ(std::vector<unsigned char>(l.begin(), l.begin() + 12),
            (std::vector<unsigned char>{32, 0, 0, 0, 32, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(l[12], 128);
  EXPECT_EQ(l[20], 9);
  EXPECT_EQ(std::vector<unsigned char>(l.begin() + 6000, l.begin() + 6004),
            (std::vector<unsigned char>{0xFE, 0xFF, 0xFF, 0xFF}));
  EXPECT_EQ(std::tuple(r[0], r[1], r[2], r[78]), std::tuple(0xFF, 0xFF, 0, 0xFF));
  EXPECT_EQ(std::vector<unsigned char>(r.begin() + 80, r.end()), (std::vector<unsigned char>{179, 0, 0, 0}));

  LevelLayout back;
  LevelRules rulesBack;
  ASSERT_TRUE(DecodeLayout(l, back));
  ASSERT_TRUE(DecodeRules(r, rulesBack));
  EXPECT_EQ(std::tuple(back.kind[1], back.x[500], back.y[115]), std::tuple(9, -2, LatticeY(115)));
  EXPECT_EQ(std::pair(int(rulesBack.allowed[39]), rulesBack.time), std::pair(-1, 179));

  l.pop_back();
  r.pop_back();
  EXPECT_FALSE(DecodeLayout(l, back));
  EXPECT_FALSE(DecodeRules(r, rulesBack));
}

TEST(LevelFileDisk, MissingOrShortFilesAreRefusedAndLeaveTheLevelAlone) {
  test::TempDir dir;
  LevelLayout layout = EmptyLatticeLayout();
  layout.kind[7] = 3;
  LevelRules rules;
  rules.allowed[2] = -1;
  rules.time = 299;
  ASSERT_TRUE(WriteLevelFiles(dir.str(), 12, layout, rules));
  EXPECT_EQ(std::pair(fs::file_size(dir.File("lvl12.dat")), fs::file_size(dir.File("lvl12.dat2"))), std::pair(6012ul, 84ul));
  EXPECT_FALSE(fs::exists(dir.File("lvl12.dat.tmp")));

  LevelLayout read;
  LevelRules readRules;
  std::string error;
  ASSERT_TRUE(ReadLevelFiles(dir.str(), 12, read, readRules, &error)) << error;
  EXPECT_EQ(read.kind[7], 3);
  EXPECT_EQ(readRules.time, 299);

  // A missing level names the file it looked for.
  LevelLayout untouched = EmptyLatticeLayout();
  untouched.kind[0] = 5;
  EXPECT_FALSE(ReadLevelFiles(dir.str(), 13, untouched, readRules, &error));
  EXPECT_NE(error.find("lvl13.dat"), std::string::npos);
  EXPECT_EQ(untouched.kind[0], 5);

  // A short rules file spoils the pair: the layout read before it is not handed out either.
  dir.Write("lvl12.dat2", std::string(83, '\0'));
  EXPECT_FALSE(ReadLevelFiles(dir.str(), 12, untouched, readRules, &error));
  EXPECT_NE(error.find("83 bytes"), std::string::npos);
  EXPECT_EQ(std::pair(untouched.kind[0], untouched.kind[7]), std::pair(5, 0));

  // Extra bytes after the records are ignored.
  dir.Write("lvl12.dat2", std::string(84, '\0') + "tail");
  EXPECT_TRUE(ReadLevelFiles(dir.str(), 12, read, readRules, &error));
  EXPECT_EQ(readRules.time, 0);
}

// ---------------------------------------------------------------- the text compiler

std::string MapOf(const std::vector<std::string>& rows) {
  std::string s;
  for (const std::string& r : rows) s += r + "\n";
  return s;
}

// Map lines with a cell wherever keep(column, half-row) holds.
template <class Keep>
std::vector<std::string> MapWhere(Keep keep) {
  std::vector<std::string> m(kMapLines);
  for (int t = 0; t < kMapLines; ++t)
    for (int c = t % 2; c < kLatticeColumns; c += 2) {
      m[t].resize(2 * c, ' ');
      m[t] += keep(c, t) ? 'o' : '.';
    }
  return m;
}

std::vector<std::string> FullMap() {
  return MapWhere([](int, int) { return true; });
}

// Columns 0..4, rows 0..4: 23 cells, too few for a level.
std::vector<std::string> BlockMap() {
  return MapWhere([](int c, int t) { return c <= 4 && t <= 8; });
}

std::string Level(const std::string& time, const std::string& kinds, const std::vector<std::string>& map) {
  return "# test level\nname: Test\ntime: " + time + "\nkinds: " + kinds + "\nmap:\n" + MapOf(map);
}

std::vector<std::string> Errors(const std::string& text) {
  std::vector<std::string> errors;
  ParseLevelText(text, "lvl99.txt", errors);
  return errors;
}

bool Mentions(const std::vector<std::string>& errors, const std::string& part) {
  return std::any_of(errors.begin(), errors.end(), [&](const std::string& e) { return e.find(part) != std::string::npos; });
}

TEST(LevelText, CompilesCellsBubblesKindsAndTime) {
  std::vector<std::string> map = FullMap();
  map[0][0] = '8';   // cell 0 (column 0, row 0) with 8 bubbles
  map[1][2] = '.';   // cell 6 (column 1, row 0) a hole
  map[2][4] = '1';   // cell 12 (column 2, row 1)
  std::vector<std::string> errors;
  LevelText level = ParseLevelText(Level("2:05", "1-3, 9, 16", map), "lvl01.txt", errors);
  ASSERT_TRUE(errors.empty()) << errors.front();
  EXPECT_EQ(level.name, "Test");
  EXPECT_EQ(level.rules.time, 124);
  EXPECT_EQ(level.kinds, (std::vector<int>{1, 2, 3, 9, 16}));
  for (int k = 0; k < kJewelSlots; ++k) EXPECT_EQ(level.rules.allowed[k], (k < 3 || k == 8 || k == 15) ? -1 : 0);
  const auto& kind = level.layout.kind;
  EXPECT_EQ(std::tuple(kind[0], kind[6], kind[12], kind[1], kind[115]), std::tuple(9, 0, 2, 1, 1));
  // Holes keep their lattice place; slots past the board stay zero.
  EXPECT_EQ(std::tuple(level.layout.x[6], level.layout.y[115], level.layout.x[116]), std::tuple(LatticeX(6), LatticeY(115), 0));
  EXPECT_EQ(std::pair(CountCells(level.layout), CountBubbles(level.layout)), std::pair(115, 9));

  // Seconds work as well as m:ss, and the text form reads back to the same level.
  LevelText again = ParseLevelText(FormatLevelText(level.layout, level.rules, "Test"), "lvl01.txt", errors);
  ASSERT_TRUE(errors.empty()) << errors.front();
  EXPECT_EQ(EncodeLayout(again.layout), EncodeLayout(level.layout));
  EXPECT_EQ(EncodeRules(again.rules), EncodeRules(level.rules));
  ParseLevelText(Level("125", "1-3", FullMap()), "lvl01.txt", errors);
  EXPECT_TRUE(errors.empty());
}

TEST(LevelText, BadValuesAreRefusedWithFileAndLineAndTheNumberComesFromTheName) {
  auto map = BlockMap();
  for (auto [time, kinds, error] : {std::tuple{"0:29", "1-4", "lvl99.txt:3: time: 29 s"}, {"1:75", "1-4", "lvl99.txt:3: time: '1:75'"},
                                    {"3:00", "1-17", "lvl99.txt:4: kinds: kind 17 is outside"}, {"3:00", "0, 1, 2", "kind 0 is outside"},
                                    {"3:00", "1-2", "lvl99.txt:4: kinds: 2 kinds, at least 3"}, {"3:00", "1-3, 2", "kind 2 is listed twice"},
                                    {"3:00", "1-x", "'1-x'"}})
    EXPECT_TRUE(Mentions(Errors(Level(time, kinds, map)), error)) << error;
  EXPECT_TRUE(Mentions(Errors("name: A\ntime: 3:00\nmap:\n" + MapOf(map)), "lvl99.txt:1: no 'kinds:' line"));
  EXPECT_TRUE(Mentions(Errors("name: A\ncolour: red\n"), "lvl99.txt:2: unknown key 'colour'"));
  // The level's number comes from the file's name.
  for (auto [file, n] : {std::pair{"levels/lvl07.txt", 7}, {"lvl65.txt", 65}, {"levels/level7.txt", 0}, {"lvl.txt", 0}, {"lvl7.dat", 0}})
    EXPECT_EQ(LevelNumberOfFile(file), n) << file;
}

TEST(LevelText, MapMistakesNameTheirLine) {
  auto map = BlockMap();
  // Header lines 1..5, so map line t is file line t + 6.
  auto shortMap = map;
  shortMap.pop_back();
  EXPECT_TRUE(Mentions(Errors(Level("3:00", "1-4", shortMap)), "lvl99.txt:5: the map has 20 lines, expected 21"));
  auto longMap = map;
  longMap.push_back(map[0]);
  EXPECT_TRUE(Mentions(Errors(Level("3:00", "1-4", longMap)), "the map has 22 lines"));

  auto bad = map;
  bad[2][4] = 'x';
  EXPECT_TRUE(Mentions(Errors(Level("3:00", "1-4", bad)), "lvl99.txt:8: text column 5: unknown character 'x'"));
  bad = map;
  bad[3][6] = '9';
  EXPECT_TRUE(Mentions(Errors(Level("3:00", "1-4", bad)), "lvl99.txt:9: text column 7: at most 8 bubbles"));
  bad = map;
  bad[0][1] = 'o';
  EXPECT_TRUE(Mentions(Errors(Level("3:00", "1-4", bad)), "lvl99.txt:6: text column 2: 'o' stands between cells"));
  bad = map;
  bad[5].resize(9);
  EXPECT_TRUE(Mentions(Errors(Level("3:00", "1-4", bad)), "lvl99.txt:11: the line ends before text column 11"));
  EXPECT_TRUE(Mentions(Errors(Level("3:00", "1-4", map) + "\nleftover\n"), "lvl99.txt:28: text after the map"));
}

TEST(LevelText, UnwinnableBoardsAreRefused) {
  // Too few cells: the block of 23.
  EXPECT_TRUE(Mentions(Errors(Level("3:00", "1-4", BlockMap())), "the board has 23 cells, at least 40"));

  // A full board but one cell cut off from every line of three: cell 115 (column 10,
  // row 10) loses cells 104 above it and 110 on its slanted axis.
  std::vector<std::string> full = FullMap();
  full[18][20] = '.';  // column 10, row 9
  full[19][18] = '.';  // column 9, row 9
  std::vector<std::string> errors = Errors(Level("3:00", "1-4", full));
  ASSERT_EQ(errors.size(), 1u) << errors.front();
  EXPECT_TRUE(Mentions(errors, "lvl99.txt:26: the cell at text column 21 is in no line of three"));
  // Two cells in a row are still not a line.
  full[20][16] = '.';
  EXPECT_TRUE(Mentions(Errors(Level("3:00", "1-4", full)), "lvl99.txt:26: the cell at text column 21"));
}

// ---------------------------------------------------------------- the shipped levels

struct Shipped {
  int n = 0;
  LevelLayout layout;
  LevelRules rules;
};

const std::vector<Shipped>& ShippedLevels() {
  static const std::vector<Shipped> levels = [] {
    std::vector<Shipped> v;
    for (int n = 1; n <= kLevelCount; ++n) {
      Shipped s;
      s.n = n;
      if (ReadLevelFiles(std::string(BM_GAME_DIR) + "/levels", n, s.layout, s.rules)) v.push_back(s);
    }
    return v;
  }();
  return levels;
}

double Distance(const LevelLayout& l, int a, int b) { return std::hypot(l.x[a] - l.x[b], l.y[a] - l.y[b]); }

std::vector<int> AllowedKinds(const LevelRules& r) {
  std::vector<int> kinds;
  for (int k = 0; k < kJewelSlots; ++k)
    if (r.allowed[k] == -1) kinds.push_back(k + 1);
  return kinds;
}

// Each compiled level is what the compiler makes of its text, so the compiler's checks (lattice places,
// bubbles, kinds, cells in no line) hold for it; LevelCheck's test holds it to what the board knows.
TEST(ShippedLevels, CompiledFilesMatchTheirTexts) {
  EXPECT_EQ(ShippedLevels().size(), std::size_t(kLevelCount));
  for (const Shipped& s : ShippedLevels()) {
    char name[32];
    std::snprintf(name, sizeof name, "/levels/lvl%02d.txt", s.n);
    std::vector<std::string> errors;
    LevelText text = ParseLevelText(ReadText(std::string(BM_SOURCE_DIR) + name), name, errors);
    ASSERT_TRUE(errors.empty()) << errors.front();
    EXPECT_EQ(EncodeLayout(text.layout), EncodeLayout(s.layout)) << name << " is newer than its compiled file";
    EXPECT_EQ(EncodeRules(text.rules), EncodeRules(s.rules)) << name;
  }
}

TEST(ShippedLevels, BoardsFitTheScreenLeftOfThePanel) {
  // A cell is drawn at 200 + 1.5 X, 90 + 1.5 Y design pixels; a tile reaches half its size around it.
  const double halfW = 1.5 * kTileWidth / 2, halfH = 1.5 * kTileHeight / 2;
  for (const Shipped& s : ShippedLevels()) {
    for (int i = 0; i < kBoardCellCount; ++i) {
      double x = 200 + 1.5 * s.layout.x[i], y = 90 + 1.5 * s.layout.y[i];
      EXPECT_GE(x - halfW, 0) << "level " << s.n << " cell " << i;
      EXPECT_LE(x + halfW, 1110) << "level " << s.n << " cell " << i << " runs under the button panel";
      EXPECT_GE(y - halfH, 0) << "level " << s.n << " cell " << i;
      EXPECT_LE(y + halfH, 1024) << "level " << s.n << " cell " << i;
    }
  }
}

TEST(ShippedLevels, AdjacencyReferenceSeparatesNeighboursFromWrappedPairsAtEveryWidth) {
  // The game compares plain centre distances with 1.5 x sx x d(cell 0, cell 1), sx = width / 1280.
  const int widths[] = {640, 800, 1024, 1280, 1600, 1366, 1920, 2560, 3840};
  for (const Shipped& s : ShippedLevels()) {
    const LevelLayout& l = s.layout;
    double nearest = 1e9, farthestNeighbour = 0, nearestWrapped = 1e9;
    for (int a = 0; a < kBoardCellCount; ++a) {
      for (int off : {5, 6, 11}) {
        int b = a + off;
        if (b >= kBoardCellCount) continue;
        double d = Distance(l, a, b);
        bool sameOrNextColumn = std::abs(l.x[a] - l.x[b]) <= std::abs(l.x[1] - l.x[0]) / 2;
        if (sameOrNextColumn) farthestNeighbour = std::max(farthestNeighbour, d);
        else nearestWrapped = std::min(nearestWrapped, d);
        nearest = std::min(nearest, d);
      }
    }
    EXPECT_GT(nearest, 0) << "level " << s.n << ": two cells share a centre";
    for (int w : widths) {
      double reference = 1.5 * (w / 1280.0) * Distance(l, 0, 1);
      EXPECT_GT(reference, farthestNeighbour) << "level " << s.n << " at width " << w;
      EXPECT_LT(reference, nearestWrapped) << "level " << s.n << " at width " << w;
    }
  }
}

TEST(ShippedLevels, DifficultyRisesAlongTheStages) {
  const auto& levels = ShippedLevels();
  ASSERT_EQ(levels.size(), std::size_t(kLevelCount));
  // Each stage's most kinds and most nested bubbles: never fewer than the stage before's. A sparse board may
  // have a kind or two less than its stage's most, or it would spend its time reshuffling.
  std::map<int, std::pair<std::size_t, int>> most;
  for (const Shipped& s : levels) {
    const int stage = StageOfLevel(s.n);
    const std::size_t kinds = AllowedKinds(s.rules).size();
    int bubbles = 0;
    for (int i = 0; i < kBoardCellCount; ++i) bubbles = std::max(bubbles, s.layout.kind[i] - 1);
    most[stage] = {std::max(most[stage].first, kinds), std::max(most[stage].second, bubbles)};
    EXPECT_LE(kinds, 9u) << "level " << s.n << ": too many kinds to finish a hex board";
    if (stage > 1) {
      EXPECT_GE(kinds + 2, most[stage - 1].first) << "level " << s.n << ": far fewer kinds than the stage before";
    }
    // Each hourglass comes from the balance table (levels/README.md): a minute to twenty.
    EXPECT_GE(s.rules.time + 1, 60) << "level " << s.n;
    EXPECT_LE(s.rules.time + 1, 20 * 60) << "level " << s.n;
    EXPECT_LE(bubbles, s.n <= 2 ? 0 : s.n <= 8 ? 2 : 8) << "level " << s.n << ": the first are for learning the swaps";
  }
  for (auto it = std::next(most.begin()); it != most.end(); ++it) {
    EXPECT_GE(it->second.first, std::prev(it)->second.first) << "stage " << it->first << ": fewer kinds";
    EXPECT_GE(it->second.second, std::prev(it)->second.second) << "stage " << it->first << ": fewer bubbles";
  }
  EXPECT_EQ(AllowedKinds(levels.front().rules).size(), 4u);
  EXPECT_GE(AllowedKinds(levels.back().rules).size(), 6u);
  EXPECT_EQ(most.rbegin()->second.second, 8) << "the last stage should reach 8 nested bubbles";
}

}  // namespace
}  // namespace bm

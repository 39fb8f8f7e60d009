#include "storage/BoardFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>

#include "board/LatticeBoard.h"
#include "board/Rng.h"

namespace bm {
namespace {

using Disappear = decltype(Cell{}.Disappear);

// A level's board in the middle of play: gold, bubbles, a fall, a removal.
std::unique_ptr<Cells> PlayedBoard(std::string_view holes = "0 10 57") {
  auto cells = std::make_unique<Cells>();
  LevelState level;
  LayOutLattice(*cells, level, holes);
  level.JewelKinds = {1, 2, 3, 4, 5};
  Rng rng(11);
  FillRandom(*cells, level, rng);
  Cells& c = *cells;
  c[3].Gnd = 1;
  c[4].Ice = 8;
  c[5].Gem = 71;  // a key
  c[6].Disappear = static_cast<Disappear>(11);
  c[6].Pos.Size = -12.5;
  c[7].Move = true;
  c[7].Pos.CurY = c[7].Pos.Y - 30.25;
  c[7].Pos.SpeedY = 3.5;
  c[8].Parent = 19;
  c[9].GemCol[2] = 0xFF00FF00;
  c[9].Shimmer[3] = -4;
  c[12].Spare[1] = 0.125;
  c[13].Rotation = 1.5;
  c[14].IsSelected = true;
  return cells;
}

TEST(BoardFile, EveryFieldOfEveryCellRoundTripsAndABoardOfAnotherLayoutDoesNotFit) {
  auto cells = PlayedBoard();
  const std::string bytes = EncodeBoard(*cells);
  ASSERT_EQ(bytes.size(), kBoardFileSize);
  ASSERT_EQ(kBoardFileSize, 501u * 282);
  auto back = std::make_unique<Cells>();
  std::string error;
  ASSERT_TRUE(DecodeBoard(bytes, *back, &error)) << error;
  EXPECT_EQ(EncodeBoard(*back), bytes);
  EXPECT_EQ(std::tuple((*back)[4].Ice, (*back)[7].Pos.CurY, (*back)[9].GemCol[2]), std::tuple(8, (*cells)[7].Pos.CurY, 0xFF00FF00u));
  EXPECT_TRUE((*back)[14].IsSelected && BoardFitsLevel(*back, *cells));
  // The first cell's removal state leads the record; booleans are -1/0.
  EXPECT_EQ(bytes.substr(6 * 282, 4), std::string("\x0B\0\0\0", 4));
  EXPECT_EQ(bytes.substr(14 * 282 + 6, 2), "\xFF\xFF");
  EXPECT_EQ(BoardFileName(7), "dump7.dat");
  auto saved = PlayedBoard("0 10 57");
  auto level = PlayedBoard("0 10 58");
  EXPECT_FALSE(BoardFitsLevel(*saved, *level, &error));
  EXPECT_NE(error.find("cell 57"), std::string::npos) << error;
  EXPECT_TRUE(BoardFitsLevel(*saved, *PlayedBoard("0 10 57")));
}

TEST(BoardFile, HostileBoardsAreRefusedAndLeaveTheCellsAlone) {
  auto cells = PlayedBoard();
  const std::string good = EncodeBoard(*cells);
  // Offsets within a cell record.
  constexpr std::size_t kIsExists = 10, kPosX = 12, kGnd = 172, kGem = 176, kIce = 180, kParent = 258;
  auto put32 = [](std::string& b, std::size_t at, std::int32_t v) {
    for (int i = 0; i < 4; ++i) b[at + std::size_t(i)] = char((std::uint32_t(v) >> (8 * i)) & 0xFF);
  };
  const std::vector<std::pair<const char*, std::function<void(std::string&)>>> cases = {
      {"short", [](std::string& b) { b.pop_back(); }},
      {"long", [](std::string& b) { b.push_back('\0'); }},
      {"empty", [](std::string& b) { b.clear(); }},
      {"boolean 5", [](std::string& b) { b[20 * 282 + kIsExists] = 5; }},
      {"removal state 7", [&](std::string& b) { put32(b, 20 * 282, 7); }},
      {"item 99", [&](std::string& b) { put32(b, 20 * 282 + kGem, 99); }},
      {"negative item", [&](std::string& b) { put32(b, 20 * 282 + kGem, -1); }},
      {"nine bubbles", [&](std::string& b) { put32(b, 20 * 282 + kIce, 9); }},
      {"tile 2", [&](std::string& b) { put32(b, 20 * 282 + kGnd, 2); }},
      {"parent 501", [&](std::string& b) { put32(b, 20 * 282 + kParent, 501); }},
      {"NaN position", [](std::string& b) { b.replace(20 * 282 + kPosX, 8, std::string("\0\0\0\0\0\0\xF8\x7F", 8)); }},
      {"item in a hole", [&](std::string& b) { put32(b, 10 * 282 + kGem, 3); }},
      {"item past the board", [&](std::string& b) { put32(b, 300 * 282 + kGem, 3); }},
  };
  for (const auto& [name, damage] : cases) {
    SCOPED_TRACE(name);
    std::string bad = good;
    damage(bad);
    auto out = PlayedBoard("");
    const std::string before = EncodeBoard(*out);
    std::string error;
    EXPECT_FALSE(DecodeBoard(bad, *out, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(EncodeBoard(*out), before);
  }
}

}  // namespace
}  // namespace bm

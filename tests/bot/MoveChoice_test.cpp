#include "bot/MoveChoice.h"

#include <gtest/gtest.h>

#include "tests/board/BoardKit.h"

namespace bm {
namespace {

using testing::BoardKit;

const MoveWorth* Find(const std::vector<MoveWorth>& ranked, int a, int b) {
  for (const MoveWorth& w : ranked)
    if ((w.move.from == a && w.move.to == b) || (w.move.from == b && w.move.to == a)) return &w;
  return nullptr;
}

// 44-55-66 in column 0, made by 61<->66 (61 touches 66 from column 1); 55
// may sit in bubbles.
void LineMadeBy61And66(BoardKit& kit, int bubblesOn55 = 0) {
  kit.Set(44, 1);
  kit.Set(55, 1, bubblesOn55);
  kit.Set(66, 2);
  kit.Set(61, 1);
}

// Column 0 runs 0, 11, 22, ...; 61 and 72 touch 66 from column 1.
TEST(MoveChoice, CountsTheCascadesOfTheJewelsShownAndNeverTheJewelsToCome) {
  BoardKit kit;
  // 61<->66 makes 44-55-66; the 5 at 33 then falls to 66 and makes 66-77-88.
  LineMadeBy61And66(kit);
  kit.Set(33, 5);
  kit.Set(77, 5);
  kit.Set(88, 5);
  // A plain line of four in column 4 (35-46-57-68), made by 63<->57.
  kit.Set(35, 3);
  kit.Set(46, 3);
  kit.Set(57, 4);
  kit.Set(68, 3);
  kit.Set(63, 3);
  // Column 8 (cells 4, 15, 26, ...): 4-15-26 made by 21<->26 drops new jewels on
  // 37 and 48; whatever comes, the bot cannot know it.
  kit.Set(4, 6);
  kit.Set(15, 6);
  kit.Set(26, 7);
  kit.Set(21, 6);
  kit.Set(37, 9);
  kit.Set(48, 9);
  MoveChooser chooser;
  std::vector<MoveWorth> ranked = chooser.Rank(kit.cells);
  const MoveWorth* cascade = Find(ranked, 61, 66);
  const MoveWorth* four = Find(ranked, 57, 63);
  const MoveWorth* top = Find(ranked, 21, 26);
  ASSERT_TRUE(cascade && four && top);
  EXPECT_EQ(cascade->gilds, 500);  // 66 is gilded once
  EXPECT_EQ(four->gilds, 400);
  EXPECT_EQ(top->gilds, 300);
  Rng rng(3);
  auto move = chooser.Choose(kit.cells, rng);
  ASSERT_TRUE(move);
  EXPECT_EQ(std::min(move->from, move->to), 61);
}

TEST(MoveChoice, BubblesBurstAndFallWithTheirJewel) {
  BoardKit kit;
  // 44-55-66 with a bubble on 55: 44 and 66 gild, 55 loses its bubble, keeps
  // its jewel and falls to 66 with the 5 from 33 above it onto 55.
  LineMadeBy61And66(kit, 1);
  kit.Set(33, 5);
  kit.Set(77, 1);  // 55's jewel lands on 66: 66-77 and 88 make a line
  kit.Set(88, 1);
  MoveChooser chooser;
  std::vector<MoveWorth> ranked = chooser.Rank(kit.cells);
  const MoveWorth* w = Find(ranked, 61, 66);
  ASSERT_TRUE(w);
  // First 44 and 66 gild and 55 bursts (270); after the fall 55's jewel, now
  // free, stands on the gold 66 over 77 and 88: 77 and 88 gild (200) and the
  // bubble-free jewel goes.
  EXPECT_EQ(w->gilds, 470);
}

TEST(MoveChoice, AJewelKeepsItsBubblesWhereItFalls) {
  BoardKit kit;
  // 61<->66 clears 44-55-66; the 5 in two bubbles at 33 falls to 66 and makes
  // 66-77-88. It loses one bubble and stays, so the 6 from 22 stops on 77,
  // short of the 6s at 99 and 110. Were the bubble left behind, the 5 would go,
  // the 6 would land on 88 and 88-99-110 would gild two more.
  LineMadeBy61And66(kit);
  kit.Set(33, 5, 2);
  kit.Set(22, 6);
  kit.Set(11, 7);
  kit.Set(77, 5);
  kit.Set(88, 5);
  kit.Set(99, 6);
  kit.Set(110, 6);
  MoveChooser chooser;
  std::vector<MoveWorth> ranked = chooser.Rank(kit.cells);
  const MoveWorth* w = Find(ranked, 61, 66);
  ASSERT_TRUE(w);
  EXPECT_EQ(w->gilds, 500);  // 44, 55, 66, then 77 and 88
}

TEST(MoveChoice, TakesTheTileFewLinesReachBeforeAnEasyOne) {
  BoardKit kit;
  // Two moves that each gild three tiles: the top right corner (5-16-27, made
  // by 21<->27) and the middle of the board (35-46-57, made by 63<->57).
  kit.Set(5, 3);
  kit.Set(16, 3);
  kit.Set(27, 4);
  kit.Set(21, 3);
  kit.Set(35, 8);
  kit.Set(46, 8);
  kit.Set(57, 4);
  kit.Set(63, 8);
  for (int seed = 1; seed <= 5; ++seed) {
    Rng rng{std::uint64_t(seed)};
    MoveChooser chooser;
    auto move = chooser.Choose(kit.cells, rng);
    ASSERT_TRUE(move);
    EXPECT_EQ(std::max(move->from, move->to), 27) << "seed " << seed;
  }
}

TEST(MoveChoice, ANewLayoutIsLearnedAgain) {
  BoardKit kit;
  LineMadeBy61And66(kit);
  MoveChooser chooser;
  ASSERT_TRUE(Find(chooser.Rank(kit.cells), 61, 66));
  // The same chooser on a board where 77 is a hole and 66 has no cell below.
  std::string layout;
  for (int i = 0; i < 77; ++i) layout += "f ";
  BoardKit holed(layout + ".");
  holed.Set(44, 1);
  holed.Set(55, 1);
  holed.Set(66, 2);
  holed.Set(61, 1);
  holed.Set(33, 5);
  holed.Set(88, 5);
  holed.Set(99, 5);
  std::vector<MoveWorth> ranked = chooser.Rank(holed.cells);
  const MoveWorth* w = Find(ranked, 61, 66);
  ASSERT_TRUE(w);
  EXPECT_EQ(w->gilds, 300);  // the 5 falls to 66 and stops there: 77 is a hole
}

}  // namespace
}  // namespace bm

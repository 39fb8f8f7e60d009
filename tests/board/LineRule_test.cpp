#include "board/LineRule.h"

#include <gtest/gtest.h>

#include <numbers>

#include "board/MarkMatches.h"
#include "board/MoveSearch.h"
#include "tests/board/BoardKit.h"

namespace bm {
namespace {

using testing::BoardKit;

// Cells 0, 11, 22, 33 are the top of column 0; 7, 12, 17 run down-left
// (axis 5); 1, 7, 13 run down-right (axis 6).

TEST(LineRule, FindsLinesOnAllThreeAxesWithTheirRotation) {
  BoardKit kit;
  for (int i : {0, 11, 22}) kit.Set(i, 1);
  for (int i : {7, 12, 17}) kit.Set(i, 2);
  for (int i : {3, 9, 15}) kit.Set(i, 3);  // 3 -> 9 -> 15 is down-right: +6 twice
  EXPECT_TRUE(IsLineAt(kit.cells, 11, 11) && IsLineAt(kit.cells, 12, 5) && IsLineAt(kit.cells, 9, 6));
  ASSERT_TRUE(MarkMatches(kit.cells));
  EXPECT_EQ(std::tuple(kit.cells[22].Rotation, kit.cells[17].Rotation, kit.cells[15].Rotation),
            std::tuple(std::numbers::pi / 2, std::numbers::pi / 6, -std::numbers::pi / 6));
  for (int i : {0, 11, 22, 7, 12, 17, 3, 9, 15}) {
    EXPECT_EQ(kit.cells[i].Disappear, Removal::Start) << i;
    EXPECT_FALSE(kit.cells[i].IsAvailable) << i;
    EXPECT_EQ(kit.cells[i].Parent, kNoCell);
  }
  EXPECT_EQ(kit.cells[33].Disappear, Removal::None);
}

TEST(LineRule, RunOfFourIsTwoLinesAndItsMiddleCountsTwice) {
  BoardKit kit("1 f f f f f  f f f f f\n"
               "1 f f f f f  f f f f f\n"
               "1g f f f f f  f f f f f\n"
               "1 f f f f f  f f f f f\n");
  ScoreMatches(kit.cells, kit.st);
  EXPECT_EQ(kit.st.MatchLines, 2);
  // 0,11,22 and 11,22,33: six cells, 22 is gold (1 each time), the rest new (25).
  EXPECT_EQ(kit.st.GoldSum, 25 + 25 + 1 + 25 + 1 + 25);
  EXPECT_EQ(std::tuple(kit.cells.fx[22].Points, kit.cells.fx[33].Points, kit.st.Combo, kit.CountSound("ev_game_collapse")),
            std::tuple(1, 25, 1, 1));
}

TEST(LineRule, ScoreMatchesKeepsParentMarkMatchesClearsItAndARemovalKeepsItsState) {
  BoardKit kit;
  for (int i : {0, 11, 22}) {
    kit.Set(i, 1);
    kit.cells[i].Parent = 40;
    kit.cells[i].ParentGem = 9;
  }
  ScoreMatches(kit.cells, kit.st);
  EXPECT_EQ(kit.cells[11].Parent, 40);
  EXPECT_EQ(kit.cells[11].Disappear, Removal::Start);
  for (int i : {0, 11, 22}) kit.cells[i].Disappear = Removal::None;
  MarkMatches(kit.cells);
  EXPECT_EQ(kit.cells[11].Parent, kNoCell);
  EXPECT_EQ(kit.cells[11].ParentGem, 1);
  // A cell already being removed keeps its state.
  for (int i : {0, 11, 22}) kit.cells[i].Disappear = Removal::None;
  kit.cells[11].Disappear = Removal::Removing;
  MarkMatches(kit.cells);
  EXPECT_EQ(kit.cells[11].Disappear, Removal::Removing);
  EXPECT_EQ(kit.cells[0].Disappear, Removal::Start);
}

TEST(LineRule, BonusItemsKeysAndEmptyCellsNeverFormLinesAndWouldMatchAgreesWithASearch) {
  BoardKit kit;
  for (int i : {0, 11, 22}) kit.Set(i, 46);  // three shuffles
  for (int i : {2, 13, 24}) kit.Set(i, 71);  // three red keys
  for (int i : {4, 15, 26}) kit.Set(i, 0);
  EXPECT_FALSE(MarkMatches(kit.cells));
  ScoreMatches(kit.cells, kit.st);
  EXPECT_EQ(kit.st.MatchLines, 0);
  EXPECT_EQ(kit.st.Combo, 0);
  // The move search's exchange test counts equal codes of any item.
  EXPECT_TRUE(WouldMatch(kit.cells, 50, 60));
  // The move search's exchange test agrees with a plain exchange-and-search on random boards.
  BoardKit boards;
  Rng rng(3);
  for (int round = 0; round < 40; ++round) {
    for (int i = 0; i < kCellCount; ++i) boards.cells[i].Gem = 1 + rng.Below(round % 2 ? 4 : 6);
    if (round % 5 == 0) boards.cells[rng.Below(116)].Gem = 46;
    for (int a = 0; a < kCellCount; ++a) {
      for (int d : {5, 6, 11}) {
        int b = a + d;
        if (b >= kCellCount) continue;
        bool would = WouldMatch(boards.cells, a, b);
        std::swap(boards.cells[a].Gem, boards.cells[b].Gem);
        bool any = false;
        for (int i = 0; i < kCellCount; ++i)
          for (int ax : {11, 5, 6}) any = any || IsLineAt(boards.cells, i, ax, true);
        std::swap(boards.cells[a].Gem, boards.cells[b].Gem);
        ASSERT_EQ(would, any) << a << " " << b;
      }
    }
  }
}

TEST(LineRule, RowEndsDoNotWrapIntoTheNextRowHolesBreakLinesBubblesDoNot) {
  // 0, 5, 10 are +5 apart but 0 and 5 stand at the two ends of the first row.
  BoardKit a;
  for (int i : {0, 5, 10}) a.Set(i, 1);
  EXPECT_FALSE(IsLineAt(a.cells, 5, 5));
  // 5, 11, 17 are +6 apart but 5 ends row 0 and 11 starts row 1.
  BoardKit b;
  for (int i : {5, 11, 17}) b.Set(i, 3);
  for (int i : {18, 24, 30}) b.Set(i, 2);  // control: a real down-right line
  EXPECT_FALSE(IsLineAt(b.cells, 11, 6));
  EXPECT_TRUE(IsLineAt(b.cells, 24, 6));
  EXPECT_FALSE(MarkMatches(a.cells));

  // Holes break lines, bubbles do not.
  BoardKit kit("1 f f f f f  f f f f f\n"
               ". f f f f f  f f f f f\n"
               "1 f f f f f  f f f f f\n");
  kit.cells[11].Gem = 1;  // an item in a hole must not count
  EXPECT_FALSE(IsLineAt(kit.cells, 11, 11));
  kit.Set(12, 4, 3);
  for (int i : {1, 23}) kit.Set(i, 4);
  EXPECT_TRUE(IsLineAt(kit.cells, 12, 11));
}

}  // namespace
}  // namespace bm

#include "board/MoveSearch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "tests/board/BoardKit.h"

namespace bm {
namespace {

using testing::BoardKit;

// One move on an otherwise dead board: 0 and 11 hold 1, 28 holds 1; swapping
// 28 with 22 completes column 0.
void OneMove(BoardKit& kit) {
  for (int i : {0, 11, 28}) kit.Set(i, 1);
}

TEST(MoveCount, ShowsDashesFor116SettledFramesThenTheCountAndCountsPast300Entries) {
  BoardKit kit;
  OneMove(kit);
  for (int k = 0; k < 115; ++k) {
    kit.Frame();
    ASSERT_EQ(kit.st.MovesText, "--") << k;
  }
  kit.Frame();
  EXPECT_EQ(kit.st.MovesText, "1");  // found from both cells, counted once
  EXPECT_EQ(kit.st.MovesAvailable, 1);
  EXPECT_EQ(kit.st.MovesFound, 2);
  EXPECT_TRUE(kit.st.MovesCounted);
  std::set<std::pair<int, int>> listed{{kit.st.MoveFrom[1], kit.st.MoveTo[1]}, {kit.st.MoveFrom[2], kit.st.MoveTo[2]}};
  EXPECT_EQ(listed, (std::set<std::pair<int, int>>{{22, 28}, {28, 22}}));
  // More than 300 entries still count, and the hints stay in the list.
  BoardKit many;
  Rng rng(5);
  many.level.JewelKinds = {1, 2};
  FillRandom(many.cells, many.level, rng);
  std::size_t entries = ListMoves(many.cells).size();
  ASSERT_GT(entries, 300u);
  BoardCtx c = many.Ctx();
  many.st.LastHintTime = int(many.now) - 20000;
  EXPECT_EQ(CountMovesAll(c), int(entries / 2));
  EXPECT_EQ(many.st.MovesFound, int(entries));
  EXPECT_TRUE(many.st.HintVisible);
  EXPECT_TRUE(many.cells[many.st.HintA].IsExists);
  // The next hint is another move than the one shown, even where the draw falls on it.
  Rng next = many.rng;
  const std::size_t k = std::size_t(next.Below(kMoveListSize - 1) + 1);
  many.st.HintA = many.st.MoveTo[k], many.st.HintB = many.st.MoveFrom[k];
  many.st.LastHintTime = int(many.now) - 20000;
  CountMovesAll(c);
  EXPECT_NE(std::minmax(many.st.HintA, many.st.HintB), std::minmax(many.st.MoveTo[k], many.st.MoveFrom[k]));
}

TEST(Hints, ComeTenSettledSecondsAfterTheLastChangeThenEveryTenNeverWhileBusy) {
  BoardKit kit;
  OneMove(kit);
  double start = kit.now;
  double firstHint = 0;
  while (kit.now - start < 30000) {
    kit.Frame();
    if (kit.st.HintVisible && firstHint == 0) firstHint = kit.now - start;
  }
  // Scans end every 116 x 35 = 4060 ms; the first one past 10 s is the third.
  EXPECT_DOUBLE_EQ(firstHint, 3 * 4060);
  EXPECT_EQ(kit.CountSound("ev_game_hint"), 2);  // at 12.18 s and 24.36 s
  EXPECT_TRUE(kit.st.HintA == 22 || kit.st.HintA == 28);
  // Never while the board is busy, and any change hides them.
  BoardKit busy;
  OneMove(busy);
  double busyStart = busy.now;
  bool shownWhileBusy = false;
  while (busy.now - busyStart < 9000) {
    busy.cells[100].Disappear = Removal::DropDone;  // busy every frame for nine seconds
    busy.Frame();
    shownWhileBusy = shownWhileBusy || busy.st.HintVisible;
  }
  EXPECT_FALSE(shownWhileBusy);
  double settled = busy.now;
  while (!busy.st.HintVisible) busy.Frame();
  EXPECT_GE(busy.now - settled, 10000);
  busy.cells[100].Disappear = Removal::DropDone;
  busy.Frame();
  EXPECT_FALSE(busy.st.HintVisible);
}

TEST(NoMoves, CaptionsThenEveryFreeItemDropsAndIsReplaced) {
  BoardKit kit({}, true);  // the filler has no move; refill on
  kit.cells[60].Ice = 2;
  int cell0 = kit.cells[0].Gem, bubbled = kit.cells[60].Gem;
  kit.Frames(116);
  EXPECT_EQ(kit.st.MovesText, "0");
  EXPECT_TRUE(kit.st.NoMovesRunning);
  EXPECT_FALSE(kit.st.NoMovesPhase);
  NoMovesCaption cap = CaptionOf(kit.st);
  EXPECT_STREQ(cap.text, "NO MORE MOVES");
  EXPECT_EQ(cap.argb & 0xFFFFFF, 0xE08000u);

  // Clicks are not taken meanwhile.
  kit.Click(40);
  EXPECT_EQ(kit.st.SelectedCell, kNoSelection);

  int frames = 0;
  while (!kit.st.NoMovesPhase && frames++ < 500) kit.Frame();
  EXPECT_STREQ(CaptionOf(kit.st).text, "RESHUFFLING");
  while (kit.st.NoMovesRunning && frames++ < 500) kit.Frame();
  ASSERT_FALSE(kit.st.NoMovesRunning);
  EXPECT_EQ(kit.CountSound("bon_reshuf"), 1);
  EXPECT_EQ(kit.cells[40].Disappear, Removal::Dropping);
  EXPECT_EQ(kit.cells[0].Disappear, Removal::None);  // cell 0 is left out
  EXPECT_EQ(kit.cells[60].Disappear, Removal::None);
  while (kit.cells[40].Disappear != Removal::None && frames++ < 500) kit.Frame();
  EXPECT_EQ(kit.cells[0].Gem, cell0);
  EXPECT_EQ(kit.cells[60].Gem, bubbled);
  EXPECT_EQ(kit.cells[60].Ice, 2);
  EXPECT_EQ(kit.cells[40].Gnd, 0);  // a drop does not gild
  EXPECT_EQ(kit.cells[40].Pos.CurY, kit.cells[40].Pos.Y);
  kit.Settle();
  for (int i = 0; i < kCellCount; ++i) EXPECT_NE(kit.cells[i].Gem, 0) << i;
}

}  // namespace
}  // namespace bm

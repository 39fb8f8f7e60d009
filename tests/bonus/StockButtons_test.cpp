#include <gtest/gtest.h>

#include "BonusKit.h"
#include "board/ItemCodes.h"
#include "bonus/BonusKinds.h"
#include "bonus/StockButtons.h"

namespace bm::testing {
namespace {

void Press(BonusKit& k, StockButton b) {
  BoardCtx c = k.Ctx();
  PressStockButton(c, b);
}

TEST(StockButtons, SunRemovesABubbledJewelWithAllItsBubbles) {
  BonusKit k;
  k.Set(57, 21, 3);
  k.player.sunCount = 1;
  Press(k, StockButton::Sun);
  EXPECT_EQ(k.player.sunCount, 0);
  EXPECT_TRUE(k.st.SunArmed);
  k.Click(57);
  k.Settle();
  EXPECT_EQ(std::tuple(k.cells[57].Gnd, k.cells[57].Ice, k.st.SunArmed, k.CountSound("bon_sun")), std::tuple(1, 0, false, 1));
}

// On a busy board (items falling, bomb flames flying) a click leaves the sun
// armed and the cell alone; the first click on the settled board uses it.
TEST(StockButtons, SunWaitsForASettledBoard) {
  for (bool flames : {false, true}) {
    BonusKit k;
    k.player.sunCount = 1;
    Press(k, StockButton::Sun);
    if (flames) {
      k.Trigger(60, 44);
    } else {
      for (int i : {45, 56, 67}) k.Set(i, 0);  // column 1 falls into the gap
    }
    int gem = k.cells[90].Gem;
    k.PointAt(90);
    k.Frame();
    ASSERT_FALSE(AtRest(PhaseOf(k.cells, k.st))) << flames;
    ASSERT_TRUE(!flames || k.bonus->EffectsAlive > 0);
    k.left = true;
    k.Frame();
    ASSERT_FALSE(AtRest(PhaseOf(k.cells, k.st))) << flames;
    k.left = false;
    k.Frame();
    EXPECT_EQ(std::tuple(k.st.SunArmed, k.cells[90].Gem, k.cells[90].Disappear, k.CountSound("bon_sun")),
              std::tuple(true, gem, Removal::None, 0)) << flames;
    k.RunOut();
    if (k.cells[90].Gnd == 1) continue;  // the flames reached it: nothing left to show
    k.Click(90);
    k.Settle();
    EXPECT_EQ(std::tuple(k.st.SunArmed, k.cells[90].Gnd, k.CountSound("bon_sun"), k.player.sunCount),
              std::tuple(false, 1, 1, 0)) << flames;
  }
}

TEST(StockButtons, RightClickGivesArmedAnchorAndSunBack) {
  BonusKit k;
  k.player.anchorCount = 1;
  k.player.sunCount = 2;
  Press(k, StockButton::Hook);
  Press(k, StockButton::Hook);  // already armed: nothing
  Press(k, StockButton::Sun);
  Press(k, StockButton::Sun);
  EXPECT_EQ(std::pair(k.player.anchorCount, k.player.sunCount), std::pair(0, 1));
  k.right = true;
  k.Frame();
  k.right = false;
  k.Frame();
  EXPECT_FALSE(k.st.AnchorArmed || k.st.SunArmed);
  EXPECT_EQ(std::pair(k.player.anchorCount, k.player.sunCount), std::pair(1, 2));
}

TEST(StockButtons, AnchorSwapsDistantItemsAndNeverSwapsBack) {
  BonusKit k;
  k.player.anchorCount = 1;
  Press(k, StockButton::Hook);
  int a = 13, b = 90;
  int ga = k.cells[a].Gem, gb = k.cells[b].Gem;
  ASSERT_NE(ga, gb);
  k.Click(a);
  k.Click(b);
  k.Settle();
  EXPECT_EQ(std::pair(k.cells[a].Gem, k.cells[b].Gem), std::pair(gb, ga));
  EXPECT_FALSE(k.st.AnchorArmed);
  EXPECT_EQ(k.CountSound("bon_anc"), 1) << "heard at the swap, not when the hook is armed";
}

TEST(StockButtons, ParrotShowsEveryMoveAndWaitsForASettledBoard) {
  BonusKit k;
  // One move: 30 30 _ 30 in a column, the gap holding another kind.
  for (int i : {2, 13, 35}) k.Set(i, 30);
  k.player.parrotCount = 2;
  k.st.BoardIdle = false;
  Press(k, StockButton::Parrot);
  EXPECT_EQ(k.player.parrotCount, 2);
  k.Frames(3);
  Press(k, StockButton::Parrot);
  EXPECT_EQ(k.player.parrotCount, 1);
  EXPECT_TRUE(k.st.ParrotShowing);
  EXPECT_GE(k.st.MovesFound, 2);
  EXPECT_EQ(k.st.MovesText, std::to_string(k.st.MovesAvailable));
  Press(k, StockButton::Parrot);  // already showing
  EXPECT_EQ(k.player.parrotCount, 1);
}

TEST(StockButtons, ShuffleDropsFreeItemsButNotBubbledOnesKeysOrStars) {
  BonusKit k({}, true);
  k.Set(57, 21, 2);
  const int kept[] = {item::FirstKey + 3, item::BlueStar, item::GoldStar};
  for (int i = 0; i < 3; ++i) k.Set(60 + i, kept[i]);
  k.player.shuffleCount = 1;
  k.st.NoMovesRunning = true;  // the no-moves captions end in a shuffle of their own
  Press(k, StockButton::Shuffle);
  EXPECT_EQ(k.player.shuffleCount, 1);
  k.st.NoMovesRunning = false;
  Press(k, StockButton::Shuffle);
  EXPECT_EQ(k.player.shuffleCount, 0);
  EXPECT_EQ(std::tuple(k.cells[57].Disappear, k.cells[58].Disappear, k.cells[0].Disappear),
            std::tuple(Removal::None, Removal::Dropping, Removal::None));
  EXPECT_EQ(k.CountSound("bon_reshuf"), 1);
  Press(k, StockButton::Shuffle);
  EXPECT_EQ(k.CountSound("bon_reshuf"), 1);
  k.Settle();
  // They may have fallen into a gap the shuffle left, but they are on the board.
  for (int code : kept) {
    int found = 0;
    for (int i = 0; i < kCellCount; ++i) found += k.cells[i].Gem == code;
    EXPECT_EQ(found, 1) << code << ": a key or a star cannot come again on this level";
  }
}

TEST(StockButtons, ShowFreeFlashesTwoTurnsInCyclingColours) {
  BonusKit k;
  Press(k, StockButton::ShowFree);
  ASSERT_TRUE(ShowFreeTint(*k.bonus).has_value());
  EXPECT_EQ(*ShowFreeTint(*k.bonus), 0xFF80ED12u);  // angle 0: 128, 237, 18
  int frames = 0;
  while (k.bonus->ShowFreeActive && frames < 100) {
    k.Frame();
    ++frames;
  }
  EXPECT_EQ(frames, 20);  // 720 degrees at 36 a frame
  EXPECT_FALSE(ShowFreeTint(*k.bonus).has_value());
  EXPECT_EQ(k.CountSound("bon_sign"), 1);
}

TEST(StockButtons, ButtonsSitInThePanelColumnAndAreFoundByPoint) {
  ScreenMetrics m = ScreenMetrics::For(1280, 1024);
  double x = 0, y = 0;
  PanelAnchor(m, 1, x, y);
  EXPECT_EQ(std::pair(x, y), std::pair(1165.0, 114.0));
  PanelAnchor(m, 7, x, y);
  EXPECT_EQ(y, 780);
  for (StockButton b : {StockButton::ShowFree, StockButton::Parrot, StockButton::Shuffle, StockButton::Hook,
                        StockButton::Sun}) {
    const IRect hit = StockButtonHitRect(m, b);  // wider than the face: a fingertip's reach
    EXPECT_EQ(StockButtonAt(m, hit.left, hit.bottom - 1), b);
  }
  EXPECT_EQ(StockButtonAt(m, 600, 500), StockButton::None);
}

}  // namespace
}  // namespace bm::testing

namespace bm::testing {
namespace {

TEST(CheatKeys, PutABonusThatWorksIntoTheSelectedCell) {
  BonusKit k;
  k.Click(57);
  ASSERT_EQ(k.st.SelectedCell, 57);
  k.keys = mkey::CheatMode | mkey::F2;
  k.Frame();
  k.keys = mkey::CheatMode;
  EXPECT_EQ(k.cells[57].Gem, 45);
  EXPECT_EQ(k.st.SelectedCell, kNoSelection);
  int partner = k.cells[68].Gem;  // straight below
  auto count = [&] {
    int n = 0;
    for (int i = 0; i < kCellCount; ++i) n += k.cells[i].Gem == partner;
    return n;
  };
  int before = count();
  k.Click(57);
  k.Click(68);
  k.RunOut();
  EXPECT_EQ(k.bonus->Figures.used[45], 1);
  EXPECT_EQ(k.cells[68].Gnd, 1);  // the gem, swapped down, went with its tile gilded
  EXPECT_LE(count(), before - 10);
}

}  // namespace
}  // namespace bm::testing

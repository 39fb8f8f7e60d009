#include <gtest/gtest.h>

#include "BonusKit.h"
#include "bonus/Rum.h"

namespace bm::testing {
namespace {

TEST(Rum, RumSwapsTurnNeverGoBackNorMakeALineStopAtTheLevelEndAndAreWastedWithoutAPair) {
  BonusKit k;
  k.player.rumCount = 30;
  int swaps = 0;
  std::array<int, kCellCount> before{};
  for (int f = 0; f < 30 * 30 && k.player.rumCount > 0; ++f) {
    bool idle = k.st.SwapState == SwapPhase::Idle;
    for (int i = 0; i < kCellCount; ++i) before[std::size_t(i)] = k.cells[i].Gem;
    k.Frame();
    if (idle && k.st.SwapState != SwapPhase::Idle) {
      ++swaps;
      EXPECT_TRUE(k.player.rumSwap);
      int a = k.st.SwapA, b = k.st.SwapB;
      int ga = before[std::size_t(a)], gb = before[std::size_t(b)];
      int guard = 0;
      while (k.st.SwapState != SwapPhase::Idle && guard++ < 200) {
        EXPECT_NE(k.st.SwapState, SwapPhase::SetDownBack) << "a rum swap went back";
        k.Frame();
      }
      EXPECT_EQ(k.cells[a].Gem, gb);
      EXPECT_EQ(k.cells[b].Gem, ga);
      EXPECT_FALSE(k.player.rumSwap);
      for (int i = 0; i < kCellCount; ++i) EXPECT_EQ(k.cells[i].Disappear, Removal::None);
    }
  }
  EXPECT_GT(swaps, 0);
  EXPECT_EQ(k.CountSound("bon_rum_change"), swaps);
  // The rum stops at the level's end.
  BonusKit ending;
  ending.player.rumCount = 10;
  ending.bonus->RumFlag = true;
  ending.st.LevelComplete = true;
  BoardCtx c = ending.Ctx();
  RumTick(c);
  EXPECT_EQ(ending.player.rumCount, 0);
  EXPECT_EQ(ending.st.SwapState, SwapPhase::Idle);
  // On a board without a valid pair the second is wasted.
  // No jewel at all: bonus items never swap by themselves, and never line up.
  std::string layout;
  for (int i = 0; i < kCellCount; ++i) layout += "53 ";
  BonusKit wasted(layout);
  wasted.player.rumCount = 30;
  for (int s = 0; s < 5; ++s) {
    wasted.Frames(29);  // a second of frames
  }
  EXPECT_EQ(wasted.st.SwapState, SwapPhase::Idle);
  EXPECT_FALSE(wasted.player.rumSwap);
  EXPECT_LE(wasted.player.rumCount, 26);
  EXPECT_GE(wasted.player.rumCount, 24);
}

}  // namespace
}  // namespace bm::testing

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BonusKit.h"
#include "bonus/Rewards.h"
#include "bonus/StockButtons.h"

namespace bm::testing {
namespace {

const RewardPopup* FirstPopup(const BonusState& b) {
  for (const RewardPopup& p : b.Popups)
    if (p.Active) return &p;
  return nullptr;
}

// Moves the clock on by ms and runs the popups once.
void StepPopups(BonusKit& k, BoardCtx& c, double ms) {
  c.now = k.now += ms;
  RewardPopupsStep(c);
}

TEST(Rewards, ChestPointsArriveWhenItsPopupEnds) {
  BonusKit k;
  k.Grades().PowerGrade[4] = 3;
  BoardCtx c = k.Ctx();
  ShowItemReward(c, 41, 57);
  const RewardPopup* p = FirstPopup(*k.bonus);
  ASSERT_NE(p, nullptr);
  EXPECT_EQ(p->Text, "+8000 Points");
  EXPECT_EQ(p->Color, 0xFFFFFF80u);
  EXPECT_EQ(k.CountSound("bon_treasure"), 1);
  int before = k.st.Score;
  StepPopups(k, c, 900);
  EXPECT_EQ(k.st.Score, before);
  StepPopups(k, c, 200);
  EXPECT_EQ(k.st.Score, before + 8000);
  EXPECT_EQ(k.bonus->PopupsAlive, 0);
}

TEST(Rewards, ClockTimeArrivesAtPopupEndAndKeepsTheSand) {
  for (auto [grade, text, seconds] : {std::tuple{1, "+1 minute", 60.0}, {2, "+90 seconds", 90.0}}) {
    BonusKit k;
    k.Grades().PowerGrade[3] = std::int16_t(grade);
    k.level.TimeLimit = 100;
    k.level.SandLeft = 0.5;
    BoardCtx c = k.Ctx();
    ShowItemReward(c, 43, 57);
    EXPECT_EQ(FirstPopup(*k.bonus)->Text, text);
    EXPECT_DOUBLE_EQ(k.level.TimeLimit, 100);
    StepPopups(k, c, 1000);
    EXPECT_DOUBLE_EQ(k.level.TimeLimit, 100 + seconds);
    EXPECT_DOUBLE_EQ(k.level.SandLeft, (50.0 + seconds) / (100 + seconds));
  }
}

TEST(Rewards, LifeKeyAndStarsAreCreditedAtOnce) {
  BonusKit k;
  BoardCtx c = k.Ctx();
  ShowItemReward(c, 42, 10);
  EXPECT_EQ(k.lives, 4);
  ShowItemReward(c, 74, 11);  // lettuce key
  EXPECT_NE(Key(k.Keys(), 4).Flag, 0);
  EXPECT_EQ(k.bonus->Figures.keysFound, 1);
  bool sawKeyText = false;
  for (const RewardPopup& p : k.bonus->Popups)
    if (p.Active && p.Text == "Lettuce Key Revealed") sawKeyText = p.Color == 0xFFC0FFA0u;
  EXPECT_TRUE(sawKeyText);
  ShowItemReward(c, 74, 11);  // the same key again
  EXPECT_EQ(k.bonus->Figures.keysFound, 1);
  for (int n = 0; n < 7; ++n) ShowItemReward(c, 54, 12);
  for (int j = 1; j <= 6; ++j) EXPECT_NE(k.Stars().Object[std::size_t(j)].Flag, 0);
  EXPECT_EQ(k.Stars().Object[12].Flag, 0);  // no gold star
  EXPECT_EQ(k.bonus->Figures.starsFound, 6);
  ShowItemReward(c, 55, 12);
  EXPECT_NE(k.Stars().Object[12].Flag, 0);
  EXPECT_EQ(k.CountSound("bon_key"), 2);
  EXPECT_EQ(k.CountSound("bon_coin_blue"), 7);
}

TEST(Rewards, EachKeyNamesItsColour) {
  std::vector<std::string> texts;
  for (int code = 71; code <= 80; ++code) {
    BonusKit k;
    BoardCtx c = k.Ctx();
    ShowItemReward(c, code, 57);
    texts.push_back(FirstPopup(*k.bonus)->Text);
  }
  EXPECT_EQ(texts, (std::vector<std::string>{"Red Key Revealed", "Orange Key Revealed", "Yellow Key Revealed",
                                             "Lettuce Key Revealed", "Green Key Revealed", "Cyan Key Revealed",
                                             "Blue Key Revealed", "Purple Key Revealed", "Magenta Key Revealed",
                                             "Tan Key Revealed"}));
}

TEST(Rewards, ButtonBonusFliesToItsButtonAndCountsOnArrivalAndRumFillsItsStock) {
  BonusKit k;
  k.player.tipsOn = true;
  BoardCtx c = k.Ctx();
  ShowItemReward(c, 47, 57);
  EXPECT_EQ(k.CountSound("bon_pick"), 1);
  const RewardPopup* p = FirstPopup(*k.bonus);
  ASSERT_NE(p, nullptr);
  double bx = 0, by = 0;
  StockButtonCentre(k.metrics, StockButton::Parrot, bx, by);
  EXPECT_EQ(k.player.parrotCount, 0);
  StepPopups(k, c, 999);
  EXPECT_EQ(k.player.parrotCount, 0);
  StepPopups(k, c, 1);
  EXPECT_EQ(k.player.parrotCount, 1);
  EXPECT_EQ(k.Tips(), std::vector<int>{8}) << "the parrot's tip, at its button";
  EXPECT_NEAR(p->X, bx, 0.5);
  EXPECT_NEAR(p->Y, by, 0.5);
  // A rum's popup fills the rum stock when it ends.
  BonusKit rum;
  BoardCtx rc = rum.Ctx();
  ShowItemReward(rc, 48, 57);
  EXPECT_EQ(rum.player.rumCount, 0);
  StepPopups(rum, rc, 1000);
  EXPECT_EQ(rum.player.rumCount, 30);
  EXPECT_TRUE(rum.bonus->RumFlag);
  EXPECT_DOUBLE_EQ(rum.bonus->RumTimer, rum.now);
}

TEST(Rewards, WithEveryPopupSlotTakenTheRewardIsPaidAtOnceAndOtherCodesGiveNothing) {
  BonusKit k;
  for (RewardPopup& p : k.bonus->Popups) p.Active = true;
  k.bonus->PopupsAlive = kPopupSlots;
  BoardCtx c = k.Ctx();
  int before = k.st.Score;
  ShowItemReward(c, 41, 57);
  ShowItemReward(c, 46, 57);
  EXPECT_EQ(k.st.Score, before + 1000);
  EXPECT_EQ(k.player.shuffleCount, 1);
  // Codes that are neither bonus nor key give nothing.
  BonusKit other;
  BoardCtx oc = other.Ctx();
  for (int code : {0, 5, 40, 61, 70, 81}) ShowItemReward(oc, code, 57);
  EXPECT_EQ(other.bonus->PopupsAlive, 0);
  EXPECT_TRUE(other.Sounds().empty());
}

TEST(Rewards, TriggeredChestOnTheBoardPaysThroughTheFrame) {
  BonusKit k;
  k.Trigger(57, 41);
  k.Frame();
  EXPECT_EQ(k.bonus->PopupsAlive, 1);
  int afterAward = 0;
  for (int f = 0; f < 60; ++f) {
    k.Frame();
    if (f == 20) afterAward = k.st.Score;
  }
  EXPECT_EQ(k.st.Score, afterAward + 1000);
}

TEST(Rewards, PopupsStillFlyingAtTheLevelEndStillPay) {
  BonusKit k;
  k.m.session.Score = 500;
  BoardCtx c = k.Ctx();
  ShowItemReward(c, 41, 57);
  ShowItemReward(c, 51, 58);
  ShowItemReward(c, 43, 59);  // a clock's time belongs to the level that ended
  BeginLevel(k.m, k.now + 100);  // the next level starts before any popup ends
  EXPECT_EQ(k.m.session.Score, 1500);
  EXPECT_EQ(k.st.Score, 1500);
  EXPECT_EQ(k.player.anchorCount, 1);
  EXPECT_EQ(k.bonus->PopupsAlive, 0);
  BonusKit twin;
  BeginLevel(twin.m, twin.now + 100);
  EXPECT_EQ(k.level.TimeLimit, twin.level.TimeLimit);
  EXPECT_EQ(k.level.SandLeft, twin.level.SandLeft);
}

}  // namespace
}  // namespace bm::testing

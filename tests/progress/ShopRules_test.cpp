// Dropping keys and stars in the Pirate Shop.
#include <gtest/gtest.h>

#include <string>

#include "progress/ShopRules.h"
#include "render/ShopLayout.h"

namespace bm {
namespace {

struct Shop {
  ItemRecord items = NewGameItems();
  ItemRecord stars = NewGameStars();
  GradeRecord grades = NewGameGrades();
  ShopSlot slot{items, stars, grades};
  std::string Drop(int what, bool star, int item) {
    const PlacedObject& o = star ? stars.Object[std::size_t(what)] : Key(items, what);
    EXPECT_EQ(star ? StarAt(stars, o.PosX, o.PosY) : KeyAt(items, o.PosX, o.PosY), what) << "picked up at home";
    const char* take = star ? TakeStar(slot, what) : TakeKey(slot, what);
    EXPECT_NE(take, nullptr);
    double x = item ? ShopItemX(item) : 640, y = item ? ShopItemY(item) : 900;
    CarryTo(slot, x, y);
    EXPECT_EQ(ShopItemAt(x, y), item);
    const char* cue = Release(slot, ShopItemAt(x, y));
    EXPECT_EQ(items.Dragged, 0);
    EXPECT_EQ(stars.Dragged, 0);
    return cue ? cue : "";
  }
};

TEST(ShopDrops, KeysOpenTheirOwnLockAndReLockInTheirColour) {
  Shop s;
  Key(s.items, 1).Flag = -1;
  Key(s.items, 2).Flag = -1;
  EXPECT_EQ(s.Drop(2, false, 1), "ev_shop_key_fail") << "another colour";
  EXPECT_TRUE(ItemLocked(s.slot, 1));
  EXPECT_EQ(Key(s.items, 2).PosX, Key(s.items, 2).HomeX) << "the key goes home";
  EXPECT_EQ(s.Drop(1, false, 1), "ev_shop_open");
  EXPECT_FALSE(ItemLocked(s.slot, 1));
  EXPECT_NE(Key(s.items, 1).Flag, 0) << "the key stays found";
  // Any key locks an open item again, in its own colour; then only that key opens it.
  EXPECT_EQ(s.Drop(2, false, 1), "ev_shop_close");
  EXPECT_TRUE(ItemLocked(s.slot, 1));
  EXPECT_EQ(Lock(s.items, 1).Index, 2);
  EXPECT_EQ(s.Drop(1, false, 1), "ev_shop_key_fail");
  EXPECT_EQ(s.Drop(2, false, 1), "ev_shop_open");
  EXPECT_EQ(s.Drop(1, false, 0), "ev_shop_key_put") << "dropped beside the cards";
  EXPECT_EQ(TakeKey(s.slot, 5), nullptr) << "a key not found cannot be taken";
}

TEST(ShopDrops, BlueStarsRaiseChanceOfOpenItemsUpToThreeGoldOnesPowerOfTheFirstFour) {
  Shop s;
  for (int i = 1; i <= kBlueStars; ++i) s.stars.Object[std::size_t(i)].Flag = -1;
  EXPECT_EQ(s.Drop(1, true, 7), "ev_shop_star_fail") << "a locked item";
  EXPECT_NE(s.stars.Object[1].Flag, 0) << "the star returns";
  EXPECT_EQ(s.stars.Object[1].PosX, s.stars.Object[1].HomeX);
  Lock(s.items, 7).Flag = 0;
  for (int star = 1; star <= 3; ++star) {
    EXPECT_EQ(s.Drop(star, true, 7), "ev_shop_stars_blue");
    EXPECT_EQ(s.stars.Object[std::size_t(star)].Flag, 0) << "the slot is emptied";
  }
  EXPECT_EQ(s.grades.ChanceGrade[7], 3);
  EXPECT_EQ(s.Drop(4, true, 7), "ev_shop_star_fail") << "a full item";
  EXPECT_EQ(s.grades.ChanceGrade[7], 3);
  EXPECT_NE(s.stars.Object[4].Flag, 0);
  EXPECT_EQ(s.Drop(4, true, 0), "ev_shop_star_put");
  EXPECT_EQ(s.grades.PowerGrade[7], 0) << "a blue star never touches the power";
  // Gold stars raise the power of the first four only.
  Shop gold;
  for (int i = kGoldStarFirst; i <= kGoldStarLast; ++i) gold.stars.Object[std::size_t(i)].Flag = -1;
  for (int item = 1; item <= kShopItems; ++item) Lock(gold.items, item).Flag = 0;
  for (int item = 5; item <= kShopItems; ++item) EXPECT_EQ(gold.Drop(12, true, item), "ev_shop_star_fail") << item;
  EXPECT_EQ(gold.Drop(12, true, 3), "ev_shop_stars_gold");
  EXPECT_EQ(gold.grades.PowerGrade[3], 1);
  EXPECT_EQ(gold.grades.ChanceGrade[3], 0);
  Lock(gold.items, 4).Flag = -1;
  EXPECT_EQ(gold.Drop(13, true, 4), "ev_shop_star_fail") << "locked";
  gold.grades.PowerGrade[2] = 3;
  EXPECT_EQ(gold.Drop(13, true, 2), "ev_shop_star_fail") << "full";
}

TEST(ShopDrops, CheatKeysAddAndTakeStarsAndToggleKeys) {
  Shop s;
  int calls = 0;
  auto below = [&](int n) { return calls++ % n; };
  for (int i = 0; i < kBlueStars; ++i) EXPECT_TRUE(CheatStar(s.slot, false, true, below));
  EXPECT_FALSE(CheatStar(s.slot, false, true, below)) << "six blue stars at most";
  EXPECT_TRUE(CheatStar(s.slot, false, false, below));
  EXPECT_FALSE(CheatStar(s.slot, true, false, below)) << "no gold star to take";
  CheatToggleKey(s.slot, 10);
  EXPECT_NE(Key(s.items, 10).Flag, 0);
  CheatToggleKey(s.slot, 10);
  EXPECT_EQ(Key(s.items, 10).Flag, 0);
}

}  // namespace
}  // namespace bm

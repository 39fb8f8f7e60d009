// The between-levels screen and the congratulations screen, headless on the
// virtual clock, driven by scripted clicks and keys.
#include <gtest/gtest.h>

#include "FlowKit.h"
#include "render/BetweenLevelsDraw.h"
#include "render/CreditsDraw.h"
#include "shell/BetweenLevelsScreen.h"
#include "shell/BotPlayer.h"
#include "shell/CreditsScreen.h"
#include "render/ShopLayout.h"
#include "shell/PlaySide.h"
#include "shell/ScreenKit.h"
#include "shell/ShopView.h"
#include "storage/ItemStatus.h"

namespace bm {
namespace {

// The map and the shop before level n; returns the level chosen.
// The level the map and the shop lead to.
int Between(test::FlowGame& h, int n) {
  h.Run(std::make_unique<BetweenLevelsScreen>(h.play(), n, h.s().saves));
  return n;
}

TEST(BetweenLevels, MapShopMapThenContinueWithTheirSounds) {
  test::FlowGame h(120, true);
  Services& s = h.s();
  const ScreenMetrics& m = s.look.metrics;
  h.Click(500, BetweenButtonRect(m, BetweenButton::Shop));
  h.Click(1000, BetweenButtonRect(m, BetweenButton::Map));
  h.Click(3000, BetweenButtonRect(m, BetweenButton::Continue));
  double start = h.Now();
  EXPECT_EQ(Between(h, 12), 12);
  EXPECT_FALSE(s.loop.ExitRequested);
  EXPECT_NEAR(h.Now() - start, 3100, 200) << "left on the continue button's release";
  EXPECT_EQ(std::pair(h.Heard("ev_map_paper"), h.Heard("ev_map_sea")), std::pair(2, 0));
  // Stage 2's ambience, and the pulse once the marker has arrived.
  EXPECT_TRUE(h.Heard("ev_map_wind") >= 1 && h.Heard("ev_map_current") >= 1);
  EXPECT_TRUE(s.loop.Input.ClickLatch) << "the click that left is not taken by the next screen";
}

TEST(BetweenLevels, AHeldButtonDoesNotLeaveEscapeDoesAndTheCheatKeysMoveTheLevel) {
  test::FlowGame h;
  IRect cont = BetweenButtonRect(h.s().look.metrics, BetweenButton::Continue);
  // A button still held from the level, released over "Continue", is not a click.
  h.win().SetPointer((cont.left + cont.right) / 2.0, (cont.top + cont.bottom) / 2.0);
  h.win().SetButton(1, true);
  h.win().Script({ScriptEvent::ButtonUp, h.Now() + 300, 0, 0, 1});
  h.s().loop.Input.CheatMode = true;
  h.win().ScriptKey(h.Now() + 600, vk::Up, 200);
  h.win().ScriptKey(h.Now() + 1000, vk::Up);
  h.win().ScriptKey(h.Now() + 1400, vk::Up);
  h.win().ScriptKey(h.Now() + 2000, vk::Escape);
  double start = h.Now();
  EXPECT_EQ(Between(h, 63), 65) << "one level per press, never past the last";
  EXPECT_GE(h.Now() - start, 2000) << "only Escape ended it";
}

// The credits come to rest, and a click, Enter, Space or Escape leaves them for
// the menu; a click or key held from the level is not taken.
TEST(BetweenLevels, CreditsScrollToRestAClickOrKeyLeavesForTheMenuAndTheBotLetsGoThere) {
  CreditsOffsets o = CreditsOffsetsAt(-20);
  EXPECT_EQ(o.greeting, 0);
  EXPECT_EQ(CreditsOffsetsAt(140).credits, 140);
  EXPECT_EQ(CreditsOffsetsAt(150).credits, 140) << "the credits pause";
  EXPECT_EQ(CreditsOffsetsAt(170).credits, 150);
  EXPECT_EQ(CreditsOffsetsAt(280).credits, 260) << "\"Thank You\" rests at 40 % of the height";

  for (int k : {0, vk::Enter, vk::Space, vk::Escape}) {
    test::FlowGame h;
    LoopState& loop = h.s().loop;
    if (k) {
      h.win().SetKey(k, true);
      h.win().Script({ScriptEvent::KeyUp, h.Now() + 200, 0, 0, k});
      h.win().ScriptKey(h.Now() + 40000, k);
    } else {
      loop.Input.ClickLatch = true;  // the click that won the last level is still held
      h.win().SetButton(1, true);
      h.win().Script({ScriptEvent::ButtonUp, h.Now() + 200, 0, 0, 1});
      h.win().ScriptClick(h.Now() + 40000, 600, 500);
    }
    double start = h.Now();
    long framesBefore = loop.FramesPresented;
    h.Run(std::make_unique<CreditsScreen>());
    EXPECT_FALSE(loop.ExitRequested) << k;
    EXPECT_NEAR(h.Now() - start, 40000, 100) << k;
    // Thirty seconds of scrolling at up to 60 frames a second, then it rests.
    EXPECT_LT(loop.FramesPresented - framesBefore, 2000) << "no frames drawn once the credits rest";
  }
  // The bot reads the credits to the end and clicks them away; the button goes up with them, so its first press on the menu after them counts.
  test::FlowGame h;
  StartBotPlayer(h.s());
  h.Deadline(h.Now() + 300000);
  h.Run(std::make_unique<CreditsScreen>());
  EXPECT_FALSE(h.s().loop.ExitRequested);
  EXPECT_FALSE(h.s().in().ButtonDown(1));
}

TEST(FocusStep, ArrowsWalkRowsAndColumnsAndStayAtTheEdge) {
  // Two rows of three and a lone spot below the middle.
  std::vector<PointD> spots = {{100, 100}, {200, 100}, {300, 100}, {100, 200}, {200, 200}, {300, 200}, {210, 400}};
  // No focus yet: the first spot; nothing further right of 2; down from the row's end goes down, not round the
  // corner; back up from the lone spot to the one straight above.
  const int steps[][4] = {{-1, 1, 0, 0}, {0, 1, 0, 1}, {1, -1, 0, 0}, {2, 1, 0, 2},
                          {2, 0, 1, 5},  {0, 0, -1, 0}, {3, 0, 1, 6}, {6, 0, -1, 4}};
  for (auto [from, dx, dy, to] : steps) EXPECT_EQ(FocusStep(spots, from, dx, dy), to) << from << " by " << dx << "," << dy;
}

// The shop's records of the player the match plays for.
ItemRecord& PlayerItems(Match& m) { return m.items.items[std::size_t(m.itemSlot)]; }

TEST(BetweenLevels, KeysAloneTakeAKeyToItsLockAndOpenIt) {
  test::FlowGame h;
  Match& m = h.match();
  Key(PlayerItems(m), 3).Flag = -1;
  double t = h.Now();
  auto key = [&](double at, int k) { h.win().ScriptKey(t + at, k); };
  key(300, vk::Left);    // "Continue" -> "Shop"
  key(600, vk::Enter);   // the shop opens with the focus on key 3
  key(900, vk::Enter);   // key 3 is taken; the focus goes to its lock
  key(1200, vk::Right);  // carried on to item 4 ...
  key(1500, vk::Enter);  // ... which another key locks: it fails and goes home
  key(1800, vk::Down);   // item 9
  key(2100, vk::Down);   // key 3
  key(2400, vk::Enter);
  key(2700, vk::Enter);  // dropped on item 3: open
  key(3000, vk::Escape);  // nothing carried: leaves, as "Continue" does
  Between(h, 5);
  EXPECT_GE(h.Now() - t, 3000) << "only the last Escape left";
  EXPECT_FALSE(h.s().loop.ExitRequested);
  std::vector<int> heard;
  for (const char* cue : {"ev_map_paper", "ev_shop_key_take", "ev_shop_key_fail", "ev_shop_open", "ev_shop_bonus_over"})
    heard.push_back(h.Heard(cue));
  EXPECT_EQ(heard, (std::vector<int>{1, 2, 1, 1, 0})) << "the focus passed over items in silence";
  // The match took the shop's outcome on leaving.
  EXPECT_EQ(Lock(PlayerItems(m), 3).Flag, 0) << "item 3 is open";
  EXPECT_NE(Lock(PlayerItems(m), 4).Flag, 0) << "item 4 stays locked";
  const PlacedObject& k3 = Key(PlayerItems(m), 3);
  EXPECT_NE(k3.Flag, 0) << "the key stays found";
  EXPECT_EQ(PlayerItems(m).Dragged, 0);
  EXPECT_DOUBLE_EQ(k3.PosX, k3.HomeX);
}

TEST(ShopText, EachHalfOfAnItemTellsItsOwnAndTheChanceIsTheNextRefills) {
  test::FlowGame h;
  PlaySide& play = h.play();
  ItemStatus& shop = play.between.shopStatus = h.match().items;
  const std::size_t slot = std::size_t(h.match().itemSlot);
  // Bought on this visit, while the match still plays the old shop: the clock
  // opened, its chance raised twice and its power once.
  Lock(shop.items[slot], 3).Flag = 0;
  shop.grades[slot].ChanceGrade[3] = 2;
  shop.grades[slot].PowerGrade[3] = 1;
  using Text = std::pair<std::string, Argb>;
  EXPECT_EQ(ShopItemText(play, 3, ShopItemY(3) - 20), (Text{"Pirate Clock -|gives additional|time on level", 0xFFFFE6A0}));
  EXPECT_EQ(ShopItemText(play, 3, ShopItemY(3) + 20), (Text{"Chance: 1.00%|plus 1 minute|per action", 0xFFFFFFFF}));
  // A locked item names the key of its colour, in red once the player holds it.
  EXPECT_EQ(ShopItemText(play, 4, ShopItemY(4)), (Text{"bonus locked|Find lettuce key|to unlock it", 0xFFA0A0A0}));
  Key(shop.items[slot], 4).Flag = -1;
  EXPECT_EQ(ShopItemText(play, 4, ShopItemY(4)), (Text{"to unlock bonus|Drag-n-Drop|lettuce key here", 0xFFFF7060}));
}

TEST(BetweenLevels, EscapePutsBackWhatTheKeysCarryAndEnterOnTheMapGoesOn) {
  test::FlowGame h;
  Match& m = h.match();
  Key(PlayerItems(m), 2).Flag = -1;
  m.items.stars[std::size_t(m.itemSlot)].Object[1].Flag = -1;  // a blue star
  double t = h.Now();
  auto key = [&](double at, int k) { h.win().ScriptKey(t + at, k); };
  key(300, vk::Tab);     // "Map"
  key(500, vk::Tab);     // "Shop"
  key(700, vk::Space);   // opens the shop: key 2 first
  key(900, vk::Tab);     // the blue star
  key(1100, vk::Enter);  // taken
  key(1300, vk::Escape);  // put back; the screen stays
  key(1600, vk::Tab);
  key(1800, vk::Tab);
  key(2000, vk::Tab);    // from item 1 (where the star was bound) on to item 4 ...
  // ... then back to the map by its button, and Enter there goes on.
  double mapAt = 0;
  for (int k = 0; k < 7; ++k) key(mapAt = 2200 + 200 * k, vk::Tab);  // items 5..10, then "Map"
  key(mapAt + 200, vk::Enter);
  key(mapAt + 600, vk::Enter);  // on the map the focus stays on "Map": it stays the map
  key(mapAt + 800, vk::Right);
  key(mapAt + 1000, vk::Right);  // "Continue"
  key(mapAt + 1200, vk::Enter);
  Between(h, 5);
  EXPECT_NEAR(h.Now() - t, mapAt + 1200, 150) << "left on the last Enter";
  EXPECT_EQ(h.Heard("ev_shop_star_take"), 1);
  EXPECT_EQ(h.Heard("ev_shop_star_put"), 1);
  EXPECT_EQ(h.Heard("ev_map_paper"), 3) << "to the shop, back to the map, the map again";
  const PlacedObject& star = m.items.stars[std::size_t(m.itemSlot)].Object[1];
  EXPECT_NE(star.Flag, 0) << "the star is still held";
  EXPECT_DOUBLE_EQ(star.PosX, star.HomeX);
  EXPECT_DOUBLE_EQ(star.PosY, star.HomeY);
  for (int item = 1; item <= kShopItems; ++item)
    EXPECT_EQ(m.items.grades[std::size_t(m.itemSlot)].ChanceGrade[std::size_t(item)], 0);
}

}  // namespace
}  // namespace bm

#include "shell/InputRouter.h"

#include <gtest/gtest.h>

#include <tuple>

#include "platform/headless/Headless.h"
#include "shell/BotPlayer.h"
#include "shell/Loop.h"

namespace bm {
namespace {

struct Keys {
  VirtualClock clock;
  HeadlessWindow w{clock};
  InputRouter r;
  bool exit = false;
  // One pass with exactly this key held (0 = none).
  void Hold(int key) {
    for (int k = 0; k < 256; ++k) w.SetKey(k, false);
    w.Pump();
    if (key) w.SetKey(key, true);
    PollGlobalKeys(r, w, exit);
  }
  void Type(const std::string& s) {
    for (char c : s) {
      Hold(c);
      Hold(0);
    }
  }
};

TEST(MouseClicked, ReportsOncePerPressAndOnlyWhileActive) {
  VirtualClock clock;
  HeadlessWindow w(clock);
  InputRouter r;
  w.SetButton(1, true);
  EXPECT_TRUE(MouseClicked(r, w, true, 1));
  EXPECT_FALSE(MouseClicked(r, w, true, 1)) << "a held button clicks once";
  w.SetButton(1, false);
  w.Pump();
  EXPECT_FALSE(MouseClicked(r, w, true, 1));
  w.SetButton(1, true);
  EXPECT_TRUE(MouseClicked(r, w, true, 1)) << "release and press again clicks again";
  w.SetButton(2, true);
  EXPECT_FALSE(MouseClicked(r, w, false, 2)) << "inactive window reads buttons up";
  EXPECT_FALSE(MouseClicked(r, w, true, 3));
}

// The cheat word toggles cheat mode (typed again it goes off); a letter not in
// the word is ignored, one more letter of the word breaks it; data.ini's word
// takes the built-in one's place; a held key counts once; F12 exits.
TEST(CheatCode, TheWordTogglesItAHeldKeyCountsOnceAndF12Exits) {
  const std::tuple<const char*, const char*, bool> cases[] = {
      {"", "KRAKENRUM", true}, {"", "KRAKENRUMKRAKENRUM", false}, {"", "KRAKXENRUM", true},
      {"", "KRAKEENRUM", false}, {"ABC", "ABC", true}, {"ABC", "KRAKENRUM", false}};
  for (const auto& [code, typed, on] : cases) {
    Keys k;
    k.r.CheatCode = code;
    k.Type(typed);
    EXPECT_EQ(k.r.CheatMode, on) << code << " " << typed;
  }
  Keys k;
  k.Type("KRAKENRU");
  for (int i = 0; i < 3; ++i) k.Hold('M');
  EXPECT_TRUE(k.r.CheatMode);
  EXPECT_EQ(k.r.TypedLetters, "KRAKENRUM");
  EXPECT_FALSE(k.exit);
  k.Hold(vk::F12);
  EXPECT_TRUE(k.exit);
}

TEST(NameEntry, WithoutAKeyboardTheNameIsPickedWithTheArrows) {
  VirtualClock clock;
  HeadlessWindow w(clock);
  InputRouter r;
  NameEntry e;
  OpenNameEntry(e, w, "", false);
  auto press = [&](int key, int passes = 1) {
    w.Pump();
    w.SetKey(key, true);
    for (int i = 0; i < passes; ++i) UpdateNameEntry(e, r, w, clock.ClockMs()), w.Pump();
    w.SetKey(key, false);
    UpdateNameEntry(e, r, w, clock.ClockMs());
  };
  press(vk::Up);
  EXPECT_EQ(e.text, "A") << "the first letter";
  press(vk::Up, 3);
  EXPECT_EQ(e.text, "B") << "one step per press, however long held";
  press(vk::Down), press(vk::Down);
  EXPECT_EQ(e.text, "9") << "down from A wraps round to the digits";
  press(vk::Right), press(vk::Up);
  EXPECT_EQ(e.text, "9B") << "a new letter, turned on its own";
  press(vk::Backspace);
  press(vk::Enter);
  EXPECT_TRUE(e.accepted);
  EXPECT_EQ(e.text, "9");
  OpenNameEntry(e, w, "Zoë", false);
  press(vk::Up);
  EXPECT_EQ(e.text, "ZoA") << "an accented letter turns from A, never half of it";
}

TEST(CheatCode, TheCaptionKeepsClearOfThePanelTexts) {
  auto overlap = [](const IRect& a, const IRect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
  };
  for (auto [w, h] : {std::pair{1280, 1024}, std::pair{800, 600}, std::pair{1920, 1200}}) {
    ScreenMetrics m = ScreenMetrics::For(w, h);
    IRect cap = CheatCaptionRect(m, true);
    // "Time Left", "Score", "Lives", "Moves Available" and the level's title.
    for (IRect panel : {m.DesignRect(40, 8, 325, 40), m.DesignRect(40, 48, 325, 80), m.DesignRect(950, 8, 1235, 40),
                        m.DesignRect(950, 48, 1235, 80), m.DesignRect(340, 14, 940, 70)})
      EXPECT_FALSE(overlap(cap, panel)) << w << "x" << h << " at " << panel.left << "," << panel.top;
  }
}

TEST(NameEntry, HeldBackspaceErasesOnceThenRepeats) {
  VirtualClock clock;
  HeadlessWindow w(clock);
  InputRouter r;
  NameEntry e;
  OpenNameEntry(e, w, "Łukasz Zoë", true);
  w.SetKey(vk::Backspace, true);
  for (double t = 0; t <= 400; t += 20, clock.Advance(20)) UpdateNameEntry(e, r, w, clock.ClockMs());
  EXPECT_EQ(e.text, "Łukasz Zo") << "one letter before the pause, all of it";
  for (double t = 0; t < 300; t += 20, clock.Advance(20)) UpdateNameEntry(e, r, w, clock.ClockMs());
  EXPECT_EQ(e.text, "Łukas") << "then letter after letter";
  w.SetKey(vk::Backspace, false);
  w.Pump();
  UpdateNameEntry(e, r, w, clock.ClockMs());
  w.SetKey(vk::Backspace, true);
  UpdateNameEntry(e, r, w, clock.ClockMs());
  EXPECT_EQ(e.text, "Łuka") << "a fresh press erases at once";
}

// The bot's finger: the game must see every press it plans as one press of
// its own, however slow the passes (a lost press leaves the bot waiting forever).
TEST(BotFinger, EveryPlannedPressIsSeenOnceWhateverThePassLength) {
  BotFinger f;
  f.PressAt(1000);
  EXPECT_FALSE(f.Step(990, false));
  EXPECT_TRUE(f.Step(1010, false));
  EXPECT_TRUE(f.Step(1050, true)) << "held for 60 ms";
  EXPECT_FALSE(f.Step(1070, true));

  BotFinger late;
  late.PressAt(1000);
  EXPECT_TRUE(late.Step(1500, false)) << "a pass long after still gets the press";
  EXPECT_FALSE(late.Step(1510, true));

  // The last screen's press still holds the button when this one is due:
  // let go for a pass, then press, so the game sees two presses.
  BotFinger next;
  next.PressAt(1000);
  EXPECT_FALSE(next.Step(1500, true));
  EXPECT_TRUE(next.Step(1510, false));
  EXPECT_FALSE(next.Step(1520, true));

  // The same finger planned again while its last press still holds the button.
  BotFinger again;
  again.PressAt(1000);
  EXPECT_TRUE(again.Step(1010, false));
  again.PressAt(1020);
  EXPECT_FALSE(again.Step(1500, true));
  EXPECT_TRUE(again.Step(1510, false));
}

}  // namespace
}  // namespace bm

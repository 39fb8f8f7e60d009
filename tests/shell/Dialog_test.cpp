// The two-button dialog on the headless loop: clicks, keys, latches, the bot.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "ScreenHarness.h"
#include "render/DialogDraw.h"
#include "shell/BotPlayer.h"
#include "shell/DialogScreen.h"

namespace bm {
namespace {

using test::ScreenHarness;

// A question whose Escape takes the second button, centred as the layouts below.
DialogRequest Asked() {
  DialogRequest q = DialogFor(Question::KeepDisplayChanges);
  q.leftPercent = q.topPercent = -1;
  return q;
}
constexpr DisplayAnswer kFirst = DisplayAnswer::Apply, kSecond = DisplayAnswer::Discard;

Answer Ask(ScreenHarness& h, const DialogRequest& q, Screen* behind = nullptr) {
  return h.Run(std::make_unique<DialogScreen>(q, behind));
}

// Keys alone: Enter takes the first button, Escape gives the question's own
// answer, Left and Right mark a button and Space takes it; F12 is no answer.
TEST(Dialog, KeysAnswerAndEndingTheProgramIsNoAnswer) {
  const std::pair<std::vector<int>, Answer> cases[] = {
      {{vk::Enter}, kFirst}, {{vk::Escape}, kSecond}, {{vk::Right, vk::Right, vk::Space}, kSecond},
      {{vk::Left, vk::Left, vk::Space}, kFirst}, {{vk::F12}, Answer{}}};
  ScreenHarness h;
  for (const auto& [keys, answer] : cases) {
    double t = h.now();
    for (int key : keys) h.Key(t += 100, key);
    h.Deadline(h.now() + 5000);
    EXPECT_EQ(Ask(h, Asked()), answer) << keys.size();
  }
  EXPECT_TRUE(h.s().loop.ExitRequested);
}

TEST(Dialog, ClicksOnEachButtonAnswerAndBesideThemTheOpeningPressOrOneDraggedOffNothing) {
  ScreenHarness h;
  DialogLayout d = LayoutTwoButtonDialog(h.s().look.metrics);
  EXPECT_EQ(DialogButtonAt(d, ScreenHarness::cx(d.frame), d.frame.top + 5), 0) << "the message is no button";
  // A click on the frame and one outside it do nothing; the second button answers.
  h.Click(h.now() + 100, d.frame);
  h.w().ScriptClick(h.now() + 300, 5, 5);
  h.Click(h.now() + 600, {d.hits[1].left, d.buttons[1].bottom, d.hits[1].left + 2, d.hits[1].bottom});  // below it
  h.Deadline(h.now() + 5000);
  double before = h.now();
  EXPECT_EQ(Ask(h, Asked()), kSecond);
  EXPECT_GE(h.now(), before + 600) << "answered by the last click, not the earlier ones";
  h.Click(h.now() + 100, d.buttons[0]);
  h.Deadline(h.now() + 5000);
  EXPECT_EQ(Ask(h, Asked()), kFirst);
  ScreenHarness g;
  DialogLayout e = LayoutTwoButtonDialog(g.s().look.metrics, 10, 55);
  EXPECT_EQ(std::pair(e.frame.left, e.frame.top), std::pair(128, 563));
  // The button is held over "first" when the dialog opens, released there: no answer.
  g.w().SetPointer(ScreenHarness::cx(e.buttons[0]), ScreenHarness::cy(e.buttons[0]));
  g.w().SetButton(1, true);
  g.w().SetKey(vk::Enter, true);
  g.Up(g.now() + 200);
  g.w().Script({ScriptEvent::KeyUp, g.now() + 200, 0, 0, vk::Enter});
  // Pressed on "first", dragged onto "second", released: no answer either.
  g.Down(g.now() + 400);
  g.Move(g.now() + 450, ScreenHarness::cx(e.buttons[1]), ScreenHarness::cy(e.buttons[1]));
  g.Up(g.now() + 500);
  g.Key(g.now() + 1000, vk::Escape);
  g.Deadline(g.now() + 5000);
  DialogRequest q = Asked();
  q.leftPercent = 10;
  q.topPercent = 55;
  EXPECT_EQ(Ask(g, q), kSecond);
}

// The bot reads the question and answers as a player going on with the game
// would, 400 ms after it opens: the loop wakes for its press, not a second later.
TEST(Dialog, TheBotAnswersEachQuestionAsAPlayerGoingOn) {
  for (int level : {0, 5}) {
    ScreenHarness h;
    h.s().options.level = level;  // a level asked for on the command line is a new game
    StartBotPlayer(h.s());
    h.Deadline(h.now() + 10000);
    const Answer answers[] = {level ? Answer(ContinueAnswer::NewGame) : Answer(ContinueAnswer::Continue),
                              DeleteAnswer::Keep, ResetAnswer::Keep, DisplayAnswer::Apply};
    for (int i = 0; i < 4; ++i) {
      const double opened = h.now();
      EXPECT_EQ(Ask(h, DialogFor(kEveryQuestion[i], "Anne")), answers[i]) << i;
      EXPECT_NEAR(h.now() - opened, 460, 20) << "pressed at 400 ms, let go 60 ms later";
    }
  }
}

// A screen that only counts how often the dialog draws it.
struct Behind : Screen {
  int drawn = 0;
  const char* Name() const override { return "Behind"; }
  Next Pass(Stage&) override { return Next::Stay(); }
  void DrawBehind(Stage&) override { ++drawn; }
};

TEST(Dialog, DrawsTheScreenBehindOnlyWhenSomethingChanges) {
  ScreenHarness h(true);
  DialogLayout d = LayoutTwoButtonDialog(h.s().look.metrics);
  Behind behind;
  // Ten seconds with the pointer resting, one hover, then Enter.
  h.Move(h.now() + 100, 5, 5);
  h.Move(h.now() + 5000, ScreenHarness::cx(d.buttons[0]), ScreenHarness::cy(d.buttons[0]));
  h.Key(h.now() + 10000, vk::Enter);
  h.Deadline(h.now() + 20000);
  EXPECT_EQ(Ask(h, Asked(), &behind), kFirst);
  EXPECT_LE(behind.drawn, 3) << "the first frame and the hover; nothing while the pointer rests";
  EXPECT_GE(behind.drawn, 2);
}

}  // namespace
}  // namespace bm

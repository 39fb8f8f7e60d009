// The one loop: screens pushed and popped within a pass, the program's end
// unwinding the stack from the top, a whole game stepped from outside one pass
// at a time, and nothing else in the shell looping or waiting.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <regex>
#include <set>

#include "HeadlessBot.h"
#include "ScreenHarness.h"
#include "shell/Startup.h"

namespace bm {
namespace {

// The answers the probes give one another.
enum class Code { Three = 3, Five = 5, Seven = 7, Nine = 9 };

// A screen that writes what happens to it into a log and does what it is told.
struct Probe : Screen {
  Probe(std::string n, std::vector<std::string>& l) : name(std::move(n)), log(l) {}
  std::string name;
  std::vector<std::string>& log;
  std::function<Next()> onEnter = [] { return Next::Stay(); };
  std::function<Next(int pass)> onPass = [](int) { return Next::Stay(); };
  std::function<Next(Answer answer)> onResume = [](Answer) { return Next::Stay(); };
  Answer closingAnswer;
  int passes = 0;
  const char* Name() const override { return name.c_str(); }
  Next Enter(Stage&) override {
    log.push_back(name + " enter");
    return onEnter();
  }
  Next Pass(Stage&) override {
    log.push_back(name + " pass");
    return onPass(++passes);
  }
  Next Resume(Stage&, Answer a) override {
    log.push_back(name + " resume " + std::to_string(int(*a.As<Code>())));
    return onResume(a);
  }
  Answer Closing(Stage&) override {
    log.push_back(name + " closing");
    return closingAnswer;
  }
};

using Log = std::vector<std::string>;

TEST(OneLoop, NestedScreensRunWithinThePassThatOpenedThem) {
  test::ScreenHarness h;
  Log log;
  auto a = std::make_unique<Probe>("A", log);
  Probe& pa = *a;
  // A opens with B over it, which answers 5 on its first pass.
  pa.onEnter = [&] {
    auto b = std::make_unique<Probe>("B", log);
    b->onPass = [](int) { return Next::Pop(Code::Five); };
    return Next::Push(std::move(b));
  };
  ScreenStack stack(h.s());
  stack.Open(std::move(a));
  const double t = h.now();
  pa.onPass = [&](int pass) { return pass == 1 ? Next::Stay(t + 50) : Next::Stay(); };
  ASSERT_TRUE(stack.Step());
  // A was covered from its start: its first pass follows B's answer at once.
  EXPECT_EQ(log, (Log{"A enter", "B enter", "B pass", "A resume 5", "A pass"}));
  EXPECT_EQ(h.now(), t) << "no wait inside a step";
  EXPECT_DOUBLE_EQ(stack.WakeAt(), t + 50) << "nothing drawn: the pass's own time";

  // From a pass: C runs at once, and A's pass ends when C has answered.
  log.clear();
  pa.onPass = [&](int) {
    auto c = std::make_unique<Probe>("C", log);
    c->onPass = [](int) { return Next::Pop(Code::Nine); };
    return Next::Push(std::move(c));
  };
  pa.onResume = [&](Answer) { return Next::Stay(h.now() + 5000); };
  stack.Pace();
  ASSERT_TRUE(stack.Step());
  EXPECT_EQ(log, (Log{"A pass", "C enter", "C pass", "A resume 9"}));
  EXPECT_DOUBLE_EQ(stack.WakeAt(), h.now() + 5000) << "a page's loop sleeps until then";
  const double before = h.now();
  stack.Pace();
  EXPECT_DOUBLE_EQ(h.now(), before + 100) << "the program's own wait looks every 100 ms at least";
  EXPECT_STREQ(stack.Top(), "A");
  // An answer reads back as what it answers; read as another kind it stops the program.
  enum class Other { Five = 5 };
  EXPECT_EQ(Answer().As<Code>(), std::nullopt);
  EXPECT_DEATH(Answer(Code::Five).As<Other>(), "wrong kind of answer");
}

TEST(OneLoop, TheProgramsEndClosesEachScreenFromTheTopAndOneOpenedOnTheWay) {
  test::ScreenHarness h;
  Log log;
  auto a = std::make_unique<Probe>("A", log);
  Probe& pa = *a;
  pa.onPass = [&](int) {
    auto b = std::make_unique<Probe>("B", log);
    b->closingAnswer = Code::Seven;
    return Next::Push(std::move(b));
  };
  // Told of B's end, A opens C; the program is ending, so C closes at once.
  pa.onResume = [&](Answer answer) {
    if (answer != Code::Seven) return Next::Stay();
    auto c = std::make_unique<Probe>("C", log);
    c->closingAnswer = Code::Three;
    return Next::Push(std::move(c));
  };
  ScreenStack stack(h.s());
  stack.Open(std::move(a));
  ASSERT_TRUE(stack.Step());
  ASSERT_STREQ(stack.Top(), "B");
  log.clear();
  h.Key(h.now() + 1, vk::F12);
  stack.Pace();
  EXPECT_FALSE(stack.Step());
  // The pass the key arrives in still runs; then no screen gets another.
  EXPECT_EQ(log, (Log{"B pass", "B closing", "A resume 7", "C enter", "C closing", "A resume 3", "A closing"}));
  EXPECT_TRUE(stack.Empty());
}

std::string GameFields(const std::string& report) {
  return std::regex_replace(report, std::regex("  \"wall_seconds\": [^\n]*\n"), "");
}

// A browser hands control back after every frame: the game stepped from
// outside, one pass per call, ends where the program's own run ends.
TEST(OneLoop, AWholeGameSteppedFromOutsideEndsWhereTheRunEnds) {
  test::TempDir run, stepped;
  // The first start names a player, the bot tours the menu's screens, plays,
  // leaves mid-level and continues after the question.
  auto options = [](const test::TempDir& dir) {
    RunOptions o = test::HeadlessBot(dir, 6, 240);
    o.botLeaveSeconds = 60;
    return o;
  };
  ASSERT_EQ(RunGame(options(run)), 0);

  App app;
  ASSERT_TRUE(app.Start(options(stepped)));
  std::set<std::string> seen;
  long steps = 0;
  while (app.Step()) {
    ++steps;
    seen.insert(app.Screens().Top());
    // The next call when it is due, or at the next event.
    double wait = app.WakeAt() - app.services()->Now();
    if (wait > 0) app.host()->platform.window->WaitEvent(wait);
  }
  EXPECT_EQ(app.Finish(), 0);
  std::string expected = test::ReadText(run.path / "report.json");
  // The report has every figure; the bot broke no rule of the board across its
  // leaves and continues, and every save was made.
  for (const char* key : {"board_hash", "\"invariant_violations\": 0,", "\"save_failures\": 0,", "levels_won",
                          "longest_cascade", "reshuffles", "lives_lost", "shop_unlocks", "wall_seconds"})
    EXPECT_NE(expected.find(key), std::string::npos) << key;
  EXPECT_NE(test::ReadText(run.path / "run.log").find("Continued on level"), std::string::npos);
  EXPECT_EQ(GameFields(test::ReadText(stepped.path / "report.json")), GameFields(expected));
  EXPECT_GT(steps, 1000);
  for (const char* screen : {"Loading", "NameBox", "MainMenu", "Options", "HowToPlay", "HighScores", "Players", "Dialog",
                             "FlyIn", "Play", "FlyOut", "BetweenLevels"})
    EXPECT_TRUE(seen.count(screen)) << screen;
}

// Counts the calls of name( in the code of a file, comments left out.
int Calls(const std::filesystem::path& file, const std::string& name) {
  std::string code = std::regex_replace(test::ReadText(file), std::regex("//[^\n]*"), "");
  int n = 0;
  for (std::size_t at = 0; (at = code.find(name + "(", at)) != std::string::npos; ++at)
    if (at == 0 || !(std::isalnum((unsigned char)code[at - 1]) || code[at - 1] == '_')) ++n;
  return n;
}

TEST(OneLoop, OnlyTheRunLoopsOnlyTheLoopWaitsAndNoScreenNamesTheBot) {
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(BM_SOURCE_DIR) / "shell")) {
    const std::string name = entry.path().filename().string();
    ++files;
    // Its declaration, its definition, and the program's run.
    int loops = name == "Loop.h" || name == "Loop.cpp" || name == "Startup.cpp" ? 1 : 0;
    EXPECT_EQ(Calls(entry.path(), "RunLoop"), loops) << name;
    EXPECT_EQ(Calls(entry.path(), "WaitEvent"), name == "Loop.cpp" ? 1 : 0) << name;
    EXPECT_EQ(Calls(entry.path(), "SleepMs"), 0) << name;
    // No screen knows who presses its buttons: only the bot's own files, the
    // start-up that puts it at the controls and the command line name it.
    static const std::regex bot("\\b[bB]ot(?![a-z])|[aA]utoplay");
    if (name.rfind("BotPlayer.", 0) != 0 && name != "Startup.cpp" && name.rfind("Options.", 0) != 0) {
      EXPECT_FALSE(std::regex_search(test::ReadText(entry.path()), bot)) << name;
    }
  }
  EXPECT_GT(files, 40);
}

}  // namespace
}  // namespace bm

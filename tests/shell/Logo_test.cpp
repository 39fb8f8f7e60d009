// The logo before the loading bar and the fade into the menu: how long they
// last, the logo's cue, and a click or key that cuts them short.
#include <gtest/gtest.h>

#include "FlowKit.h"
#include "shell/IntroFadeScreen.h"
#include "shell/LogoScreen.h"

namespace bm {
namespace {

struct Shown : test::FlowGame {
  Shown() : FlowGame(120, true) {
    s().platform.headless = false;   // as at a window,
    host->SetDrawingEnabled(false);  // without the pixels' cost
  }
  ~Shown() { s().platform.headless = true; }
};

TEST(Logo, RunsNineSecondsWithItsCueOnceAClickCutsItShortAndTheFadeTakesFiftySteps) {
  Shown h;
  double t = h.Now();
  h.Run(std::make_unique<LogoScreen>());
  EXPECT_GE(h.Now() - t, 9000);
  EXPECT_LE(h.Now() - t, 9700);
  EXPECT_EQ(h.Heard("ev_logo"), 1);
  // A click a second in ends it there; the click selects nothing after it.
  t = h.Now();
  h.w().ScriptClick(t + 1000, 300, 300, 500);
  h.Run(std::make_unique<LogoScreen>());
  EXPECT_NEAR(h.Now() - t, 1000, 50);
  EXPECT_TRUE(h.s().loop.Input.ClickLatch);
  EXPECT_EQ(h.Heard("ev_logo"), 1) << "cut short before its cue";
  // --level N goes straight to its level.
  t = h.Now();
  h.Run(std::make_unique<LogoScreen>(5));
  EXPECT_LT(h.Now() - t, 100);
  // The fade into the menu takes fifty steps, and a key ends it.
  Shown fade;
  double t2 = fade.Now();
  fade.Run(std::make_unique<IntroFadeScreen>());
  EXPECT_NEAR(fade.Now() - t2, 50 * 15, 60);
  t2 = fade.Now();
  fade.Key(t2 + 200, vk::Escape);
  fade.Run(std::make_unique<IntroFadeScreen>());
  EXPECT_NEAR(fade.Now() - t2, 200, 30);
}

}  // namespace
}  // namespace bm

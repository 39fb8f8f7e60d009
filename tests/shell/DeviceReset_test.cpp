// A lost render device or a new back buffer: every picture comes back, and
// nothing is drawn from a dead texture.
#include <gtest/gtest.h>

#include "ScreenHarness.h"
#include "render/MenuScreen.h"
#include "render/OptionsDraw.h"
#include "shell/DisplayMode.h"
#include "shell/Loop.h"
#include "shell/MainLoop.h"

namespace bm {
namespace {

TEST(DeviceReset, EveryPictureComesBackAfterALostDeviceAndANewBackBuffer) {
  test::ScreenHarness h(true);
  Game& g = h.g();
  DrawMainMenu(g.canvas, g.font, g.menuView);
  OptionsView v;
  DrawOptionsScreen(g.canvas, g.font, v);
  std::size_t held = g.textures.Loaded();
  ASSERT_GT(held, 5u);
  ASSERT_TRUE(g.textures.AllAlive());

  // The headless device starts afresh on a new size, as a reset device does.
  g.settings.Resolution = 3;
  g.settings.FullScreen = 0;
  ApplyDisplayMode(g);
  EXPECT_EQ(g.metrics.width, 1024);
  EXPECT_TRUE(g.textures.AllAlive()) << "pictures restored after the new back buffer";
  EXPECT_EQ(g.textures.Loaded(), held);

  // SDL reports a lost device: the next pump drops and reloads everything.
  h.w().LoseDevice();
  g.flags.Redraw = false;
  PumpMessages(g);
  EXPECT_TRUE(g.textures.AllAlive());
  EXPECT_TRUE(g.flags.Redraw) << "the screen is drawn afresh";
  g.render().ForgetTextures();
  EXPECT_FALSE(g.textures.AllAlive()) << "the check sees dead pictures";
}

TEST(DeviceReset, TheMenuPicturesWaitOnDiskDuringPlayAndComeBackWithTheMenu) {
  test::ScreenHarness h(true);
  Game& g = h.g();
  DrawMainMenu(g.canvas, g.font, g.menuView);
  ASSERT_TRUE(g.textures.Holds("red/menu/main0-new2.jpg"));
  NewGame(g.match, 1, g.Now());
  h.Deadline(h.now() + 500);
  GameLoop(g);
  EXPECT_FALSE(g.textures.Holds("red/menu/main0-new2.jpg"));
  EXPECT_FALSE(g.textures.Holds("red/menu/main1-new2.jpg"));
  EXPECT_TRUE(g.textures.Holds("256/parus-front.png")) << "the board's pictures stay";
  DrawMainMenu(g.canvas, g.font, g.menuView);
  EXPECT_TRUE(g.textures.Holds("red/menu/main0-new2.jpg"));
  EXPECT_TRUE(g.textures.AllAlive());
}

}  // namespace
}  // namespace bm

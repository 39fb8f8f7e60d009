// A lost render device or a new back buffer: every picture comes back, and
// nothing is drawn from a dead texture.
#include <gtest/gtest.h>

#include "ScreenHarness.h"
#include "render/MenuScreen.h"
#include "render/OptionsDraw.h"
#include "shell/DisplayMode.h"
#include "shell/PlayFlow.h"

namespace bm {
namespace {

TEST(DeviceReset, EveryPictureComesBackAfterALostDeviceAndANewBackBuffer) {
  test::ScreenHarness h(true);
  Services& s = h.s();
  TextureBank& textures = s.look.textures;
  DrawMainMenu(s.look.canvas, s.look.font, MainMenuView{});
  OptionsView v;
  DrawOptionsScreen(s.look.canvas, s.look.font, v);
  std::size_t held = textures.Loaded();
  ASSERT_GT(held, 5u);
  ASSERT_TRUE(textures.AllAlive());

  // The headless device starts afresh on a new size, as a reset device does.
  s.settings.Resolution = 3;
  s.settings.FullScreen = 0;
  ApplyDisplayMode(s);
  EXPECT_EQ(s.look.metrics.Width, 1024);
  EXPECT_TRUE(textures.AllAlive()) << "pictures restored after the new back buffer";
  EXPECT_EQ(textures.Loaded(), held);

  // SDL reports a lost device: the next pump drops and reloads everything.
  h.w().LoseDevice();
  s.loop.Redraw = false;
  PumpMessages(s);
  EXPECT_TRUE(textures.AllAlive());
  EXPECT_TRUE(s.loop.Redraw) << "the screen is drawn afresh";
  s.render().ForgetTextures();
  EXPECT_FALSE(textures.AllAlive()) << "the check sees dead pictures";
}

TEST(DeviceReset, TheMenuPicturesWaitOnDiskDuringPlayAndComeBackWithTheMenu) {
  test::ScreenHarness h(true);
  Services& s = h.s();
  TextureBank& textures = s.look.textures;
  DrawMainMenu(s.look.canvas, s.look.font, MainMenuView{});
  ASSERT_TRUE(textures.Holds("red/menu/main0-new2.jpg"));
  NewGame(h.match(), 1, h.now());
  h.Deadline(h.now() + 500);
  h.Run(std::make_unique<PlayScreen>(h.play(), PlayScreen::Start::AsItStands));
  EXPECT_FALSE(textures.Holds("red/menu/main0-new2.jpg"));
  EXPECT_FALSE(textures.Holds("red/menu/main1-new2.jpg"));
  EXPECT_TRUE(textures.Holds("256/parus-front.png")) << "the board's pictures stay";
  DrawMainMenu(s.look.canvas, s.look.font, MainMenuView{});
  EXPECT_TRUE(textures.Holds("red/menu/main0-new2.jpg"));
  EXPECT_TRUE(textures.AllAlive());
}

}  // namespace
}  // namespace bm

// A lost render device or a new back buffer: every picture comes back, and
// nothing is drawn from a dead texture.
#include <gtest/gtest.h>

#include "PixelDiff.h"
#include "ScreenHarness.h"
#include "render/MenuScreen.h"
#include "render/OptionsDraw.h"
#include "shell/DisplayMode.h"
#include "shell/OptionsScreen.h"
#include "shell/PlayScreen.h"
#include "shell/ScreenKit.h"
#include "shell/SoftCursor.h"

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

// Pictures come and go with the screens that draw them: the menu's wait on disk
// during play, the board's during the map, and their atlas pages and the still
// layer go with them; the large glyphs wait during play, the small ones stay
// throughout. The menu's and a level's pictures keep within budgets.
TEST(PicturesByNeed, ComeAndGoWithTheScreensThatDrawThem) {
  test::ScreenHarness h(true);
  Services& s = h.s();
  TextureBank& textures = s.look.textures;
  UseMenuPictures(s);
  DrawMainMenu(s.look.canvas, s.look.font, MainMenuView{});
  const std::size_t menuBytes = s.render().DeviceTextureBytes();
  EXPECT_LE(menuBytes, std::size_t(12) << 20) << "the menu's pictures outgrew their budget (the lit one kept whole?)";
  ASSERT_TRUE(textures.Holds("red/menu/main0-new2.jpg"));
  // Each prop lights up under the pointer, from the part of the lit picture kept for it.
  const std::string unlit = h.dir.str() + "/unlit.png", lit = h.dir.str() + "/lit.png";
  ASSERT_TRUE(s.render().SaveScreenshot(unlit));
  const int props[] = {menu::Play, menu::Options, menu::Exit, menu::HighScores, menu::HowToPlay};
  MainMenuView allLit;
  for (int item : props) allLit.highlight[std::size_t(item)] = 1;
  DrawMainMenu(s.look.canvas, s.look.font, allLit);
  ASSERT_TRUE(s.render().SaveScreenshot(lit));
  for (int item : props) {
    IRect r = MainMenuItemRect(s.look.metrics, item);
    long lighter = test::PixelDifferences(unlit, lit, 8, r.left, r.top, r.right, r.bottom);
    EXPECT_GT(lighter, (r.right - r.left) * (r.bottom - r.top) / 4) << item;
  }
  NewGame(h.match(), 1, h.now());
  h.Deadline(h.now() + 500);
  h.Run(std::make_unique<PlayScreen>(h.play(), PlayScreen::Start::AsItStands, h.s().saves, 0));
  EXPECT_FALSE(textures.Holds("red/menu/main0-new2.jpg"));
  EXPECT_FALSE(textures.Holds("red/menu/main1-new2.jpg"));
  for (const char* p : {"256/parus-front.png", "red/bg/back1.jpg", "red/bg/fg.png", "fonts/small/g0.png"})
    EXPECT_TRUE(textures.Holds(p)) << p;
  EXPECT_FALSE(textures.Holds("fonts/large/g0.png")) << "the board's texts are small: the large glyphs wait on disk";
  // The resident figure's largest part, bounded: the headless device's textures (the
  // software renderer's) in a level at 1280 x 1024.
  EXPECT_LE(s.render().DeviceTextureBytes(), std::size_t(16) << 20) << "a level's pictures outgrew their budget";
  UseMapPictures(s, 11);
  EXPECT_FALSE(textures.Holds("256/parus-front.png"));
  EXPECT_FALSE(textures.Holds("red/bg/back1.jpg"));
  EXPECT_TRUE(textures.Holds("red/shop/shop0.jpg"));
  EXPECT_TRUE(textures.Holds("fonts/small/g0.png")) << "the small glyphs are held all the time";
  LoadNextStagePicture(s, 11);
  EXPECT_TRUE(textures.Holds("red/bg/back2.jpg")) << "the next stage's background, while the map shows";
  UseMenuPictures(s);
  DrawMainMenu(s.look.canvas, s.look.font, MainMenuView{});
  EXPECT_FALSE(textures.Holds("red/shop/shop0.jpg"));
  EXPECT_EQ(s.render().DeviceTextureBytes(), menuBytes) << "the board's atlas pages and the still layer went";
  EXPECT_TRUE(textures.AllAlive());
}

// On the page a picture may be drawn before the pack that brings it came: it
// draws nothing meanwhile and draws once its file is there, not missing for good.
TEST(PicturesByNeed, APictureOnItsWayDrawsOnceItCame) {
  struct OnItsWay : DataPacks {
    bool coming = true;
    double Wanted(const char*) override { return coming ? 0 : 1; }
    bool Coming(const std::string&) override { return coming; }
  } packs;
  test::ScreenHarness h(true);
  test::TempDir dir;
  TextureBank bank(h.s().render(), dir.str());
  bank.SetPacks(&packs);
  EXPECT_EQ(bank.Get("256/cursor.png"), 0u);
  std::filesystem::create_directory(dir / "256");
  std::filesystem::copy_file(BM_GAME_DIR "/256/cursor.png", dir / "256/cursor.png");
  packs.coming = false;
  EXPECT_NE(bank.Get("256/cursor.png"), 0u);
}

// A mode the window system does not give is logged and undone; the cursor
// picture follows the mode the window is in, never a tick not yet applied.
TEST(DeviceReset, AModeNotReachedIsUndoneAndTheCursorFollowsTheWindow) {
  test::ScreenHarness h(true);
  Services& s = h.s();
  s.platform.headless = false;  // the cursor picture stands in for a real window's
  // Full screen ticked on the options screen, then Escape: the window is unchanged.
  OptionRectTable rects = OptionRects(s.look.metrics);
  h.Click(h.now() + 100, rects[opt::CheckBox]);
  h.Key(h.now() + 500, vk::Escape);
  h.Deadline(h.now() + 5000);
  h.Run(std::make_unique<OptionsScreen>(h.s()));
  ASSERT_NE(s.settings.FullScreen, 0);
  StepSoftCursor(s);
  EXPECT_FALSE(s.loop.Cursor.on) << "the pointer stays visible in a window";

  h.w().RefuseModes(true);
  ApplyDisplayMode(s);
  EXPECT_NE(test::ReadText(h.dir.path / "run.log").find("Can't set correct window resolution!"), std::string::npos);
  EXPECT_EQ(s.settings.FullScreen, 0) << "the setting is put back";
  EXPECT_EQ(s.look.metrics.Width, 1280);
  EXPECT_EQ(s.render().Width(), 1280);
  StepSoftCursor(s);
  EXPECT_FALSE(s.loop.Cursor.on);

  h.w().RefuseModes(false);
  s.settings.FullScreen = -1;
  ApplyDisplayMode(s);
  StepSoftCursor(s);
  EXPECT_TRUE(s.loop.Cursor.on) << "full screen reached: the picture stands in for the pointer";
  s.platform.headless = true;
}

}  // namespace
}  // namespace bm

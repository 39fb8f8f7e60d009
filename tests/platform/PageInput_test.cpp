// What the page's events mean to the game: the same keys as on the desktop,
// the name box's characters, and pointer positions on a scaled canvas.
#include "platform/web/PageInput.h"

#include <gtest/gtest.h>

#include "platform/PolledInput.h"
#include "platform/sdl/SdlWindow.h"
#include "shell/Options.h"

namespace bm {
namespace {

TEST(PageInput, EveryKeyMeansWhatItMeansOnTheDesktopAndTheNameBoxGetsLatin1) {
  struct Same {
    SDL_Keycode sdl;
    unsigned long dom;  // KeyboardEvent.keyCode of the same key
  };
  const Same keys[] = {{SDLK_a, 65},      {SDLK_z, 90},        {SDLK_0, 48},        {SDLK_9, 57},
                       {SDLK_F1, 112},    {SDLK_F6, 117},      {SDLK_F12, 123},     {SDLK_BACKSPACE, 8},
                       {SDLK_TAB, 9},     {SDLK_RETURN, 13},   {SDLK_KP_ENTER, 13}, {SDLK_ESCAPE, 27},
                       {SDLK_SPACE, 32},  {SDLK_PAGEUP, 33},   {SDLK_PAGEDOWN, 34}, {SDLK_DELETE, 46},
                       {SDLK_LEFT, 37},   {SDLK_UP, 38},       {SDLK_RIGHT, 39},    {SDLK_DOWN, 40},
                       {SDLK_LSHIFT, 16}, {SDLK_LCTRL, 17},    {SDLK_KP_1, 97},     {SDLK_SEMICOLON, 186},
                       {SDLK_F13, 124},   {SDLK_HOME, 36},     {SDLK_INSERT, 45}};
  for (const Same& k : keys)
    EXPECT_EQ(VirtualKeyOfKeyCode(k.dom), SdlWindow::VirtualKeyOf(k.sdl)) << "keyCode " << k.dom;
  // The name box gets one printable character the fonts carry a key (Latin-1, Latin Extended-A), as UTF-8.
  for (const char* one : {"a", "Z", " ", "\xC3\xA9" /* é */, "\xC3\xBF" /* ÿ */, "\xC4\x80" /* Ā */, "\xC5\x81" /* Ł */,
                          "\xC5\xBF" /* ſ, the last one */})
    EXPECT_EQ(TypedTextOfKey(one), one);
  for (const char* none : {"Enter", "Shift", "Backspace", "ab", "", "\xE2\x82\xAC" /* € */, "\xC2\x85" /* a control */,
                           "\x7F", "\xC6\x80" /* past Latin Extended-A */, "\xC3", "\xC1\xA1" /* "a" too long */})
    EXPECT_EQ(TypedTextOfKey(none), "") << none;
  EXPECT_EQ(TypedTextOfKey(nullptr), "");
}

TEST(PageInput, TheCanvasFillsThePageInItsProportionsAndPointsMapBack) {
  auto size = [](CanvasBox b) { return std::pair(b.width, b.height); };
  auto at = [](PointD p) { return std::pair(p.x, p.y); };
  CanvasBox wide = FitCanvas(1920, 1080, 1280, 1024), tall = FitCanvas(800, 1200, 1280, 1024);
  EXPECT_EQ(size(wide), std::pair(1350.0, 1080.0)) << "the page is wider: full height";
  EXPECT_EQ(size(tall), std::pair(800.0, 640.0)) << "taller: full width";
  EXPECT_EQ(FitCanvas(0, 600, 1280, 1024).width, 0);
  EXPECT_EQ(at(CanvasToPicture(675, 540, wide, 1280, 1024)), std::pair(640.0, 512.0));
  EXPECT_EQ(at(CanvasToPicture(800, 640, tall, 1280, 1024)), std::pair(1280.0, 1024.0));
  EXPECT_DOUBLE_EQ(CanvasToPicture(400, 300, CanvasBox{800, 600}, 1280, 1024).y, 512) << "4:3 over a 5:4 picture";

  // Drawn at the screen's pixels, up to the cap, proportions kept.
  CanvasPixels sharp = PixelsOf(FitCanvas(1024, 768, 4, 3), 2);
  EXPECT_EQ(std::pair(sharp.width, sharp.height), std::pair(2048, 1536));
  CanvasPixels capped = PixelsOf(FitCanvas(3840, 2160, 4, 3), 2);
  EXPECT_LE(double(capped.width) * capped.height, kMaxCanvasPixels);
  EXPECT_NEAR(double(capped.width) / capped.height, 4.0 / 3, 0.002);
  EXPECT_GT(double(capped.width) * capped.height, 0.99 * kMaxCanvasPixels) << "as many as the cap allows";
}

// A finger's touch, move and lift often all come between two passes: the pass
// sees the press where it happened, the next one the move.
TEST(PageInput, APressIsSeenWhereItHappenedAndTheMoveAfterItWithTheNextPass) {
  PolledInput in;
  in.MovePointer({10, 10});
  in.SetButton(1, true, true);
  in.MovePointer({40, 10});
  in.SetButton(1, false, true);
  EXPECT_TRUE(in.MoveWaiting());
  in.BeginPass();
  EXPECT_TRUE(in.ButtonDown(1));
  EXPECT_DOUBLE_EQ(in.pointer.x, 10);
  in.BeginPass();
  EXPECT_FALSE(in.ButtonDown(1));
  EXPECT_DOUBLE_EQ(in.pointer.x, 40);
  in.MovePointer({50, 10});
  EXPECT_DOUBLE_EQ(in.pointer.x, 50) << "no press waiting: the pointer moves at once";
}

// The page's parameters through the command line's own parser.
RunOptions FromPage(std::initializer_list<const char*> parameters, std::string& why) {
  std::vector<std::string> args{"brinemoor"};
  for (const char* p : parameters) {
    std::vector<std::string> more = PageParameterArguments(p, "/tmp/report.json", why);
    args.insert(args.end(), more.begin(), more.end());
  }
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  RunOptions options;
  std::string error;
  EXPECT_TRUE(ParseCommandLine(int(argv.size()), argv.data(), options, error)) << error;
  return options;
}

TEST(PageInput, PageParametersAreTheCommandLinesOptions) {
  std::string why;
  RunOptions o = FromPage({"level=3", "seed=42", "autoplay=", "seconds=40"}, why);
  EXPECT_EQ(why, "");
  EXPECT_TRUE(o.seedGiven && o.autoplay);
  EXPECT_EQ(std::tuple(o.level, o.seed, o.maxSeconds), std::tuple(3, 42ull, 40.0));
  EXPECT_EQ(o.reportPath, "/tmp/report.json") << "a run with a time limit reports to the page";

  // Left out, each with its reason: the run goes on with the rest.
  for (const char* refused : {"renderer=gl", "data-dir=/etc", "level", "headless"}) {
    why.clear();
    EXPECT_TRUE(PageParameterArguments(refused, "/r", why).empty()) << refused;
    EXPECT_NE(why, "") << refused;
  }
}

}  // namespace
}  // namespace bm

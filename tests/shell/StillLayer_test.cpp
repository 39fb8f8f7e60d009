// The play screen drawn over its still layer must show exactly what the screen
// drawn whole shows, whatever changed on the board since the layer was made.
#include <gtest/gtest.h>

#include "PixelDiff.h"
#include "ScreenHarness.h"
#include "board/ItemCodes.h"
#include "shell/Loop.h"
#include "shell/PlayFrame.h"

namespace bm {
namespace {

using test::ScreenHarness;

struct LayerKit {
  ScreenHarness h{true};
  Services& s = h.s();
  Match& m = h.match();
  StillLayer& layer = s.look.stillLayer;
  LayerKit() {
    NewGame(m, 1, h.now());
    // A settled board, the pointer away: every item at home.
    for (int i = 0; i < kCellCount; ++i) {
      Cell& c = m.cells[i];
      c.Pos.Size = 0;
      c.Pos.CurX = c.CenterX;
      c.Pos.CurY = c.CenterY;
      c.Disappear = Removal::None;
      c.Front = c.Fronter = false;
      c.Wave = 1;
      c.Shine = 0;
    }
    m.board.HoveredCell = kNoCell;
    m.board.BoardGrowIn = false;
  }
  Cell& cell(int i) { return m.cells[i]; }
  // The k-th cell holding a jewel.
  int Jewel(int k) {
    for (int i = 0; i < kCellCount; ++i)
      if (cell(i).IsExists && IsJewel(cell(i).Gem) && k-- == 0) return i;
    return -1;
  }
  // Draws over the layer, then whole; the number of pixels that differ.
  long LayeredAgainstWhole() {
    std::string layered = h.dir.str() + "/layered.png", whole = h.dir.str() + "/whole.png";
    layer.enabled = true;
    DrawPlayScreen(s, h.play());
    if (!s.render().SaveScreenshot(layered)) return -1;
    layer.enabled = false;
    DrawPlayScreen(s, h.play());
    layer.enabled = true;
    if (!s.render().SaveScreenshot(whole)) return -1;
    return test::PixelDifferences(layered, whole);
  }
};

TEST(StillLayer, EveryChangeOfTheBoardReachesTheLayer) {
  LayerKit k;
  ASSERT_EQ(k.LayeredAgainstWhole(), 0) << "settled board";
  ASSERT_EQ(k.layer.builds, 1) << "the layer was used";

  int a = k.Jewel(3), b = k.Jewel(10), c = k.Jewel(20), d = k.Jewel(30);
  ASSERT_GE(d, 0);
  k.cell(a).Gnd = 1;
  EXPECT_EQ(k.LayeredAgainstWhole(), 0) << "a tile turned gold";
  k.cell(b).Gem = 0;
  EXPECT_EQ(k.LayeredAgainstWhole(), 0) << "an item removed";
  k.cell(c).Ice = 2;
  EXPECT_EQ(k.LayeredAgainstWhole(), 0) << "a cell bubbled";
  k.cell(c).Ice = 1;
  EXPECT_EQ(k.LayeredAgainstWhole(), 0) << "a bubble burst";
  k.cell(c).ColFade = 120;
  EXPECT_EQ(k.LayeredAgainstWhole(), 0) << "the last bubble fading";
  k.cell(d).Gem = k.cell(d).Gem % 6 + 1;
  EXPECT_EQ(k.LayeredAgainstWhole(), 0) << "a jewel turned into another";
  for (std::uint32_t& col : k.cell(a).GndCol) col = 0x777777;
  EXPECT_EQ(k.LayeredAgainstWhole(), 0) << "a tile's shade";
  for (std::uint32_t& col : k.cell(d).GemCol) col = 0xFFFFFF;
  EXPECT_EQ(k.LayeredAgainstWhole(), 0) << "an item's shade";
}

TEST(StillLayer, AFallingJewelIsDrawnOverTheLayerAndJoinsItWhenItLands) {
  LayerKit k;
  int from = k.Jewel(0);
  ASSERT_GE(from, 0);
  ASSERT_EQ(k.LayeredAgainstWhole(), 0);
  // The jewel leaves its cell and falls into an emptied one lower down.
  int to = k.Jewel(5);
  Cell& t = k.cell(to);
  t.Gem = k.cell(from).Gem;
  k.cell(from).Gem = 0;
  long builds = k.layer.builds;
  for (double drop : {60.0, 40.0, 20.0, 5.0}) {
    t.Pos.CurY = t.CenterY - drop;
    EXPECT_EQ(k.LayeredAgainstWhole(), 0) << "falling, " << drop << " above its cell";
  }
  EXPECT_EQ(k.layer.builds, builds + 1) << "the fall itself does not rebuild the layer";
  t.Pos.CurY = t.CenterY;
  EXPECT_EQ(k.LayeredAgainstWhole(), 0) << "landed";
  EXPECT_EQ(k.layer.builds, builds + 2);
  EXPECT_EQ(k.LayeredAgainstWhole(), 0);
  EXPECT_EQ(k.layer.builds, builds + 2) << "nothing changed, nothing rebuilt";
}

TEST(StillLayer, TheHoveredJewelAndAGoldFlashAreDrawnOverItAndALostDeviceRebuildsIt) {
  LayerKit k;
  int a = k.Jewel(4);
  ASSERT_EQ(k.LayeredAgainstWhole(), 0);
  k.m.board.HoveredCell = a;
  for (int step = 0; step < 3; ++step) {
    for (int c = 0; c < 4; ++c) k.cell(a).GemCol[c] = 0x808080u + 0x101010u * std::uint32_t((step + c) % 4);
    EXPECT_EQ(k.LayeredAgainstWhole(), 0) << "shimmer step " << step;
  }
  k.m.board.HoveredCell = kNoCell;
  for (std::uint32_t& col : k.cell(a).GemCol) col = 0xDDDDDD;
  EXPECT_EQ(k.LayeredAgainstWhole(), 0) << "the pointer left";
  k.cell(a).Gnd = 1;
  k.cell(a).Shine = 0.5;
  EXPECT_EQ(k.LayeredAgainstWhole(), 0) << "the new gold tile's flash";
  k.cell(a).Shine = 0;
  EXPECT_EQ(k.LayeredAgainstWhole(), 0) << "the flash over";
  // A lost device rebuilds the layer.
  LayerKit lost;
  ASSERT_EQ(lost.LayeredAgainstWhole(), 0);
  long builds = lost.layer.builds;
  lost.h.w().LoseDevice();
  PumpMessages(lost.s);
  EXPECT_EQ(lost.LayeredAgainstWhole(), 0);
  EXPECT_EQ(lost.layer.builds, builds + 1);
}

}  // namespace
}  // namespace bm

#include "render/BoardDraw.h"

#include <gtest/gtest.h>

#include <cmath>

#include <map>
#include <set>
#include <vector>

#include "board/ItemCodes.h"
#include "board/Swap.h"
#include "render/BetweenLevelsDraw.h"
#include "render/Canvas.h"
#include "render/Font.h"
#include "render/ItemPictures.h"
#include "render/StillLayer.h"
#include "tests/board/BoardKit.h"

namespace bm {
namespace {

// Records every quad with the picture it shows; pictures "load" unless listed as missing.
class RecordingDevice : public RenderDevice {
 public:
  struct Quad {
    std::string picture;  // "" for an untextured quad
    double cx = 0, cy = 0;
  };
  std::vector<Quad> quads;
  std::map<std::string, TextureId> ids;
  std::map<TextureId, std::string> paths;
  bool picturesMissing = false;

  TextureId LoadTexture(const std::string& path, int, int) override {
    if (picturesMissing) return 0;
    std::string rel = path.substr(path.find('/') + 1);
    auto [it, fresh] = ids.emplace(rel, TextureId(ids.size() + 1));
    paths[it->second] = rel;
    return it->second;
  }
  TextureId CreateTexture(int, int, const std::uint32_t*) override { return 0; }
  void FreeTexture(TextureId) override {}
  void Clear(Argb) override {}
  void DrawQuad(TextureId tex, const Vertex c[4]) override { Record(paths[tex], c); }
  void FillQuad(const Vertex c[4]) override { Record("", c); }
  void Present() override {}
  void SaveBuffer(int) override {}
  void RestoreBuffer(int) override {}
  bool SaveScreenshot(const std::string&) override { return false; }
  void Resize(int, int) override {}
  int Width() override { return 1280; }
  int Height() override { return 1024; }
  long FramesPresented() override { return 0; }

  int Count(const std::string& picture) const {
    int n = 0;
    for (const Quad& q : quads) n += q.picture == picture;
    return n;
  }
  int LastIndexOf(const std::string& picture) const {
    for (int i = int(quads.size()) - 1; i >= 0; --i)
      if (quads[std::size_t(i)].picture == picture) return i;
    return -1;
  }

 private:
  void Record(const std::string& picture, const Vertex c[4]) {
    quads.push_back({picture, (c[0].x + c[2].x) / 2.0, (c[0].y + c[2].y) / 2.0});
  }
};

struct DrawKit {
  testing::BoardKit kit;
  RecordingDevice device;
  TextureBank bank{device, "game"};
  Canvas canvas{device, bank, ScreenMetrics::For(1280, 1024)};
  Font font;
  void Draw() {
    device.quads.clear();
    DrawBoard(canvas, font, kit.cells, kit.st);
  }
};

TEST(BoardDraw, TheTwoSwapItemsAreDrawnLastAndBAboveA) {
  DrawKit d;
  d.kit.Set(22, 1);
  d.kit.Set(28, 2);
  d.kit.Set(0, 1);  // the same picture elsewhere on the board, drawn earlier
  ASSERT_TRUE(StartSwap(d.kit.cells, d.kit.st, 28, 22));
  d.kit.Frames(5);
  ASSERT_EQ(d.kit.st.SwapState, SwapPhase::Exchange);
  d.Draw();
  std::set<std::string> items;
  for (int code = 1; code <= 80; ++code) items.insert(ItemPicture(code));
  std::vector<RecordingDevice::Quad> drawn;
  for (const auto& q : d.device.quads)
    if (items.count(q.picture)) drawn.push_back(q);
  ASSERT_GE(drawn.size(), 2u);
  const ScreenMetrics& m = d.canvas.metrics;
  const Cell& A = d.kit.cells[28];
  const Cell& B = d.kit.cells[22];
  const auto& last = drawn[drawn.size() - 1];
  const auto& before = drawn[drawn.size() - 2];
  EXPECT_NEAR(last.cx, m.CellScreenX(B.Pos.CurX), 0.01);
  EXPECT_NEAR(last.cy, m.CellScreenY(B.Pos.CurY), 0.01);
  EXPECT_NEAR(before.cx, m.CellScreenX(A.Pos.CurX), 0.01);
  EXPECT_NEAR(before.cy, m.CellScreenY(A.Pos.CurY), 0.01);
}

TEST(BoardDraw, EveryTileOnceBubblesPerCountAndHolesOnlyAtTheEdgeOfTheBoard) {
  DrawKit d;
  d.kit.Load("f f f f f f  f f f f f\n"
             "f . f f f f  f f f f f\n");
  d.kit.cells[40].Ice = 3;
  d.kit.cells[50].Gnd = 1;
  d.Draw();
  std::vector<int> counts;
  for (const char* picture : {"256/parus-front.png", "256/backcells/gold-normal.png", "256/parus-back5.png", "256/circ.png"})
    counts.push_back(d.device.Count(picture));
  EXPECT_EQ(counts, (std::vector<int>{114, 1, 1, 3}));
}

TEST(BoardDraw, SelectionMarksItsCellAndItsSwapsAndWithoutPicturesStandInsAreDrawn) {
  DrawKit d;
  d.kit.st.SelectedCell = 50;
  d.kit.cells[61].Ice = 1;           // bubbled: cannot be swapped
  d.kit.Set(44, d.kit.cells[50].Gem);  // same code: cannot be swapped
  d.Draw();
  // The marker itself plus the four free neighbours with other codes.
  EXPECT_EQ(d.device.Count("256/emp.png"), 1 + 4);
  // Without pictures stand-ins are drawn and nothing breaks.
  DrawKit bare;
  bare.device.picturesMissing = true;
  bare.kit.st.SelectedCell = 50;
  bare.kit.st.NoMovesRunning = true;
  bare.kit.st.CaptionProgress = 1;
  bare.kit.cells[40].Ice = 2;
  bare.Draw();
  EXPECT_GE(bare.device.Count(""), 116 + 116);
}

// Texts are UTF-8: every letter of our languages draws its own glyph (two layers);
// a character the font lacks, or a broken byte, draws the replacement box and is counted.
TEST(Font, DrawsAccentedLettersAndABoxForAMissingCharacter) {
  DrawKit d;
  const IRect line{0, 0, 1280, 100};
  const std::string polish = "Zażółć gęślą jaźń, Ÿ ß Œ „…”";
  d.font.Draw(d.canvas, polish, line, 1.0, 0xFF000000, 0xFFFFFFFF, Align::Center);
  EXPECT_EQ(d.font.MissingGlyphs(), 0);
  EXPECT_EQ(d.device.quads.size(), 2u * 22) << "two quads a glyph, none for the spaces";
  const double box = d.font.Measure("\xEF\xBF\xBD", 1.0, 1.0);
  EXPECT_GT(box, 0);
  for (const char* lacking : {"\xE2\x82\xAC", "\xC3"}) {  // the euro sign; a sequence cut short
    d.device.quads.clear();
    d.font.Draw(d.canvas, lacking, line, 1.0, 0xFF000000, 0xFFFFFFFF, Align::Left);
    ASSERT_EQ(d.device.quads.size(), 2u) << lacking;
    EXPECT_EQ(d.font.Measure(lacking, 1.0, 1.0), box) << lacking;
  }
  EXPECT_EQ(d.font.MissingGlyphs(), 2);
  EXPECT_EQ(d.font.LastMissing(), char32_t(0xFFFD));
}

// The still layer's key sums up what the layer shows: a change there changes it.
TEST(StillLayerKey, IceAndATilesColourChangeIt) {
  testing::BoardKit kit;
  const ScreenMetrics m = ScreenMetrics::For(1280, 1024);
  auto key = [&] { return StillLayerKey(1, m, kit.cells, kit.st, {}); };
  const int i = 30;
  ASSERT_TRUE(kit.cells[i].IsExists && kit.cells[i].Gem != 0 && CellDrawnAtRest(kit.cells, i, kit.st));
  const std::uint64_t at = key();
  kit.cells[i].Ice = 1;
  EXPECT_NE(key(), at) << "ice on a jewel";
  kit.cells[i].Ice = 0;
  kit.cells[i].GndCol[0] ^= 0x00FFFFFFu;
  EXPECT_NE(key(), at) << "a tile's colour";
  kit.cells[i].GndCol[0] ^= 0x00FFFFFFu;
  EXPECT_EQ(key(), at);
}

// The map with its points at the ends of a 32-bit number, as a damaged "apo.dat"
// held them: the whole map draws, its marker included.
TEST(MapDraw, PointsAtTheInt32ExtremesDrawWithoutOverflow) {
  DrawKit d;
  for (std::int32_t v : {INT32_MAX, INT32_MIN}) {
    MapPointTable points{};
    points.fill({v, v});
    MapFrame f;
    f.points = &points;
    f.current = 9;  // a stage's first level: the marker's offsets apply
    f.marker = PlaceMarker(points, 9, 0.5);
    f.pulsing = true;
    f.pulse = PulseRingOf(100);
    d.device.quads.clear();
    DrawMapView(d.canvas, d.font, f);
    EXPECT_GT(d.device.quads.size(), 65u) << v;
  }
}

}  // namespace
}  // namespace bm

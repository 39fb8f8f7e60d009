// What the render and sound back ends share: where atlas pictures go, and a
// track's two gains.
#include <gtest/gtest.h>

#include <vector>

#include "platform/DevicePictures.h"
#include "platform/Audio.h"

namespace bm {
namespace {

TEST(AtlasShelves, PicturesNeverOverlapAndNewPagesOpenWhenOneIsFull) {
  struct Placed {
    int page, x, y, w, h;
  };
  AtlasShelves shelves;
  std::vector<Placed> placed;
  int page = -1;
  for (int i = 0; i < 120; ++i) {
    int w = 16 + (i * 37) % 497, h = 16 + (i * 53) % 497;  // up to the largest picture a page takes
    AtlasSpot s = shelves.Place(w, h);
    if (i == 0) {
      EXPECT_TRUE(s.newPage) << "the first picture opens a page";
    }
    if (s.newPage) ++page;
    shelves.Take(s);
    ASSERT_EQ(shelves.Pages(), page + 1);
    EXPECT_TRUE(s.x >= kAtlasPad && s.y >= kAtlasPad && s.x + w + kAtlasPad <= kAtlasEdge && s.y + h + kAtlasPad <= kAtlasEdge)
        << s.x << ", " << s.y;
    EXPECT_FLOAT_EQ(s.u0 * kAtlasEdge, float(s.x));
    EXPECT_FLOAT_EQ(s.v1 * kAtlasEdge, float(s.y + h));
    // Gutters included, nothing on the same page overlaps.
    for (const Placed& o : placed) {
      bool apart = o.page != page || s.x + w + kAtlasPad <= o.x - kAtlasPad || o.x + o.w + kAtlasPad <= s.x - kAtlasPad ||
                   s.y + h + kAtlasPad <= o.y - kAtlasPad || o.y + o.h + kAtlasPad <= s.y - kAtlasPad;
      EXPECT_TRUE(apart) << "picture " << i << " overlaps another";
    }
    placed.push_back({page, s.x, s.y, w, h});
  }
  EXPECT_GT(page, 2);
  shelves.Clear();
  EXPECT_TRUE(shelves.Place(10, 10).newPage);
}

// A picture kept in parts: a quad within a part is drawn from that part's texture,
// moved onto it; one across parts or over the clear rest draws nothing.
TEST(PictureParts, AQuadIsDrawnFromThePartHoldingItOrNotAtAll) {
  using Picture = DevicePicture<int>;
  Picture p = Picture::InParts({{7, {0.5f, 0, 1, 0.25f}, 50, 25}, {9, {0, 0.5f, 0.25f, 1}, 25, 50}}, 100, 100);
  auto quad = [](float u0, float v0, float u1, float v1) {
    return std::vector<Vertex>{{0, 0, u0, v0, 0}, {1, 0, u1, v0, 0}, {1, 1, u1, v1, 0}, {0, 1, u0, v1, 0}};
  };
  int tex = 0;
  Vertex out[4];
  ASSERT_TRUE(p.Place(quad(0.75f, 0, 1, 0.25f).data(), tex, out));
  EXPECT_EQ(std::tuple(tex, out[0].u, out[2].u, out[2].v), std::tuple(7, 0.5f, 1.0f, 1.0f));
  ASSERT_TRUE(p.Place(quad(0, 0.75f, 0.25f, 1).data(), tex, out));
  EXPECT_EQ(std::pair(tex, out[0].v), std::pair(9, 0.5f));
  EXPECT_FALSE(p.Place(quad(0, 0, 1, 1).data(), tex, out)) << "across the parts";
  EXPECT_FALSE(p.Place(quad(0.1f, 0.1f, 0.2f, 0.2f).data(), tex, out)) << "the clear rest";
  EXPECT_EQ(p.Bytes(), std::size_t(50 * 25 + 25 * 50) * 4);
  EXPECT_EQ(p.Textures(), (std::vector<int>{7, 9})) << "freed with the picture";
}

TEST(TrackGain, VolumeSetsBothSidesAndBalanceQuietensOne) {
  StereoGain full = TrackGain(0, 0);
  EXPECT_DOUBLE_EQ(full.left, 1);
  EXPECT_DOUBLE_EQ(full.right, 1);
  StereoGain quiet = TrackGain(-2000, 0);  // -20 dB
  EXPECT_NEAR(quiet.left, 0.1, 1e-9);
  EXPECT_NEAR(quiet.right, 0.1, 1e-9);
  StereoGain silent = TrackGain(MusicDevice::kMinVolume, 0);
  EXPECT_EQ(silent.left + silent.right, 0);
  StereoGain toRight = TrackGain(0, 2000);  // towards the right: the left side quietens
  EXPECT_NEAR(toRight.left, 0.1, 1e-9);
  EXPECT_DOUBLE_EQ(toRight.right, 1);
  StereoGain toLeft = TrackGain(-2000, -2000);
  EXPECT_NEAR(toLeft.left, 0.1, 1e-9);
  EXPECT_NEAR(toLeft.right, 0.01, 1e-9);
}

}  // namespace
}  // namespace bm

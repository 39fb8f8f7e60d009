// The generated picture tree: every catalogued file is there and decodes, glyphs stay
// inside their own rectangles, and the map point file has the fixed layout.

#include "render/AssetCatalogue.h"
#include "render/GlyphTable.h"
#include "shell/InputRouter.h"

#include <gtest/gtest.h>
#include <stb/stb_image.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

const std::string kGameDir = BM_GAME_DIR;

struct Picture {
    int w = 0, h = 0;
    std::unique_ptr<unsigned char, void (*)(void*)> px{nullptr, stbi_image_free};
    unsigned alpha(int x, int y) const { return px.get()[(size_t(y) * w + x) * 4 + 3]; }
};

Picture load(const std::string& rel) {
    Picture p;
    int n = 0;
    p.px.reset(stbi_load((kGameDir + "/" + rel).c_str(), &p.w, &p.h, &n, 4));
    return p;
}

TEST(Assets, EveryCataloguedPictureExistsAndDecodes) {
    std::vector<std::string> bad;
    for (const auto& e : bm::kAssetCatalogue) {
        Picture p = load(std::string(e.path));
        if (!p.px || p.w < 4 || p.h < 4) bad.emplace_back(e.path);
    }
    EXPECT_TRUE(bad.empty()) << bad.size() << " missing or unreadable, first: " << (bad.empty() ? "" : bad[0]);
}

TEST(Assets, CataloguePathsAreUniqueAndRelative) {
    std::set<std::string_view> seen;
    for (const auto& e : bm::kAssetCatalogue) {
        EXPECT_TRUE(seen.insert(e.path).second) << e.path;
        EXPECT_NE(e.path.front(), '/') << e.path;
        EXPECT_EQ(e.path.find('\\'), std::string_view::npos) << e.path;
    }
}

TEST(Assets, GlyphTableIsConsistent) {
    std::set<char> chars;
    for (const auto& g : bm::kGlyphTable) {
        EXPECT_TRUE(chars.insert(g.ch).second) << g.ch;
        EXPECT_GE(g.page, 0);
        EXPECT_LT(g.page, bm::kGlyphPageCount);
        EXPECT_GE(g.left, 0);
        EXPECT_LE(g.right, 256);
        EXPECT_LT(g.left, g.right);
        EXPECT_LT(g.top, g.bottom);
    }
    EXPECT_EQ(chars.size(), 86u);
    EXPECT_EQ(chars.count(' '), 0u);
}

// Cutting a glyph's rectangle out of its page must show that glyph and nothing of a
// neighbour: every inked pixel lies in exactly one rectangle, and each has ink.
void checkPage(const std::string& rel, int page) {
    Picture p = load(rel);
    ASSERT_TRUE(p.px) << rel;
    ASSERT_EQ(p.w, 256) << rel;
    ASSERT_EQ(p.h, 256) << rel;
    std::vector<const bm::GlyphRect*> rects;
    for (const auto& g : bm::kGlyphTable)
        if (g.page == page) rects.push_back(&g);
    std::vector<int> ink(rects.size(), 0);
    int stray = 0, shared = 0;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            if (p.alpha(x, y) == 0) continue;
            int owners = 0;
            for (size_t k = 0; k < rects.size(); ++k) {
                const auto* g = rects[k];
                if (x >= g->left && x < g->right && y >= g->top && y < g->bottom) {
                    ++owners;
                    ++ink[k];
                }
            }
            stray += owners == 0;
            shared += owners > 1;
        }
    EXPECT_EQ(stray, 0) << rel << ": inked pixels outside every rectangle";
    EXPECT_EQ(shared, 0) << rel << ": inked pixels where two rectangles overlap";
    for (size_t k = 0; k < rects.size(); ++k) EXPECT_GT(ink[k], 40) << rel << " glyph '" << rects[k]->ch << "'";
}

TEST(Assets, GlyphInkStaysInsideItsRectangle) {
    for (int i = 1; i <= 19; ++i) {
        checkPage("fonts/large/c" + std::to_string(i) + "n.png", i);
        checkPage("fonts/small/c" + std::to_string(i) + "n.png", i);
    }
    for (int i = 1; i <= 10; ++i) checkPage("fonts/new/c" + std::to_string(i) + "h.png", i);
    for (const char* p0 : {"fonts/new/c0m.png", "fonts/new/c0mh.png", "fonts/new/c0mp.png"}) checkPage(p0, 0);
}

// The ink of one glyph: its bounding box on the page.
struct InkBox {
    int left = 256, top = 256, right = -1, bottom = -1;
};
InkBox inkOf(const Picture& p, char ch) {
    InkBox b;
    for (const auto& g : bm::kGlyphTable) {
        if (g.ch != ch) continue;
        for (int y = g.top; y < g.bottom; ++y)
            for (int x = g.left; x < g.right; ++x)
                if (p.alpha(x, y) > 128)
                    b.left = std::min(b.left, x), b.right = std::max(b.right, x), b.top = std::min(b.top, y),
                    b.bottom = std::max(b.bottom, y);
    }
    return b;
}

TEST(Assets, AnUnderscoreIsALowBarAndTheCheckBoxHasItsOwnCode) {
    Picture p0 = load("fonts/new/c0m.png");
    ASSERT_TRUE(p0.px);
    InkBox u = inkOf(p0, '_');
    ASSERT_GE(u.right, u.left) << "the underscore has ink";
    EXPECT_GT(u.right - u.left, 3 * (u.bottom - u.top)) << "a flat bar, not a box";
    EXPECT_GE(u.top, 127 + bm::kGlyphBaseline - 8) << "on or under the baseline";
    EXPECT_NE(bm::kCheckBoxGlyph, '_');
    EXPECT_FALSE(bm::IsFontChar(bm::kCheckBoxGlyph)) << "no name can hold the check box";
    Picture p10 = load("fonts/large/c10n.png");
    ASSERT_TRUE(p10.px);
    InkBox box = inkOf(p10, bm::kCheckBoxGlyph);
    ASSERT_GE(box.right, box.left);
    int w = box.right - box.left, h = box.bottom - box.top;
    EXPECT_NEAR(double(w) / h, 1.0, 0.2) << "the check box is square";
}

TEST(Assets, MapPointFileHoldsSixtyFiveLevelsOnScreen) {
    std::ifstream in(kGameDir + "/" + std::string(bm::kMapPointFile), std::ios::binary);
    ASSERT_TRUE(in) << "apo.dat missing";
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_EQ(bytes.size(), bm::kMapPointFileSize);
    auto word = [&](size_t at) {
        return int32_t(uint32_t(bytes[at]) | uint32_t(bytes[at + 1]) << 8 | uint32_t(bytes[at + 2]) << 16 |
                       uint32_t(bytes[at + 3]) << 24);
    };
    std::set<std::pair<int, int>> seen;
    for (int n = 1; n <= 65; ++n) {
        int x = word(size_t(n) * 8), y = word(size_t(n) * 8 + 4);
        EXPECT_GT(x, 20) << "level " << n;
        EXPECT_LT(x, 1260) << "level " << n;
        EXPECT_GT(y, 20) << "level " << n;
        EXPECT_LT(y, 1004) << "level " << n;
        EXPECT_TRUE(seen.insert({x, y}).second) << "level " << n << " shares its point";
    }
    for (size_t at = 0; at < 8; ++at) EXPECT_EQ(bytes[at], 0) << "pair 0 is unused";
    for (size_t at = 66 * 8; at < bytes.size(); ++at) ASSERT_EQ(bytes[at], 0) << "byte " << at;
}

}  // namespace

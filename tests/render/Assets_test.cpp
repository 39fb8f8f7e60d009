// The generated picture tree: every catalogued file is there and decodes, the font
// covers Latin-1 and Latin Extended-A with glyphs inside their own places, and the
// map point file has the fixed layout.

#include "render/AssetCatalogue.h"
#include "lang/Utf8.h"
#include "render/GlyphTable.h"
#include "render/PlayScreen.h"
#include "storage/Players.h"

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

TEST(Assets, EveryCataloguedPictureExistsDecodesAndHasAUniqueRelativePath) {
    std::vector<std::string> bad;
    for (const auto& e : bm::kAssetCatalogue) {
        Picture p = load(std::string(e.path));
        if (!p.px || p.w < 4 || p.h < 4) bad.emplace_back(e.path);
    }
    EXPECT_TRUE(bad.empty()) << bad.size() << " missing or unreadable, first: " << (bad.empty() ? "" : bad[0]);
    // The paths are unique and relative.
    std::set<std::string_view> seen;
    for (const auto& e : bm::kAssetCatalogue) {
        EXPECT_TRUE(seen.insert(e.path).second) << e.path;
        EXPECT_NE(e.path.front(), '/') << e.path;
        EXPECT_EQ(e.path.find('\\'), std::string_view::npos) << e.path;
    }
}

void checkPage(bool large, int page);

// Both looks of the font carry every printable character of ASCII ("|" breaks
// lines), Latin-1 and Latin Extended-A, each in a place of its own on a page.
TEST(Assets, GlyphTableCoversLatin1AndExtendedAAndEachInkStaysInItsPlace) {
    std::set<char32_t> codes;
    for (const auto& g : bm::kLargeGlyphs) EXPECT_TRUE(codes.insert(g.code).second) << uint32_t(g.code);
    std::string missing;
    for (char32_t c = 0x21; c < 0x180; c = c == 0x7E ? 0xA1 : c + 1)
        if (c != U'|' && c != 0xAD && !codes.count(c)) missing += bm::EncodeUtf8(c);
    EXPECT_EQ(missing, "") << "without a glyph";
    std::set<std::string_view> pages;
    for (const auto& e : bm::kAssetCatalogue)
        if (e.kind == bm::AssetKind::GlyphPage) pages.insert(e.path);
    for (bool large : {true, false}) {
        const auto& places = large ? bm::kLargeGlyphs : bm::kSmallGlyphs;
        const int count = large ? bm::kLargeGlyphPages : bm::kSmallGlyphPages;
        for (size_t i = 0; i < places.size(); ++i) {
            const bm::GlyphPlace& g = places[i];
            EXPECT_EQ(g.code, bm::kLargeGlyphs[i].code) << "the same order in both looks";
            EXPECT_TRUE(g.page >= 0 && g.page < count && g.x >= 0 && g.y >= 0 && g.x + g.w <= 256 && g.y + g.h <= 256)
                << uint32_t(g.code);
            EXPECT_GE(g.w, g.width * (large ? 1 : 0.5)) << uint32_t(g.code);
        }
        for (int p = 0; p < count; ++p) EXPECT_TRUE(pages.count(bm::GlyphPagePath(large, p))) << p << " catalogued";
    }
    EXPECT_EQ(pages.size(), size_t(bm::kLargeGlyphPages + bm::kSmallGlyphPages));
    // Cut out of its page, each place shows its glyph and nothing of a neighbour.
    for (int i = 0; i < bm::kLargeGlyphPages; ++i) checkPage(true, i);
    for (int i = 0; i < bm::kSmallGlyphPages; ++i) checkPage(false, i);
}

// Cutting a glyph's place out of its page must show that glyph and nothing of a
// neighbour: every inked pixel lies in exactly one place, and each has ink.
void checkPage(bool large, int page) {
    const std::string rel = bm::GlyphPagePath(large, page);
    Picture p = load(rel);
    ASSERT_TRUE(p.px) << rel;
    ASSERT_TRUE(p.w == 256 && p.h == 256) << rel;
    std::vector<const bm::GlyphPlace*> rects;
    for (const auto& g : large ? bm::kLargeGlyphs : bm::kSmallGlyphs)
        if (g.page == page) rects.push_back(&g);
    std::vector<int> ink(rects.size(), 0);
    int stray = 0, shared = 0;
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            if (p.alpha(x, y) == 0) continue;
            int owners = 0;
            for (size_t k = 0; k < rects.size(); ++k) {
                const auto* g = rects[k];
                if (x >= g->x && x < g->x + g->w && y >= g->y && y < g->y + g->h) {
                    ++owners;
                    ++ink[k];
                }
            }
            stray += owners == 0;
            shared += owners > 1;
        }
    EXPECT_EQ(stray, 0) << rel << ": inked pixels outside every place";
    EXPECT_EQ(shared, 0) << rel << ": inked pixels where two places overlap";
    for (size_t k = 0; k < rects.size(); ++k)
        EXPECT_GT(ink[k], large ? 40 : 10) << rel << " glyph U+" << std::hex << uint32_t(rects[k]->code);
}

// The ink of one glyph of the large look: its bounding box within its place.
struct InkBox {
    int left = 256, top = 256, right = -1, bottom = -1;
};
InkBox inkOf(char32_t code, int* placeTop = nullptr) {
    InkBox b;
    for (const auto& g : bm::kLargeGlyphs) {
        if (g.code != code) continue;
        Picture p = load(bm::GlyphPagePath(true, g.page));
        if (!p.px) return b;
        if (placeTop) *placeTop = g.y;
        for (int y = g.y; y < g.y + g.h; ++y)
            for (int x = g.x; x < g.x + g.w; ++x)
                if (p.alpha(x, y) > 128)
                    b.left = std::min(b.left, x), b.right = std::max(b.right, x), b.top = std::min(b.top, y),
                    b.bottom = std::max(b.bottom, y);
    }
    return b;
}

TEST(Assets, AnUnderscoreIsALowBarAndTheCheckBoxHasItsOwnCode) {
    int top = 0;
    InkBox u = inkOf(U'_', &top);
    ASSERT_GE(u.right, u.left) << "the underscore has ink";
    EXPECT_GT(u.right - u.left, 3 * (u.bottom - u.top)) << "a flat bar, not a box";
    EXPECT_GE(u.top, top + bm::kGlyphBaseline - 8) << "on or under the baseline";
    EXPECT_NE(bm::kCheckBoxGlyph, '_');
    EXPECT_FALSE(bm::IsNameCharacter(char32_t(bm::kCheckBoxGlyph))) << "no name can hold the check box";
    InkBox box = inkOf(char32_t(bm::kCheckBoxGlyph));
    ASSERT_GE(box.right, box.left);
    int w = box.right - box.left, h = box.bottom - box.top;
    EXPECT_NEAR(double(w) / h, 1.0, 0.2) << "the check box is square";
}

// The small look is drawn at a third of its page (How To Play at 800x600): the
// dots of i and j stand four page pixels clear of their stems ("identical",
// never "ldentlcal").
TEST(Assets, TheSmallIAndJKeepTheirDotsApart) {
    for (const auto& g : bm::kSmallGlyphs) {
        if (g.code != U'i' && g.code != U'j') continue;
        Picture p = load(bm::GlyphPagePath(false, g.page));
        ASSERT_TRUE(p.px);
        std::vector<bool> inked;  // each row of the glyph
        for (int y = g.y; y < g.y + g.h; ++y) {
            bool any = false;
            for (int x = g.x; x < g.x + g.w; ++x) any = any || p.alpha(x, y) > 64;
            inked.push_back(any);
        }
        auto gap = std::find(std::find(inked.begin(), inked.end(), true), inked.end(), false);
        auto stem = std::find(gap, inked.end(), true);
        EXPECT_GE(stem - gap, 4) << "U+" << std::hex << uint32_t(g.code) << ": the dot touches the stem";
        EXPECT_NE(stem, inked.end()) << "a stem under the dot";
    }
}

// The MENU wheel, its handles and the socket the panel's frame holds for it
// stand whole on the screen, clear of its right and bottom edges, at every size.
TEST(Assets, TheMenuWheelAndItsSocketStandInsideTheScreen) {
    Picture wheel = load("256/mainmenu3.png"), frame = load("red/bg/fg.png");
    ASSERT_TRUE(wheel.px && frame.px);
    int right = 0, bottom = 0;  // the wheel's ink
    for (int y = 0; y < wheel.h; ++y)
        for (int x = 0; x < wheel.w; ++x)
            if (wheel.alpha(x, y) > 32) right = std::max(right, x + 1), bottom = std::max(bottom, y + 1);
    for (auto [w, h] : {std::pair{800, 600}, std::pair{1024, 768}, std::pair{1280, 1024}}) {
        bm::ScreenMetrics m = bm::ScreenMetrics::For(w, h);
        bm::IRect r = bm::MenuButtonRect(m);
        EXPECT_LE(r.left + right * double(r.right - r.left) / wheel.w, w - 12 * m.XScale) << w << "x" << h;
        EXPECT_LE(r.top + bottom * double(r.bottom - r.top) / wheel.h, h - 12 * m.YScale) << w << "x" << h;
    }
    // Below the stock buttons' column the frame's last three columns and rows are clear.
    for (int y = frame.h * 930 / 1024; y < frame.h; ++y)
        for (int x = frame.w * 1100 / 1280; x < frame.w; ++x)
            ASSERT_TRUE((x < frame.w - 3 && y < frame.h - 3) || frame.alpha(x, y) <= 16) << "the socket runs off the screen";
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
        EXPECT_TRUE(x > 20 && x < 1260 && y > 20 && y < 1004) << "level " << n << " at " << x << ", " << y;
        EXPECT_TRUE(seen.insert({x, y}).second) << "level " << n << " shares its point";
    }
    for (size_t at = 0; at < 8; ++at) EXPECT_EQ(bytes[at], 0) << "pair 0 is unused";
    for (size_t at = 66 * 8; at < bytes.size(); ++at) ASSERT_EQ(bytes[at], 0) << "byte " << at;
}

}  // namespace

#pragma once
// Every picture file the game ships, relative to the program folder, with the
// square size its texture is created at. The art generator writes exactly these
// files, the asset test checks them, and the texture loader can use the list to
// resolve names. Plain data only: no SDL or drawing library here.

#include <array>
#include <cstddef>
#include <string_view>

#include "bonus/BonusKinds.h"

namespace bm {

enum class AssetKind { DialogButton, Board, Jewel, Bonus, Effect, Button, Screen, Shop, GlyphPage };

struct AssetEntry {
    std::string_view path;  // relative, forward slashes, exact case
    int loadSize = 0;       // texture edge in pixels; kTex = the resolution's size class (128, 256 or 512)
    AssetKind kind = AssetKind::Board;
};

inline constexpr int kTex = 0;

// Sheet layouts of the pictures that hold several sprites.

// "256/num.png": 256 x 256, a 4 x 4 grid of 64-pixel cells, row by row:
// "0".."9", then ":", "+", "-", "x", "/", "%".
inline constexpr int kNumCell = 64;
inline constexpr std::string_view kNumChars = "0123456789:+-x/%";

// "red/shop/map-points2.png": 256 x 256, a 4 x 4 grid of 64-pixel cells.
// Cells 0..5 are the level point states 0..5 of the map (0 later level, 1 past level,
// 2 current level, 3..5 the same at a stage boundary); cell 6 the pulse ring of the
// current level; cell 7 the travelling marker (a small ship seen from above).
inline constexpr int kMapPointCell = 64;
inline constexpr int kMapPulseCell = 6;
inline constexpr int kMapMarkerCell = 7;

// "red/shop/shop0.jpg" is the island map of the between-levels screen (the level
// points of "apo.dat" lie on its path), "red/shop/shop1.jpg" the Pirate Shop backdrop,
// "red/shop/shop2.jpg" a sheet of the between-levels buttons: three columns
// (0 map, 1 shop, 2 continue) by three rows (0 normal, 1 hover, 2 pressed), each
// button kShopButtonW x kShopButtonH at (kShopButtonX0 + column * kShopButtonStepX,
// kShopButtonY0 + row * kShopButtonStepY) in the 1024 x 1024 picture.
// Both screens leave the strip below y = kShopButtonBarTop (in 1024 picture pixels) for those buttons.
inline constexpr int kShopButtonW = 300;
inline constexpr int kShopButtonH = 96;
inline constexpr int kShopButtonX0 = 22;
inline constexpr int kShopButtonY0 = 40;
inline constexpr int kShopButtonStepX = 334;
inline constexpr int kShopButtonStepY = 128;
inline constexpr int kShopButtonBarTop = 900;

// "red/menu/main1-new2.jpg" is "red/menu/main0-new2.jpg" with every menu object lit:
// blending it in over an item's hit rectangle by the item's highlight level lights that item.

// "256/cursor.png" covers the 96 x 96 design-pixel cursor; its hot spot is at design (30, 10).

// The pictures between the table parts below come from the bonus table: each
// kind's and each key's picture.
inline constexpr auto kAssetsBeforeBonuses = std::to_array<AssetEntry>({
    {"256/buttons/bYes0.png", kTex, AssetKind::DialogButton},
    {"256/buttons/bYes1.png", kTex, AssetKind::DialogButton},
    {"256/buttons/bYes2.png", kTex, AssetKind::DialogButton},
    {"256/buttons/bNo0.png", kTex, AssetKind::DialogButton},
    {"256/buttons/bNo1.png", kTex, AssetKind::DialogButton},
    {"256/buttons/bNo2.png", kTex, AssetKind::DialogButton},
    {"256/buttons/bOk0.png", kTex, AssetKind::DialogButton},
    {"256/buttons/bOk1.png", kTex, AssetKind::DialogButton},
    {"256/buttons/bOk2.png", kTex, AssetKind::DialogButton},
    {"256/buttons/bMenu0.png", kTex, AssetKind::DialogButton},
    {"256/buttons/bMenu1.png", kTex, AssetKind::DialogButton},
    {"256/buttons/bMenu2.png", kTex, AssetKind::DialogButton},
    {"256/buttons/cross0.png", kTex, AssetKind::DialogButton},
    {"256/buttons/cross1.png", kTex, AssetKind::DialogButton},
    {"256/buttons/cross2.png", kTex, AssetKind::DialogButton},
    {"256/buttons/line0.png", kTex, AssetKind::DialogButton},
    {"256/buttons/line1.png", kTex, AssetKind::DialogButton},
    {"256/buttons/line2.png", kTex, AssetKind::DialogButton},
    {"256/buttons/crossh0.png", kTex, AssetKind::DialogButton},
    {"256/buttons/crossh1.png", kTex, AssetKind::DialogButton},
    {"256/buttons/crossh2.png", kTex, AssetKind::DialogButton},
    {"256/buttons/lineh0.png", kTex, AssetKind::DialogButton},
    {"256/buttons/lineh1.png", kTex, AssetKind::DialogButton},
    {"256/buttons/lineh2.png", kTex, AssetKind::DialogButton},
    {"256/buttons/cfin.png", kTex, AssetKind::DialogButton},
    {"256/drop-bottom.png", kTex, AssetKind::Board},
    {"256/drop-bottom1.png", kTex, AssetKind::Board},
    {"256/drop-top.png", kTex, AssetKind::Board},
    {"256/parus-front.png", kTex, AssetKind::Board},
    {"256/parus-back5.png", kTex, AssetKind::Board},
    {"256/blue1-new.png", kTex, AssetKind::Jewel},
    {"256/GREEN2.png", kTex, AssetKind::Jewel},
    {"256/amber5.png", kTex, AssetKind::Jewel},
    {"256/rub3.png", kTex, AssetKind::Jewel},
    {"256/diam2.png", kTex, AssetKind::Jewel},
    {"256/crystal-yellow2d.png", kTex, AssetKind::Jewel},
    {"256/onea2.png", kTex, AssetKind::Jewel},
    {"256/star2.png", kTex, AssetKind::Jewel},
    {"256/cirk3.png", kTex, AssetKind::Jewel},
    {"256/gems.png", kTex, AssetKind::Jewel},
    {"256/bluegem2.png", kTex, AssetKind::Jewel},
    {"256/red5.png", kTex, AssetKind::Jewel},
    {"256/amberstone.png", kTex, AssetKind::Jewel},
    {"256/blue-gem2.png", kTex, AssetKind::Jewel},
    {"256/tan-gem.png", kTex, AssetKind::Jewel},
    {"256/white-gem2.png", kTex, AssetKind::Jewel},
});

inline constexpr auto kAssetsBeforeKeys = std::to_array<AssetEntry>({
    {"256/disap.png", kTex, AssetKind::Effect},
    {"256/circ.png", kTex, AssetKind::Effect},
    {"256/eff.png", kTex, AssetKind::Effect},
    {"256/emp.png", kTex, AssetKind::Effect},
    {"256/arrow.png", kTex, AssetKind::Effect},
    {"256/fire.png", kTex, AssetKind::Effect},
    {"256/anime/pf0.png", kTex, AssetKind::Board},
    {"256/anime/pf1.png", kTex, AssetKind::Board},
    {"256/anime/pf2.png", kTex, AssetKind::Board},
    {"256/anime/pf3.png", kTex, AssetKind::Board},
    {"256/anime/pf4.png", kTex, AssetKind::Board},
    {"256/anime/pf5.png", kTex, AssetKind::Board},
    {"256/anime/pf6.png", kTex, AssetKind::Board},
    {"256/anime/pf7.png", kTex, AssetKind::Board},
    {"256/anime/pb1.png", kTex, AssetKind::Board},
    {"256/anime/pb2.png", kTex, AssetKind::Board},
    {"256/anime/pb3.png", kTex, AssetKind::Board},
    {"256/anime/pb4.png", kTex, AssetKind::Board},
    {"256/anime/pb5.png", kTex, AssetKind::Board},
    {"256/anime/pb6.png", kTex, AssetKind::Board},
    {"256/anime/pb7.png", kTex, AssetKind::Board},
    {"256/anime/pb8.png", kTex, AssetKind::Board},
    {"256/anime/pb9.png", kTex, AssetKind::Board},
    {"256/anime/pb10.png", kTex, AssetKind::Board},
    {"256/anime/pb11.png", kTex, AssetKind::Board},
    {"256/anime/pb12.png", kTex, AssetKind::Board},
    {"256/anime/pb13.png", kTex, AssetKind::Board},
    {"256/anime/pb14.png", kTex, AssetKind::Board},
    {"256/anime/pb15.png", kTex, AssetKind::Board},
    {"256/anime/pb16.png", kTex, AssetKind::Board},
    {"256/anime/pb17.png", kTex, AssetKind::Board},
    {"256/anime/pb18.png", kTex, AssetKind::Board},
    {"256/anime/border.png", kTex, AssetKind::Board},
    {"256/backcells/gold-normal.png", kTex, AssetKind::Board},
    {"256/backcells/gold-bright.png", kTex, AssetKind::Board},
    {"256/backcells/gold-yellow.png", kTex, AssetKind::Board},
    {"red/tipform0.png", 512, AssetKind::Screen},
    {"red/tipform1.png", 512, AssetKind::Screen},
    {"red/tipform2.png", 512, AssetKind::Screen},
    {"red/tipform3.png", 512, AssetKind::Screen},
    {"red/tipformA.png", 512, AssetKind::Screen},
    {"256/num.png", 256, AssetKind::Board},
    {"256/sw4.png", 256, AssetKind::Board},
    {"256/swupper.png", 256, AssetKind::Board},
    {"256/swlower.png", 256, AssetKind::Board},
    {"256/swupperface.png", 256, AssetKind::Board},
    {"256/swlowerface.png", 256, AssetKind::Board},
    {"256/sand.png", 4, AssetKind::Board},
    {"256/4x4.png", 4, AssetKind::Board},
    {"256/cursor.png", 256, AssetKind::Button},
    {"256/mainmenu3.png", 256, AssetKind::Button},
    {"256/mainmenu3s.png", 256, AssetKind::Button},
    {"256/mainmenu3p.png", 256, AssetKind::Button},
    {"256/buttons/hint0.png", 256, AssetKind::Button},
    {"256/buttons/hint1.png", 256, AssetKind::Button},
    {"256/buttons/hint2.png", 256, AssetKind::Button},
    {"256/buttons/parrot0.png", 256, AssetKind::Button},
    {"256/buttons/parrot1.png", 256, AssetKind::Button},
    {"256/buttons/parrot2.png", 256, AssetKind::Button},
    {"256/buttons/parrot3.png", 256, AssetKind::Button},
    {"256/buttons/shuffle0.png", 256, AssetKind::Button},
    {"256/buttons/shuffle1.png", 256, AssetKind::Button},
    {"256/buttons/shuffle2.png", 256, AssetKind::Button},
    {"256/buttons/shuffle3.png", 256, AssetKind::Button},
    {"256/buttons/hook0.png", 256, AssetKind::Button},
    {"256/buttons/hook1.png", 256, AssetKind::Button},
    {"256/buttons/hook2.png", 256, AssetKind::Button},
    {"256/buttons/hook3.png", 256, AssetKind::Button},
    {"256/buttons/sun0.png", 256, AssetKind::Button},
    {"256/buttons/sun1.png", 256, AssetKind::Button},
    {"256/buttons/sun2.png", 256, AssetKind::Button},
    {"256/buttons/sun3.png", 256, AssetKind::Button},
    {"red/menu/main0-new2.jpg", 1024, AssetKind::Screen},
    {"red/menu/main1-new2.jpg", 1024, AssetKind::Screen},
    {"red/menu/options-new.jpg", 1024, AssetKind::Screen},
    {"red/menu/pause.jpg", 1024, AssetKind::Screen},
    {"red/shop/shop0.jpg", 1024, AssetKind::Screen},
    {"red/shop/shop1.jpg", 1024, AssetKind::Screen},
    {"red/shop/shop2.jpg", 1024, AssetKind::Screen},
    {"red/shop/lock01.png", 256, AssetKind::Shop},
    {"red/shop/lock02.png", 256, AssetKind::Shop},
    {"red/shop/lock03.png", 256, AssetKind::Shop},
    {"red/shop/lock04.png", 256, AssetKind::Shop},
    {"red/shop/lock05.png", 256, AssetKind::Shop},
    {"red/shop/lock06.png", 256, AssetKind::Shop},
    {"red/shop/lock07.png", 256, AssetKind::Shop},
    {"red/shop/lock08.png", 256, AssetKind::Shop},
    {"red/shop/lock09.png", 256, AssetKind::Shop},
    {"red/shop/lock10.png", 256, AssetKind::Shop},
});

inline constexpr auto kAssetsAfterKeys = std::to_array<AssetEntry>({
    {"red/bg/back1.jpg", 1024, AssetKind::Screen},
    {"red/bg/back2.jpg", 1024, AssetKind::Screen},
    {"red/bg/back3.jpg", 1024, AssetKind::Screen},
    {"red/bg/back4.jpg", 1024, AssetKind::Screen},
    {"red/bg/back5.jpg", 1024, AssetKind::Screen},
    {"red/bg/back6.jpg", 1024, AssetKind::Screen},
    {"red/bg/back7.jpg", 1024, AssetKind::Screen},
    {"red/bg/back8.jpg", 1024, AssetKind::Screen},
    {"red/bg/fg.png", 1024, AssetKind::Screen},
    {"red/bg/menupop.png", 512, AssetKind::Screen},
    {"red/bg/tipbtn.png", 256, AssetKind::Button},
    {"red/shop/map-points2.png", 128, AssetKind::Shop},
    {"red/tipimages/check.png", 128, AssetKind::Screen},
    {"red/tipimages/tip1.png", 256, AssetKind::Screen},
    {"red/tipimages/tip2.png", 256, AssetKind::Screen},
    {"red/tipimages/tip3.png", 256, AssetKind::Screen},
    {"red/tipimages/1.jpg", 256, AssetKind::Screen},
    {"red/tipimages/2.jpg", 256, AssetKind::Screen},
    {"red/tipimages/3.jpg", 256, AssetKind::Screen},
    {"red/tipimages/4.jpg", 256, AssetKind::Screen},
    {"red/tipimages/5.jpg", 256, AssetKind::Screen},
    {"red/tipimages/6.jpg", 256, AssetKind::Screen},
    {"red/tipimages/7.jpg", 256, AssetKind::Screen},
    {"red/tipimages/8.jpg", 256, AssetKind::Screen},
    {"red/logo/layer0.jpg", 1024, AssetKind::Screen},
    {"red/logo/layer1.jpg", 1024, AssetKind::Screen},
    {"red/logo/layer2.jpg", 1024, AssetKind::Screen},
    {"red/logo/gamelogo0.jpg", 1024, AssetKind::Screen},
    {"red/logo/gamelogo1.jpg", 1024, AssetKind::Screen},
    // The glyph pages (render/GlyphTable.h): kLargeGlyphPages large, kSmallGlyphPages small.
    {"fonts/large/g0.png", 256, AssetKind::GlyphPage},
    {"fonts/large/g1.png", 256, AssetKind::GlyphPage},
    {"fonts/large/g2.png", 256, AssetKind::GlyphPage},
    {"fonts/large/g3.png", 256, AssetKind::GlyphPage},
    {"fonts/large/g4.png", 256, AssetKind::GlyphPage},
    {"fonts/large/g5.png", 256, AssetKind::GlyphPage},
    {"fonts/large/g6.png", 256, AssetKind::GlyphPage},
    {"fonts/large/g7.png", 256, AssetKind::GlyphPage},
    {"fonts/large/g8.png", 256, AssetKind::GlyphPage},
    {"fonts/large/g9.png", 256, AssetKind::GlyphPage},
    {"fonts/large/g10.png", 256, AssetKind::GlyphPage},
    {"fonts/large/g11.png", 256, AssetKind::GlyphPage},
    {"fonts/large/g12.png", 256, AssetKind::GlyphPage},
    {"fonts/large/g13.png", 256, AssetKind::GlyphPage},
    {"fonts/large/g14.png", 256, AssetKind::GlyphPage},
    {"fonts/large/g15.png", 256, AssetKind::GlyphPage},
    {"fonts/large/g16.png", 256, AssetKind::GlyphPage},
    {"fonts/large/g17.png", 256, AssetKind::GlyphPage},
    {"fonts/large/g18.png", 256, AssetKind::GlyphPage},
    {"fonts/large/g19.png", 256, AssetKind::GlyphPage},
    {"fonts/large/g20.png", 256, AssetKind::GlyphPage},
    {"fonts/large/g21.png", 256, AssetKind::GlyphPage},
    {"fonts/large/g22.png", 256, AssetKind::GlyphPage},
    {"fonts/large/g23.png", 256, AssetKind::GlyphPage},
    {"fonts/large/g24.png", 256, AssetKind::GlyphPage},
    {"fonts/large/g25.png", 256, AssetKind::GlyphPage},
    {"fonts/large/g26.png", 256, AssetKind::GlyphPage},
    {"fonts/large/g27.png", 256, AssetKind::GlyphPage},
    {"fonts/large/g28.png", 256, AssetKind::GlyphPage},
    {"fonts/large/g29.png", 256, AssetKind::GlyphPage},
    {"fonts/large/g30.png", 256, AssetKind::GlyphPage},
    {"fonts/large/g31.png", 256, AssetKind::GlyphPage},
    {"fonts/large/g32.png", 256, AssetKind::GlyphPage},
    {"fonts/large/g33.png", 256, AssetKind::GlyphPage},
    {"fonts/large/g34.png", 256, AssetKind::GlyphPage},
    {"fonts/large/g35.png", 256, AssetKind::GlyphPage},
    {"fonts/large/g36.png", 256, AssetKind::GlyphPage},
    {"fonts/large/g37.png", 256, AssetKind::GlyphPage},
    {"fonts/large/g38.png", 256, AssetKind::GlyphPage},
    {"fonts/large/g39.png", 256, AssetKind::GlyphPage},
    {"fonts/large/g40.png", 256, AssetKind::GlyphPage},
    {"fonts/large/g41.png", 256, AssetKind::GlyphPage},
    {"fonts/large/g42.png", 256, AssetKind::GlyphPage},
    {"fonts/large/g43.png", 256, AssetKind::GlyphPage},
    {"fonts/large/g44.png", 256, AssetKind::GlyphPage},
    {"fonts/large/g45.png", 256, AssetKind::GlyphPage},
    {"fonts/large/g46.png", 256, AssetKind::GlyphPage},
    {"fonts/small/g0.png", 256, AssetKind::GlyphPage},
    {"fonts/small/g1.png", 256, AssetKind::GlyphPage},
    {"fonts/small/g2.png", 256, AssetKind::GlyphPage},
    {"fonts/small/g3.png", 256, AssetKind::GlyphPage},
    {"fonts/small/g4.png", 256, AssetKind::GlyphPage},
    {"fonts/small/g5.png", 256, AssetKind::GlyphPage},
    {"fonts/small/g6.png", 256, AssetKind::GlyphPage},
    {"fonts/small/g7.png", 256, AssetKind::GlyphPage},
    {"fonts/small/g8.png", 256, AssetKind::GlyphPage},
    {"fonts/small/g9.png", 256, AssetKind::GlyphPage},
    {"fonts/small/g10.png", 256, AssetKind::GlyphPage},
    {"fonts/small/g11.png", 256, AssetKind::GlyphPage},
});

inline constexpr std::array kAssetCatalogue = [] {
  std::array<AssetEntry, kAssetsBeforeBonuses.size() + kBonusKinds.size() + kAssetsBeforeKeys.size() +
                             kKeys.size() + kAssetsAfterKeys.size()>
      all{};
  std::size_t at = 0;
  for (const AssetEntry& e : kAssetsBeforeBonuses) all[at++] = e;
  for (const BonusKind& k : kBonusKinds) all[at++] = {k.picture, kTex, AssetKind::Bonus};
  for (const AssetEntry& e : kAssetsBeforeKeys) all[at++] = e;
  for (const KeyKind& k : kKeys) all[at++] = {k.picture, kTex, AssetKind::Shop};
  for (const AssetEntry& e : kAssetsAfterKeys) all[at++] = e;
  return all;
}();

// The map point file beside the program: 101 (X, Y) pairs of 32-bit little-endian
// integers in 1280 x 1024 screen pixels, pair n for level n, then 808 spare bytes.
inline constexpr std::string_view kMapPointFile = "apo.dat";
inline constexpr std::size_t kMapPointFileSize = 1616;

}  // namespace bm

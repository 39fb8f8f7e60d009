#pragma once
// Which screens draw which pictures: each picture file belongs to one or more
// groups, and the pictures of groups not shown are released (TextureBank::Use).
// Small pictures share atlas pages only with pictures of their own group, so a
// group's pages go with it. The page's packs follow the same groups.
// Plain data only: no SDL or drawing library here.

#include <string>
#include <string_view>
#include <vector>

#include "platform/Platform.h"
#include "render/ItemPictures.h"
#include "render/MenuScreen.h"

namespace bm {

namespace asset_group {
inline constexpr unsigned Start = 1u << 0;    // the logo and the loading picture
inline constexpr unsigned Kept = 1u << 1;     // small glyphs, the pointer, the dialogs' parchment: held all the time
inline constexpr unsigned Menu = 1u << 2;     // main menu, options, how to play, players, high scores
inline constexpr unsigned Away = 1u << 3;     // the window in the background
inline constexpr unsigned Play = 1u << 4;     // a level: board, panel, bonuses, effects, tips, flights
inline constexpr unsigned Between = 1u << 5;  // the map and the Pirate Shop
inline constexpr unsigned Credits = 1u << 6;  // congratulations and credits
inline constexpr unsigned Stage1 = 1u << 7;   // stage n's background: Stage1 << (n - 1), n = 1..7
inline constexpr unsigned AllStages = 0x7Fu << 7;
}  // namespace asset_group

inline constexpr unsigned StageGroup(int stage) {
  return stage >= 1 && stage <= 7 ? asset_group::Stage1 << (stage - 1) : 0u;
}

// The groups a picture (path relative to the program folder) belongs to; every
// picture belongs to at least one.
inline unsigned AssetGroupsOf(std::string_view path) {
  using namespace asset_group;
  auto starts = [&](std::string_view head) { return path.substr(0, head.size()) == head; };
  // A level's board and panel set their texts small: the large glyph pages wait
  // on disk while it shows (a larger text there loads its pages when first drawn).
  if (starts("fonts/large/")) return Start | Menu | Away | Between | Credits;
  if (starts("fonts/") || path == "256/cursor.png" || path == "red/tipformA.png") return Kept;
  if (starts("red/logo/")) return Start;
  if (path == "red/menu/pause.jpg") return Away;
  if (starts("red/menu/") || starts("red/tipimages/")) return Menu;
  if (starts("red/bg/back")) {
    int n = path.size() > 11 ? path[11] - '0' : 0;
    return n == 8 ? Credits : StageGroup(n) ? StageGroup(n) : Play;
  }
  // Keys drop on the board and open the shop's locks; stars are collected and spent.
  if (starts("red/shop/key") || path == "256/star-blue.png" || path == "256/star-gold.png") return Play | Between;
  if (starts("red/shop/")) return Between;
  return Play;
}

// The atlas page family of a picture: its first group.
inline int AssetPageFamily(std::string_view path) {
  unsigned g = AssetGroupsOf(path);
  int bit = 0;
  while (g > 1 && !(g & 1u)) g >>= 1, ++bit;
  return bit;
}

// Pictures a screen draws only parts of, the rest of them clear or never shown:
// the device keeps those parts alone. The lit menu picture: its props. The play
// screen's frame: the text boxes at the top and the button column on the right
// (design pixels over 1280 x 1024).
inline std::vector<PicturePart> DrawnParts(std::string_view path) {
  if (path == "red/menu/main1-new2.jpg") return MainMenuLitParts();
  if (path != "red/bg/fg.png") return {};
  constexpr float W = 1280, H = 1024;
  return {{0, 0, 350 / W, 100 / H}, {920 / W, 0, 1, 100 / H}, {1130 / W, 80 / H, 1, 1}};
}

// What a level's fly-in and first frame draw, loaded before the board flies in
// (the rest of a level's pictures, bonuses and effects, load when first drawn:
// small pictures, a millisecond each).
inline std::vector<std::string> LevelPicturesAhead(int stage, const std::vector<int>& jewelKinds) {
  std::vector<std::string> v = {"red/bg/back" + std::to_string(stage >= 1 && stage <= 7 ? stage : 1) + ".jpg",
                                "red/bg/fg.png", "256/parus-front.png", "256/parus-back5.png",
                                "256/backcells/gold-normal.png", "256/mainmenu3.png"};
  for (int kind : jewelKinds)
    if (!ItemPicture(kind).empty()) v.push_back(ItemPicture(kind));
  return v;
}

// What the map between levels draws in its first frame.
inline std::vector<std::string> MapPicturesAhead() {
  return {"red/shop/shop0.jpg", "red/shop/shop2.jpg", "red/shop/map-points2.png"};
}

}  // namespace bm

// The Pirate Shop drawn from the current player's records: the ten item cards
// with their locks and grade marks, the keys found, the stars held, whatever is
// carried on top, and the hover text of the item under the pointer.
#pragma once
#include <string>

#include "progress/ShopRules.h"
#include "render/ShopLayout.h"
#include "render/Font.h"

namespace bm {

struct ShopPicture {
  const ItemRecord* items = nullptr;
  const ItemRecord* stars = nullptr;
  const GradeRecord* grades = nullptr;
  int itemCodes[kShopItems + 1] = {};  // bonus code of each item, for its picture
  int hovered = 0;                     // item under the pointer, 0 none
  std::string hoverText;               // lines split by "|"
  std::uint32_t hoverColor = 0xFFFFFFFF;
  double pointerX = 0, pointerY = 0;   // design pixels
  double clockMs = 0;                  // the marks twinkle
  bool focusOn = false;                // the keyboard's frame, design pixels
  double focusLeft = 0, focusTop = 0, focusRight = 0, focusBottom = 0;
};

// The keyboard's focus: a gold frame just outside the rectangle (pixels).
inline constexpr Argb kFocusFrameColor = 0xFFFFD040;
void DrawFocusFrame(Canvas& c, const IRect& r);

void DrawShop(Canvas& c, Font& font, const ShopPicture& p);

// Lines split by "|", each centred in its own row of the rectangle.
void DrawLines(Canvas& c, Font& font, const std::string& text, const IRect& r, double size, Argb color);

}  // namespace bm

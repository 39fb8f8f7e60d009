// Item codes held in a cell's Gem and the predicates that classify them: the
// ranges the board's own rules need. What each bonus code is lives in the bonus
// table (bonus/BonusKinds.h).
#pragma once

namespace bm {

namespace item {
inline constexpr int Empty = 0;
inline constexpr int FirstKey = 71, LastKey = 80;
}  // namespace item

constexpr bool IsJewel(int code) { return code >= 1 && code <= 40; }
// Keys count as bonus codes.
constexpr bool IsBonus(int code) { return (code >= 41 && code <= 60) || (code >= 71 && code <= 80); }
constexpr bool IsItem(int code) { return IsJewel(code) || IsBonus(code); }
constexpr bool IsKey(int code) { return code >= 71 && code <= 80; }
// The blue and the gold magic star.
constexpr bool IsStar(int code) { return code == 54 || code == 55; }

}  // namespace bm

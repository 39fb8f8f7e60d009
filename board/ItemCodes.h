// Item codes held in a cell's Gem and the predicates that classify them.
#pragma once

namespace bm {

namespace item {
inline constexpr int Empty = 0;
inline constexpr int Chest = 41, Life = 42, Clock = 43, Bomb = 44, SeismicGem = 45, Shuffle = 46, Parrot = 47,
                     Rum = 48, Cannonball = 49, PirateGun = 50, Anchor = 51, GoldenSun = 52, NeverPlaced = 53,
                     BlueStar = 54, GoldStar = 55;
inline constexpr int FirstKey = 71, LastKey = 80;
}  // namespace item

constexpr bool IsJewel(int code) { return code >= 1 && code <= 40; }
// Keys count as bonus codes.
constexpr bool IsBonus(int code) { return (code >= 41 && code <= 60) || (code >= 71 && code <= 80); }
constexpr bool IsItem(int code) { return IsJewel(code) || IsBonus(code); }
constexpr bool IsKey(int code) { return code >= 71 && code <= 80; }

}  // namespace bm

// Checks a level read from disk before it is built, so every loaded level can
// be won and lost: a board with room for a line, a sane hourglass, items that
// have pictures and bubble counts the board knows.
#pragma once
#include <string>
#include <vector>

#include "progress/LevelFile.h"

namespace bm {

inline constexpr int kDrawnJewelKinds = 16;      // items 1..16 have pictures
inline constexpr int kMaxCellBubbles = 8;        // layout kind 9 at most
inline constexpr int kMinLevelSeconds = 30;      // the level compiler's range
inline constexpr int kMaxLevelSeconds = 60 * 60;
inline constexpr int kFallbackLevelTime = 179;   // three minutes, as the rules file stores it
// Board units the lattice spans; a cell centre outside them is a garbled record.
inline constexpr int kBoardUnitsWide = 2 * kLatticeLeft + kLatticeColStep * (kLatticeColumns - 1);
inline constexpr int kBoardUnitsHigh = 2 * kLatticeTop + kLatticeRowStep * (kLatticeRows - 1);

// True when three existing cells stand in a row on one of the three match axes.
bool HasRoomForALine(const LevelLayout& layout);

// Repairs what cannot be played and returns one line per repair (empty when the
// level was sound): a layout with no line of three becomes the plain full board;
// a cell centre off the board goes back to its lattice place; more than eight
// bubbles become eight; an hourglass outside 30 s..60 min becomes three minutes;
// kinds without pictures are not allowed.
std::vector<std::string> CheckLevel(LevelLayout& layout, LevelRules& rules);

}  // namespace bm

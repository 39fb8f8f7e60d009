// The saved board "saves/dumpN.dat" (N = the player's slot 1..10): the whole
// cell array, cells 0..500 in order, each cell's fields in the order Cell
// declares them, little-endian; booleans as 16-bit -1/0, colours as 32-bit.
// Only a board that fits the level it is restored onto is ever accepted.
#pragma once
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "board/Cell.h"

namespace bm {

inline constexpr std::size_t kCellRecordSize = 282;
inline constexpr std::size_t kBoardFileSize = kCellSlots * kCellRecordSize;

// The board file of player slot 1..10.
std::string BoardFileName(int slot);

std::string EncodeBoard(const Cells& cells);
// Decodes into out (the points texts are left as they are). False with a reason
// for a file of the wrong size or with a value the board never holds: a
// boolean that is neither -1 nor 0, a removal state, item, bubble count, tile
// or parent out of range, a position that is not a finite number.
bool DecodeBoard(std::string_view bytes, Cells& out, std::string* error = nullptr);
// The saved board must have the level's layout: the same cells exist, at the
// same places, with the same top cells. False with the first difference.
bool BoardFitsLevel(const Cells& saved, const Cells& level, std::string* error = nullptr);
// A fall the board could not finish soundly: an item falling onto a cell that
// is missing or already holds an item would land in a hole or on that item.
// It is set down in its own cell instead. One line per repair.
std::vector<std::string> RepairSavedFalls(Cells& saved);

}  // namespace bm

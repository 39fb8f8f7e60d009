// The two binary files of a level ("lvlN.dat" layout, "lvlN.dat2" rules) and
// the lattice every layout of ours is placed on.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace bm {

inline constexpr int kLevelCount = 65;
inline constexpr int kLayoutRecords = 501;  // one per cell slot 0..500
inline constexpr int kLayoutBytes = kLayoutRecords * 12;
inline constexpr int kJewelSlots = 40;      // kinds 1..40 may be allowed
inline constexpr int kRulesBytes = kJewelSlots * 2 + 4;
inline constexpr int kBoardCellCount = 116;  // cells 0..115 are the board

// The lattice: 11 columns; each group of 11 indices is one row, first the six
// even columns, then the five odd columns half a cell lower.
inline constexpr int kLatticeColumns = 11;
inline constexpr int kLatticeRows = 11;   // even columns hold 11 cells, odd ones 10
inline constexpr int kLatticeColStep = 48;  // board units between neighbouring columns
inline constexpr int kLatticeRowStep = 54;  // board units between a cell and the one below
inline constexpr int kLatticeOddDrop = kLatticeRowStep / 2;
inline constexpr int kLatticeLeft = 32;  // centre of cell 0
inline constexpr int kLatticeTop = 32;
// The drawn tile in board units: a flat-topped hexagon that just closes the gaps.
inline constexpr int kTileWidth = kLatticeColStep * 4 / 3;
inline constexpr int kTileHeight = kLatticeRowStep;

// Column 0..10 and row 0..10 of cell i (0..115).
constexpr int LatticeColumn(int i) {
  int j = i % 11;
  return j < 6 ? 2 * j : 2 * (j - 6) + 1;
}
constexpr int LatticeRow(int i) { return i / 11; }
// Cell index of a column and row, or -1 when the lattice has no cell there.
constexpr int LatticeIndex(int column, int row) {
  if (column < 0 || column >= kLatticeColumns || row < 0 || row >= kLatticeRows) return -1;
  if (column % 2 == 1 && row == kLatticeRows - 1) return -1;
  int i = 11 * row + (column % 2 == 0 ? column / 2 : 6 + column / 2);
  return i < kBoardCellCount ? i : -1;
}
constexpr int LatticeX(int i) { return kLatticeLeft + kLatticeColStep * LatticeColumn(i); }
constexpr int LatticeY(int i) {
  return kLatticeTop + kLatticeRowStep * LatticeRow(i) + (LatticeColumn(i) % 2 == 1 ? kLatticeOddDrop : 0);
}

struct LevelLayout {
  int x[kLayoutRecords] = {};
  int y[kLayoutRecords] = {};
  int kind[kLayoutRecords] = {};  // <= 0 hole, 1 plain cell, k >= 2: k - 1 bubbles
};

struct LevelRules {
  std::int16_t allowed[kJewelSlots] = {};  // -1: kind k + 1 may appear
  std::int32_t time = 0;                    // seconds minus one
};

// A layout whose cells 0..115 all sit on the lattice as holes; the rest zero.
LevelLayout EmptyLatticeLayout();

std::vector<unsigned char> EncodeLayout(const LevelLayout& layout);
std::vector<unsigned char> EncodeRules(const LevelRules& rules);
// False when fewer bytes than the format needs; extra bytes are ignored.
bool DecodeLayout(const std::vector<unsigned char>& bytes, LevelLayout& layout);
bool DecodeRules(const std::vector<unsigned char>& bytes, LevelRules& rules);

// "<levelsDir>/lvl<n><ext>", n without leading zeros, ext ".dat" or ".dat2".
std::string LevelFilePath(const std::string& levelsDir, int n, const std::string& ext);

// Read whole files; false (with a reason in *error when given) on a missing or short file.
bool ReadLayoutFile(const std::string& path, LevelLayout& layout, std::string* error = nullptr);
bool ReadRulesFile(const std::string& path, LevelRules& rules, std::string* error = nullptr);
// levelsDir is the "levels" folder itself. Both outputs are written only on success.
bool ReadLevelFiles(const std::string& levelsDir, int n, LevelLayout& layout, LevelRules& rules,
                    std::string* error = nullptr);

// Written through a temporary file and a rename, so a reader never sees half a file.
bool WriteLayoutFile(const std::string& path, const LevelLayout& layout, std::string* error = nullptr);
bool WriteRulesFile(const std::string& path, const LevelRules& rules, std::string* error = nullptr);
bool WriteLevelFiles(const std::string& levelsDir, int n, const LevelLayout& layout, const LevelRules& rules,
                     std::string* error = nullptr);

}  // namespace bm

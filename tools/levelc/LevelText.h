// The readable text form of a level (levels/lvlNN.txt) and its checks.
#pragma once
#include <string>
#include <vector>

#include "progress/LevelFile.h"

namespace bm {

inline constexpr int kMapLines = 2 * kLatticeRows - 1;  // a text line per half-row
inline constexpr int kMinKinds = 3;
inline constexpr int kMaxPictureKind = 16;  // jewel pictures exist for kinds 1..16
inline constexpr int kMaxBubbles = 8;
inline constexpr int kMinSeconds = 30;
inline constexpr int kMaxSeconds = 3600;
inline constexpr int kMinCells = 40;

struct LevelText {
  std::string name;
  int seconds = 0;
  std::vector<int> kinds;  // ascending, each once
  LevelLayout layout;      // lattice positions and cell kinds
  LevelRules rules;
};

// Parses and checks one level. Every problem is appended to errors as
// "<fileName>:<line>: <what>"; the result is usable only when errors stayed empty.
LevelText ParseLevelText(const std::string& text, const std::string& fileName, std::vector<std::string>& errors);

// The text form of a compiled level (the inverse of ParseLevelText for our files).
std::string FormatLevelText(const LevelLayout& layout, const LevelRules& rules, const std::string& name);

// Level number from a file name such as "levels/lvl07.txt"; 0 when it has none.
int LevelNumberOfFile(const std::string& path);

// Cells 0..115 that exist, and the bubbles they hold.
int CountCells(const LevelLayout& layout);
int CountBubbles(const LevelLayout& layout);
int MaxBubbles(const LevelLayout& layout);

}  // namespace bm

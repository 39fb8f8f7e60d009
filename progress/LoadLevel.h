// Turns a level's two files into the board's cells and the level state.
#pragma once
#include <string>
#include <vector>

#include "board/Cell.h"
#include "board/Rng.h"
#include "progress/LevelFile.h"
#include "board/LevelState.h"

namespace bm {

class Logs;

// Loads level n (clamped to 1..65) from levelsDir. A missing or short file is
// logged and replaced by a plain full board, so the board is always complete;
// what CheckLevel repairs is logged line by line.
// Returns false when that fallback was used.
bool LoadLevel(int n, const std::string& levelsDir, Cells& cells, LevelState& level, Rng& rng, double xScale,
               Logs& logs);
// A run-log line the load leaves: a fallback (critical) or a repair.
struct LoadNote {
  std::string text;
  bool critical = false;
};
// The same, handing the log lines back instead of writing them.
bool LoadLevel(int n, const std::string& levelsDir, Cells& cells, LevelState& level, Rng& rng, double xScale,
               std::vector<LoadNote>& notes);

// The same from files already read (tests, the fallback).
void BuildLevel(int n, const LevelLayout& layout, const LevelRules& rules, Cells& cells, LevelState& level, Rng& rng,
                double xScale);

// Every lattice cell, kinds 1..5, three minutes: what a broken level falls back to.
void FallbackLevel(LevelLayout& layout, LevelRules& rules);

}  // namespace bm

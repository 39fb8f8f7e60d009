#include "progress/Stages.h"

namespace bm {

std::string StageText(int n) { return std::to_string(StageOfLevel(n)); }

int LevelInStage(int n) {
  int s = StageOfLevel(n);
  // Stage 1 starts at level 1, every later stage at a multiple of nine.
  return s == 1 ? n : n - (s - 1) * 9 + 1;
}

std::string StageLevelLabel(int n) {
  return "Stage: " + StageText(n) + " Level: " + std::to_string(LevelInStage(n));
}

bool FirstLevelOfStage(int n) { return n <= 1 || StageText(n) != StageText(n - 1); }

LevelEnd LevelEndKind(int n) {
  if (n >= kLastLevel) return LevelEnd::Game;
  if (StageOfLevel(n + 1) > StageOfLevel(n)) return LevelEnd::Stage;
  return LevelEnd::Level;
}

const char* LevelEndCue(LevelEnd kind) {
  switch (kind) {
    case LevelEnd::Stage: return "complete_stage";
    case LevelEnd::Game: return "complete_game";
    case LevelEnd::Level: break;
  }
  return "complete_level";
}

}  // namespace bm

#include "progress/Stages.h"

#include "lang/Tr.h"

namespace bm {

std::string StageText(int n) { return std::to_string(StageOfLevel(n)); }

int LevelInStage(int n) {
  int s = StageOfLevel(n);
  // Stage 1 starts at level 1, every later stage at a multiple of nine.
  return s == 1 ? n : n - (s - 1) * 9 + 1;
}

std::string StageLevelLabel(int n) {
  // TRANSLATORS: Playing a level: play screen's top centre (render/PlayScreen.cpp:61, size 0.45, 600 px, not shrunk);
  // the map's top (render/BetweenLevelsDraw.cpp:82, size 0.5, shrinks). The first %d is the stage (1-7), the second
  // the level within it. Room: plenty (twice the English length or more). Shown as: Stage: 3 Level: 4
  return Format(Tr("Stage: %d Level: %d"), {StageText(n), std::to_string(LevelInStage(n))});
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

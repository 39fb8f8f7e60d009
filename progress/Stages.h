// Stages and level labels: 65 levels in seven stages, the last one longer.
#pragma once
#include <string>

#include "board/LevelState.h"

namespace bm {

inline constexpr int kLastLevel = 65;

// The stage number as text (two levels share a stage when these agree).
std::string StageText(int n);
// The level's number within its stage: 1..8 in stage 1, 1..9 in stages 2..6, 1..12 in stage 7.
int LevelInStage(int n);
// "Stage: S Level: L" for level n.
std::string StageLevelLabel(int n);
// The first level of its stage: the stage's tune starts afresh there.
bool FirstLevelOfStage(int n);

// What winning level n completes.
enum class LevelEnd { Level = 0, Stage = 1, Game = 2 };
LevelEnd LevelEndKind(int n);
// The sound cue that celebrates it.
const char* LevelEndCue(LevelEnd kind);

}  // namespace bm

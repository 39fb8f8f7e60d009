// Stages, level labels, what winning a level completes, and the map's logic.
#include <gtest/gtest.h>

#include <cstdint>

#include "progress/MapView.h"
#include "progress/Stages.h"

namespace bm {
namespace {

TEST(Stages, LabelsAndWhatWinningALevelCompletesLevelStageOrGame) {
  // 63..65 stay in stage 7.
  std::vector<LevelEnd> ends;
  for (int n : {8, 9, 53, 54, 62, 64, 65}) ends.push_back(LevelEndKind(n));
  EXPECT_EQ(ends, (std::vector{LevelEnd::Stage, LevelEnd::Level, LevelEnd::Stage, LevelEnd::Level, LevelEnd::Level,
                               LevelEnd::Level, LevelEnd::Game}));
  EXPECT_STREQ(LevelEndCue(LevelEndKind(8)), "complete_stage");
  EXPECT_STREQ(LevelEndCue(LevelEndKind(9)), "complete_level");
  EXPECT_STREQ(LevelEndCue(LevelEndKind(65)), "complete_game");
  int firsts = 0;
  for (int n = 1; n <= kLastLevel; ++n) firsts += FirstLevelOfStage(n);
  EXPECT_EQ(std::tuple(firsts, FirstLevelOfStage(54), FirstLevelOfStage(63)), std::tuple(7, true, false));
  EXPECT_EQ(StageLevelLabel(1), "Stage: 1 Level: 1");
  EXPECT_EQ(StageLevelLabel(9), "Stage: 2 Level: 1");
  EXPECT_EQ(StageLevelLabel(65), "Stage: 7 Level: 12") << "the last stage is capped at seven";
  // Every level has exactly one label and the labels count up within a stage.
  for (int n = 2; n <= kLastLevel; ++n) {
    if (StageOfLevel(n) == StageOfLevel(n - 1)) EXPECT_EQ(LevelInStage(n), LevelInStage(n - 1) + 1) << n;
    else EXPECT_EQ(LevelInStage(n), 1) << n;
  }
}

TEST(MapView, StageBoundariesAndPointLooks) {
  std::vector<int> boundaries;
  for (int n = 1; n <= kLastLevel; ++n)
    if (StageBoundary(n)) boundaries.push_back(n);
  EXPECT_EQ(boundaries, (std::vector<int>{1, 9, 18, 27, 36, 45, 54, 65}));
  // Current level 20: past, past stage boundary (9), current (faint, the marker shows it) and later points; a
  // current level on a boundary keeps its own opaque look.
  auto look = [](int n, int current) { return std::pair(int(MapPointLook(n, current).state), int(MapPointLook(n, current).alpha)); };
  EXPECT_EQ(look(19, 20), std::pair(1, 255));
  EXPECT_EQ(look(9, 20).first, 4);
  EXPECT_EQ(look(20, 20), std::pair(0, 0x55));
  EXPECT_EQ(look(21, 20), std::pair(0, 0x55));
  EXPECT_EQ(look(27, 20).first, 3);
  EXPECT_EQ(look(18, 18), std::pair(5, 255));
}

MapPointTable Points() {
  MapPointTable p{};
  for (int n = 1; n <= kLastLevel; ++n) p[std::size_t(n)] = {n * 10, 1000 - n * 10};
  return p;
}

TEST(MapView, MarkerTravelsFromThePreviousPointWithItsOffsets) {
  MapPointTable p = Points();
  auto spot = [&](int level, double progress) { MarkerSpot s = PlaceMarker(p, level, progress); return std::pair(s.x, s.y); };
  EXPECT_EQ(spot(5, 1.0), std::pair(40.0, 960.0));
  EXPECT_EQ(spot(5, 0.0).first, 50);
  EXPECT_EQ(spot(5, 0.5).first, 45);
  // Level 9 opens stage 2: offset A on the current point; the previous point is plain.
  EXPECT_EQ(spot(9, 0.0), std::pair(99.0, 919.0));
  EXPECT_EQ(spot(9, 1.0).first, 80);
  EXPECT_EQ(p[100].X, 9) << "offset A kept in point 100";
  EXPECT_EQ(p[99].X, 0) << "offset B kept in point 99";
  // Level 10: the previous point (9) is a boundary, so offset B applies.
  EXPECT_EQ(spot(10, 1.0).first, 99);
  // On level 1 the marker stands still on level 1's point.
  for (double progress : {1.0, 0.5, 0.0}) EXPECT_EQ(spot(1, progress), std::pair(19.0, 999.0));
  // Points at the ends of a 32-bit number (a damaged "apo.dat"): the offset takes
  // the marker past them, never round to the other end.
  p.fill({INT32_MAX, INT32_MAX});
  MarkerSpot at = PlaceMarker(p, 10, 1.0);
  EXPECT_GT(at.x, double(INT32_MAX));
  EXPECT_GT(at.y, double(INT32_MAX));
}

TEST(MapView, MarkerArrivesThenThePulseBeatsWithItsSound) {
  MapAnimation a;
  EXPECT_FALSE(StepMap(a, 1.0, true));
  EXPECT_DOUBLE_EQ(a.markerProgress, 0.95);
  int steps = 1;
  while (a.markerProgress > 0) {
    a.pulse = 0;  // the pulse holds at full while the marker travels
    EXPECT_FALSE(StepMap(a, 1.0, false));
    EXPECT_EQ(a.pulse, 255);
    ++steps;
  }
  EXPECT_EQ(steps, 20) << "0.05 a frame of 35 ms";
  EXPECT_EQ(a.markerProgress, 0) << "stops at zero";
  // 1791 units down at 62.8 a frame: the 29th frame restarts the pulse.
  int beats = 0, frames = 0;
  while (beats == 0 && frames < 100) {
    beats += StepMap(a, 1.0, false);
    ++frames;
  }
  EXPECT_EQ(frames, 29);
  EXPECT_EQ(a.pulse, 255);
  EXPECT_EQ(std::pair(int(PulseRingOf(255).alpha), PulseRingOf(255).size), std::pair(255, 1.0));
  EXPECT_EQ(std::pair(int(PulseRingOf(-600).alpha), PulseRingOf(-600).size), std::pair(0, 3.0)) << "grows as it fades";
  EXPECT_STREQ(StageAmbience(1), "ev_map_sea");
  EXPECT_STREQ(StageAmbience(7), "ev_map_gold");
}

}  // namespace
}  // namespace bm

// The map view's logic: which look each level point takes, the marker that
// travels from the previous level's point to the current one, and the pulse
// around the current point once the marker has arrived.
#pragma once
#include <array>
#include <cstdint>

#include "storage/ItemStatus.h"

namespace bm {

// Point n is level n's place on the island (1280 x 1024 screen pixels); 99 and
// 100 hold the marker's two offsets while the map is shown; the rest carry nothing.
using MapPointTable = decltype(MapPoints::point);

// Survives between frames and between visits to the map.
struct MapAnimation {
  double markerProgress = 0;  // 1 at the previous level's point, 0 at the current one
  double pulse = 255;         // 255 down to -1536, then again
};

inline constexpr double kPulseStep = 62.797833;
inline constexpr double kPulseEnd = -1536;

// Point looks: 0 later level, 1 past level, 2 current level; 3..5 the same on a
// stage boundary (level 1, 65, and the first level of every stage).
struct PointLook {
  int state = 0;
  std::uint8_t alpha = 255;
};
bool StageBoundary(int n);
// The current level on an ordinary point is drawn faint: the marker shows it.
PointLook MapPointLook(int n, int current);

// The marker's place: between the previous point (plus offset B) and the current
// one (plus offset A); the offsets are kept in points 100 (A) and 99 (B).
struct MarkerSpot {
  double x = 0, y = 0;
};
MarkerSpot PlaceMarker(MapPointTable& points, int current, double progress);

// One frame of the map's animation; true when the pulse starts again (its sound).
bool StepMap(MapAnimation& a, double frameFactor, bool restartMarker);

// The pulse ring around the current point: alpha, and size factor growing as it fades.
struct PulseRing {
  int alpha = 0;
  double size = 1;
};
PulseRing PulseRingOf(double pulse);

// The looping ambience of a stage's map, "ev_map_sea" .. "ev_map_gold".
const char* StageAmbience(int stage);
inline constexpr int kStageCount = 7;

}  // namespace bm

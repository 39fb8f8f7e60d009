#include "progress/MapView.h"

#include <algorithm>

#include "progress/Stages.h"

namespace bm {

bool StageBoundary(int n) { return n == 1 || n == kLastLevel || StageOfLevel(n) != StageOfLevel(n - 1); }

PointLook MapPointLook(int n, int current) {
  PointLook look;
  look.state = n < current ? 1 : n == current ? 2 : 0;
  look.alpha = n > current ? 0x55 : 255;
  if (StageBoundary(n)) look.state += 3;
  if (look.state == 2) look = {0, 0x55};
  return look;
}

MarkerSpot PlaceMarker(MapPointTable& points, int current, double progress) {
  current = std::clamp(current, 1, kLastLevel);
  auto offset = [](bool on) { return on ? MapPoint{9, 9} : MapPoint{0, 0}; };
  int prev = current - 1;
  bool a = current < 2 || current == kLastLevel || StageOfLevel(current) != StageOfLevel(current - 1);
  bool b = prev < 2 || current == 1 || current == kLastLevel || StageOfLevel(prev) != StageOfLevel(prev - 1);
  points[100] = offset(a);
  points[99] = offset(b);
  const MapPoint& from = points[std::size_t(std::max(prev, 0))];
  const MapPoint& to = points[std::size_t(current)];
  // On level 1 there is no previous point: the marker stands on level 1's.
  const MapPoint& start = prev >= 1 ? from : to;
  const MapPoint &A = points[100], &B = points[99];
  // In doubles: a point and its offset may not fit an int together.
  return {(double(start.X) + B.X) * progress + (double(to.X) + A.X) * (1 - progress),
          (double(start.Y) + B.Y) * progress + (double(to.Y) + A.Y) * (1 - progress)};
}

bool StepMap(MapAnimation& a, double frameFactor, bool restartMarker) {
  if (restartMarker) a.markerProgress = 1.0;
  if (a.markerProgress > 0) {
    a.markerProgress = std::max(0.0, a.markerProgress - 0.05 * frameFactor);
    a.pulse = 255;
    return false;
  }
  a.pulse -= kPulseStep * frameFactor;
  if (a.pulse < kPulseEnd) {
    a.pulse = 255;
    return true;
  }
  return false;
}

PulseRing PulseRingOf(double pulse) {
  int alpha = int(std::clamp(pulse, 0.0, 255.0));
  return {alpha, 1 + 2 * (1 - alpha / 255.0)};
}

const char* StageAmbience(int stage) {
  static const char* kCues[kStageCount] = {"ev_map_sea",     "ev_map_wind", "ev_map_forest", "ev_map_entrance",
                                           "ev_map_cricket", "ev_map_cave", "ev_map_gold"};
  return kCues[std::clamp(stage, 1, kStageCount) - 1];
}

}  // namespace bm

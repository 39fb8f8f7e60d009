// The board's fly-in and fly-out between levels: every cell flies between its
// place on the board and a random point of the screen, on a damped spring.
// Positions are in percent of the screen width and height; z is 1 on the board
// and 0 at the scattered points.
#pragma once
#include <array>

#include "board/Cell.h"
#include "board/Rng.h"
#include "board/ScreenMetrics.h"

namespace bm {

struct FlightPoint {
  double x = 0, y = 0, z = 0;
};

struct BoardFlight {
  std::array<FlightPoint, kCellCount> pos{}, target{}, velocity{};
  std::array<bool, kCellCount> exists{};
  bool finished = false;
};

inline constexpr double kFlightStepMs = 10;

// Direction 1 flies in from the scattered points, 0 flies out to them.
BoardFlight SetUpFlight(const Cells& cells, const ScreenMetrics& m, int direction, Rng& rng);
// One 10 ms step; true when every existing cell is home (within 1.5 of its target).
bool StepFlight(BoardFlight& f, const ScreenMetrics& m);

}  // namespace bm

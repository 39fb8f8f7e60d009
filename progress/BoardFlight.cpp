#include "progress/BoardFlight.h"

#include <cmath>

namespace bm {

BoardFlight SetUpFlight(const Cells& cells, const ScreenMetrics& m, int direction, Rng& rng) {
  BoardFlight f;
  for (int i = 0; i < kCellCount; ++i) {
    const Cell& c = cells[i];
    f.exists[std::size_t(i)] = c.IsExists;
    FlightPoint board{m.CellScreenX(c.CenterX) / m.XPercent, m.CellScreenY(c.CenterY) / m.YPercent, 1.0};
    double r1 = rng.Next(), r2 = rng.Next();
    FlightPoint scatter{100 * r1, 100 * r2, 0};
    f.pos[std::size_t(i)] = direction == 1 ? scatter : board;
    f.target[std::size_t(i)] = direction == 1 ? board : scatter;
  }
  return f;
}

bool StepFlight(BoardFlight& f, const ScreenMetrics& m) {
  double wh = double(m.Width) * m.Width + double(m.Height) * m.Height;
  bool done = true;
  for (std::size_t i = 0; i < f.pos.size(); ++i) {
    if (!f.exists[i]) continue;
    FlightPoint &p = f.pos[i], &v = f.velocity[i];
    const FlightPoint& t = f.target[i];
    double dx = t.x - p.x, dy = t.y - p.y, dz = t.z - p.z;
    double dist = std::sqrt(dx * dx + dy * dy + dz * dz / wh) + 1;
    v.x = (v.x + dx / dist / 4) * 0.95;
    v.y = (v.y + dy / dist / 4) * 0.95;
    v.z = (v.z + dz / dist / 4) * 0.95;
    p.x += v.x / 4;
    p.y += v.y / 4;
    p.z += v.z / 4;
    if (dist >= 1.5) done = false;
  }
  f.finished = done;
  return done;
}

}  // namespace bm

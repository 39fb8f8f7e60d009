// How the 1280 x 1024 design screen and the board map onto the back buffer.
#pragma once
#include <cmath>

#include "board/Cell.h"

namespace bm {

struct IRect {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool Contains(double x, double y) const { return x >= left && x < right && y >= top && y < bottom; }
};

struct ScreenMetrics {
  int Width = 1280, Height = 1024;
  double XScale = 1, YScale = 1;      // width / 1280, height / 1024
  double XPercent = 12.8, YPercent = 10.24;
  double BoardLeft = 200, BoardTop = 90;

  static ScreenMetrics For(int w, int h) {
    ScreenMetrics m;
    m.Width = w;
    m.Height = h;
    m.XScale = w / 1280.0;
    m.YScale = h / 1024.0;
    m.XPercent = w / 100.0;
    m.YPercent = h / 100.0;
    m.BoardLeft = 200 * m.XScale;
    m.BoardTop = 90 * m.YScale;
    return m;
  }
  // Where a board position (level-file units) is drawn, in back-buffer pixels.
  double CellScreenX(double x) const { return BoardLeft + x * 96 * XScale / 64; }
  double CellScreenY(double y) const { return BoardTop + y * 96 * YScale / 64; }
  // The rectangle of a design-space rectangle, edges floored.
  IRect DesignRect(double l, double t, double r, double b) const {
    return {int(std::floor(XScale * l)), int(std::floor(YScale * t)), int(std::floor(XScale * r)),
            int(std::floor(YScale * b))};
  }
  IRect PercentRect(double l, double t, double r, double b) const {
    return {int(std::floor(XPercent * l)), int(std::floor(YPercent * t)), int(std::floor(XPercent * r)),
            int(std::floor(YPercent * b))};
  }
  // Drawn distance between cells 0 and 1; the hover test allows 0.18 of it.
  double CellSpan(const Cells& cells) const {
    double dx = CellScreenX(cells[0].CenterX) - CellScreenX(cells[1].CenterX);
    double dy = CellScreenY(cells[0].CenterY) - CellScreenY(cells[1].CenterY);
    return std::sqrt(dx * dx + dy * dy);
  }
};

}  // namespace bm

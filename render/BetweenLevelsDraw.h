// The between-levels screen's pictures: the island map with its level points,
// the travelling marker and the pulse, and the three buttons along the bottom.
#pragma once
#include "board/ScreenMetrics.h"
#include "progress/MapView.h"
#include "render/Font.h"

namespace bm {

enum class BetweenButton { Map = 0, Shop = 1, Continue = 2 };
inline constexpr int kBetweenButtonCount = 3;

// Where a button reacts to the pointer, in back-buffer pixels.
IRect BetweenButtonRect(const ScreenMetrics& m, BetweenButton b);
// The button under the pointer, -1 for none.
int BetweenButtonAt(const ScreenMetrics& m, double x, double y);
// frame: 0 normal, 1 under the pointer, 2 pressed.
void DrawBetweenButton(Canvas& c, Font& font, BetweenButton b, int frame);

struct MapFrame {
  const MapPointTable* points = nullptr;
  int current = 1;
  MarkerSpot marker;
  PulseRing pulse;
  bool pulsing = false;  // the marker has arrived
};
void DrawMapView(Canvas& c, Font& font, const MapFrame& f);

// Text with a black shadow in a pixel rectangle, made smaller when it would not fit.
void ShadowText(Canvas& c, Font& font, const std::string& text, const IRect& r, double size, Argb color,
                Align align = Align::Center);

}  // namespace bm

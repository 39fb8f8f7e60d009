#pragma once
// Building blocks of the full-screen pictures: skies, seas, land and props, drawn
// in 1024 x 1024 picture pixels.

#include "Canvas.h"

namespace bm::art {

struct SkyLook {
    Rgb top, horizon;
    double clouds;     // 0 none .. 1 overcast
    Rgb cloudColour;
    bool stars;
};

void paintSky(Canvas& cv, const SkyLook& look, double horizonY, uint32_t seed);
void paintSea(Canvas& cv, double horizonY, Rgb far, Rgb near, uint32_t seed);
void paintSunOrMoon(Canvas& cv, double x, double y, double r, Rgb core, Rgb glow);
// A hilly ridge filled down to the bottom of the picture.
void paintRidge(Canvas& cv, double baseY, double amplitude, double roughness, Rgb top, Rgb bottom, uint32_t seed,
                double x0 = 0, double x1 = 1024, double fillTo = 1024, const Canvas* texture = nullptr);
void paintPalm(cairo_t* cr, double x, double y, double h, double lean, Rgb trunk, Rgb leaf);
void paintShip(cairo_t* cr, double x, double y, double s, bool silhouette);
void paintCoins(cairo_t* cr, double cx, double cy, double w, double h, uint32_t seed);
void paintVignette(Canvas& cv, double strength);
// Parchment panel with a wooden, gold-studded frame.
void paintParchment(Canvas& cv, double x, double y, double w, double h, double radius);
// Glowing title text with a heavy outline.
void paintTitle(cairo_t* cr, const std::string& text, double x, double y, double size);

}  // namespace bm::art

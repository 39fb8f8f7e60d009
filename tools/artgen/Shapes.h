#pragma once
// Small drawing blocks shared by the item, button and screen painters. Shapes are
// drawn in a 100 x 100 unit space that each painter scales to its picture size.

#include "Canvas.h"

namespace bm::art {

// Scales the canvas so 0..100 spans the picture.
void unitSpace(Canvas& c);

// A soft drop shadow of `shape` (drawn in unit space) under whatever comes next.
void unitShadow(Canvas& c, const std::function<void(cairo_t*)>& shape, double blurUnits = 3, double dy = 2.5,
                double alpha = 0.5);

// Fills the current path with a vertical gradient and strokes it with a dark edge.
void fillVertical(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom);
void fillRadial(cairo_t* cr, double cx, double cy, double r, Rgb inner, Rgb outer);
void edge(cairo_t* cr, Rgb c, double width);

// A glossy highlight ellipse, clipped to nothing: caller decides where.
void gloss(cairo_t* cr, double cx, double cy, double rx, double ry, double alpha = 0.55);

// A four-point sparkle.
void sparkle(cairo_t* cr, double x, double y, double r, double alpha = 1.0);

// Heart outline centred at (cx, cy) of half-width s.
void heartPath(cairo_t* cr, double cx, double cy, double s);

// A metal key lying diagonally, in colour c, fitting the unit square.
void keyShape(Canvas& cv, Rgb c);
// A padlock in colour c.
void lockShape(Canvas& cv, Rgb c);

}  // namespace bm::art

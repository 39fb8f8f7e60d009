// The game's icon for menus and software centres: a gold hexagonal tile with a
// jewel on it. Drawn with paths and gradients only, so the same strokes give the
// PNG sizes and the scalable SVG.

#include "Painters.h"
#include "Shapes.h"

#include <cairo-svg.h>

#include <stdexcept>

namespace bm::art {

namespace {

constexpr int kIconJewel = 0;  // the round blue stone: blue stands out best on gold

void paintIcon(cairo_t* cr) {
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    bevelTile(cr, hex(0xffe27a), hex(0xc08a18), hex(0xb07a10));
    // A dark rim keeps the tile's edge on light and dark panels alike.
    polyPath(cr, hexFlat(50, 50, 48.5));
    setRgb(cr, hex(0x3a2404), 0.9);
    cairo_set_line_width(cr, 2.2);
    cairo_stroke(cr);

    // The jewel's shadow: a soft ellipse below and right of it.
    cairo_save(cr);
    cairo_translate(cr, 52.5, 55.5);
    cairo_scale(cr, 1, 0.92);
    cairo_pattern_t* s = cairo_pattern_create_radial(0, 0, 18, 0, 0, 35);
    addStop(s, 0, {0.2, 0.1, 0}, 0.6);
    addStop(s, 1, {0.2, 0.1, 0}, 0);
    cairo_set_source(cr, s);
    circle(cr, 0, 0, 35);
    cairo_fill(cr);
    cairo_pattern_destroy(s);
    cairo_restore(cr);

    cairo_save(cr);
    const double size = 70;
    cairo_translate(cr, 50 - size / 2, 50 - size / 2);
    cairo_scale(cr, size / 512, size / 512);
    paintJewelStone(cr, kIconJewel);
    cairo_restore(cr);

    sparkle(cr, 79, 27, 9);
}

}  // namespace

void writeIcon(const std::string& path, int size) {
    std::string bytes;
    bool svg = path.ends_with(".svg");
    cairo_surface_t* surface = svg ? cairo_svg_surface_create_for_stream(appendBytes, &bytes, size, size)
                                   : cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
    if (svg) cairo_svg_surface_set_document_unit(surface, CAIRO_SVG_UNIT_PX);
    cairo_t* cr = cairo_create(surface);
    cairo_scale(cr, size / 100.0, size / 100.0);
    paintIcon(cr);
    cairo_destroy(cr);
    cairo_status_t written = CAIRO_STATUS_SUCCESS;
    if (!svg) written = cairo_surface_write_to_png_stream(surface, appendBytes, &bytes);
    cairo_surface_finish(surface);
    bool ok = written == CAIRO_STATUS_SUCCESS && cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS;
    cairo_surface_destroy(surface);
    if (!ok) throw std::runtime_error("cannot encode " + path);
    writeWhole(path, bytes);
}

}  // namespace bm::art

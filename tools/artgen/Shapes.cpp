#include "Shapes.h"

#include <cmath>

namespace bm::art {

void unitSpace(Canvas& c) {
    cairo_identity_matrix(c.cr());
    cairo_scale(c.cr(), c.w() / 100.0, c.h() / 100.0);
    cairo_set_line_join(c.cr(), CAIRO_LINE_JOIN_ROUND);
    cairo_set_line_cap(c.cr(), CAIRO_LINE_CAP_ROUND);
}

void unitShadow(Canvas& c, const std::function<void(cairo_t*)>& shape, double blurUnits, double dy, double alpha) {
    double k = c.w() / 100.0;
    softShadow(
        c,
        [&](cairo_t* cr) {
            cairo_scale(cr, k, k);
            shape(cr);
        },
        blurUnits * k, 0, dy * k, {0, 0, 0}, alpha);
}

void fillVertical(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom) {
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y0, 0, y1);
    addStop(g, 0, top);
    addStop(g, 1, bottom);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
}

void fillRadial(cairo_t* cr, double cx, double cy, double r, Rgb inner, Rgb outer) {
    cairo_pattern_t* g = cairo_pattern_create_radial(cx - r * 0.35, cy - r * 0.4, r * 0.05, cx, cy, r);
    addStop(g, 0, inner);
    addStop(g, 1, outer);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
}

void edge(cairo_t* cr, Rgb c, double width) {
    setRgb(cr, c);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

void gloss(cairo_t* cr, double cx, double cy, double rx, double ry, double alpha) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, -1, 0, 1);
    addStop(g, 0, {1, 1, 1}, alpha);
    addStop(g, 1, {1, 1, 1}, 0);
    cairo_set_source(cr, g);
    circle(cr, 0, 0, 1);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_restore(cr);
}

void sparkle(cairo_t* cr, double x, double y, double r, double alpha) {
    cairo_pattern_t* g = cairo_pattern_create_radial(x, y, 0, x, y, r);
    addStop(g, 0, {1, 1, 1}, alpha * 0.9);
    addStop(g, 1, {1, 1, 1}, 0);
    cairo_set_source(cr, g);
    circle(cr, x, y, r);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    polyPath(cr, star(x, y, r * 0.9, r * 0.12, 4, 0));
    setRgb(cr, {1, 1, 1}, alpha);
    cairo_fill(cr);
}

void heartPath(cairo_t* cr, double cx, double cy, double s) {
    cairo_move_to(cr, cx, cy + s * 0.95);
    cairo_curve_to(cr, cx - s * 1.3, cy + s * 0.1, cx - s * 1.05, cy - s * 1.0, cx, cy - s * 0.45);
    cairo_curve_to(cr, cx + s * 1.05, cy - s * 1.0, cx + s * 1.3, cy + s * 0.1, cx, cy + s * 0.95);
    cairo_close_path(cr);
}

void keyShape(Canvas& cv, Rgb c) {
    cairo_t* cr = cv.cr();
    auto shape = [](cairo_t* k) {
        cairo_save(k);
        cairo_translate(k, 50, 50);
        cairo_rotate(k, -M_PI / 4);
        circle(k, -26, 0, 17);
        cairo_rectangle(k, -12, -5, 50, 10);
        cairo_rectangle(k, 26, 4, 7, 12);
        cairo_rectangle(k, 36, 4, 6, 9);
        cairo_restore(k);
    };
    unitShadow(cv, shape, 2.5, 2.5, 0.55);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    cairo_save(cr);
    cairo_translate(cr, 50, 50);
    cairo_rotate(cr, -M_PI / 4);
    // Bow with its hole, shaft, bit.
    cairo_new_path(cr);
    circle(cr, -26, 0, 17);
    circle(cr, -26, 0, 7.5);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, -17, 0, 17);
    addStop(g, 0, lighter(c, 0.55));
    addStop(g, 0.5, c);
    addStop(g, 1, darker(c, 0.45));
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    edge(cr, darker(c, 0.7), 2);
    cairo_new_path(cr);
    roundRect(cr, -12, -5, 52, 10, 2);
    roundRect(cr, 26, 2, 7, 14, 1.5);
    roundRect(cr, 36, 2, 6, 11, 1.5);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    cairo_pattern_t* g2 = cairo_pattern_create_linear(0, -5, 0, 16);
    addStop(g2, 0, lighter(c, 0.55));
    addStop(g2, 0.4, c);
    addStop(g2, 1, darker(c, 0.45));
    cairo_set_source(cr, g2);
    cairo_fill_preserve(cr);
    edge(cr, darker(c, 0.7), 2);
    cairo_pattern_destroy(g);
    cairo_pattern_destroy(g2);
    // Rings on the shaft and a shine on the bow.
    for (double x : {-8.0, -4.0}) {
        cairo_rectangle(cr, x, -6.5, 2, 13);
        setRgb(cr, darker(c, 0.3));
        cairo_fill(cr);
    }
    cairo_set_line_width(cr, 2.5);
    setRgb(cr, {1, 1, 1}, 0.7);
    cairo_arc(cr, -26, 0, 13, M_PI * 1.05, M_PI * 1.55);
    cairo_stroke(cr);
    cairo_restore(cr);
    sparkle(cr, 33, 38, 7, 0.9);
}

void lockShape(Canvas& cv, Rgb c) {
    cairo_t* cr = cv.cr();
    unitShadow(cv, [](cairo_t* k) { roundRect(k, 20, 42, 60, 48, 9); }, 3, 3, 0.55);
    // Steel shackle.
    cairo_new_path(cr);
    cairo_arc(cr, 50, 40, 20, M_PI, 2 * M_PI);
    cairo_line_to(cr, 70, 48);
    cairo_move_to(cr, 30, 48);
    cairo_line_to(cr, 30, 40);
    setRgb(cr, hex(0x303840));
    cairo_set_line_width(cr, 11);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* s = cairo_pattern_create_linear(0, 18, 0, 48);
    addStop(s, 0, hex(0xf4f8ff));
    addStop(s, 1, hex(0x8a96a4));
    cairo_set_source(cr, s);
    cairo_set_line_width(cr, 7);
    cairo_stroke(cr);
    cairo_pattern_destroy(s);
    // Body.
    roundRect(cr, 20, 42, 60, 48, 9);
    fillVertical(cr, 42, 90, lighter(c, 0.45), darker(c, 0.35));
    edge(cr, darker(c, 0.7), 2.5);
    roundRect(cr, 25, 46, 50, 40, 6);
    setRgb(cr, lighter(c, 0.6), 0.5);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    // Rivets and keyhole.
    for (auto p : {Pt{27, 49}, Pt{73, 49}, Pt{27, 83}, Pt{73, 83}}) {
        circle(cr, p.x, p.y, 2);
        fillRadial(cr, p.x, p.y, 2, hex(0xffffff), darker(c, 0.5));
        cairo_new_path(cr);
    }
    circle(cr, 50, 61, 6);
    cairo_move_to(cr, 47, 63);
    cairo_line_to(cr, 45, 77);
    cairo_line_to(cr, 55, 77);
    cairo_line_to(cr, 53, 63);
    cairo_close_path(cr);
    setRgb(cr, hex(0x10080a));
    cairo_fill(cr);
    gloss(cr, 50, 50, 26, 7, 0.5);
}

}  // namespace bm::art

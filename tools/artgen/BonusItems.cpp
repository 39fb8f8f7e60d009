// Bonus items, stars and the Seismic Gem: bold silhouettes that read at 60 pixels.

#include "Painters.h"
#include "Shapes.h"
#include "bonus/BonusKinds.h"

#include <cmath>

namespace bm::art {

namespace {

constexpr int kSize = 512;
const Rgb kInk = hex(0x1a0e08);

using Draw = void (*)(Canvas&, cairo_t*);

void glowBehind(cairo_t* cr, Rgb c, double r = 46, double a = 0.55) {
    cairo_pattern_t* g = cairo_pattern_create_radial(50, 50, 0, 50, 50, r);
    addStop(g, 0, c, a);
    addStop(g, 1, c, 0);
    cairo_set_source(cr, g);
    cairo_paint(cr);
    cairo_pattern_destroy(g);
}

void chest(Canvas& cv, cairo_t* cr) {
    glowBehind(cr, hex(0xffd040), 48, 0.45);
    unitShadow(cv, [](cairo_t* k) { roundRect(k, 12, 30, 76, 58, 6); });
    // Body.
    roundRect(cr, 12, 50, 76, 38, 4);
    fillVertical(cr, 50, 88, hex(0xa8642a), hex(0x5a2e10));
    edge(cr, kInk, 2.4);
    // Coins heaped in the open chest.
    for (int i = 0; i < 9; ++i) {
        double x = 22 + i * 7.0, y = 46 - 5 * std::sin(i * 0.39 + 0.2);
        circle(cr, x, y, 6);
        fillRadial(cr, x, y, 6, hex(0xfff4a0), hex(0xc88a10));
        edge(cr, hex(0x6a4000), 1);
    }
    // Lid tipped back.
    cairo_move_to(cr, 14, 44);
    cairo_curve_to(cr, 14, 20, 86, 20, 86, 44);
    cairo_line_to(cr, 82, 40);
    cairo_curve_to(cr, 80, 26, 20, 26, 18, 40);
    cairo_close_path(cr);
    fillVertical(cr, 20, 44, hex(0xc07a38), hex(0x6a3812));
    edge(cr, kInk, 2.2);
    // Gold bands and lock plate.
    for (double x : {22.0, 72.0}) {
        cairo_rectangle(cr, x, 50, 6, 38);
        fillVertical(cr, 50, 88, hex(0xffe27a), hex(0xa86a08));
        edge(cr, hex(0x4a2a00), 1.2);
    }
    cairo_rectangle(cr, 12, 50, 76, 5);
    fillVertical(cr, 50, 55, hex(0xffe27a), hex(0xa86a08));
    edge(cr, hex(0x4a2a00), 1.2);
    roundRect(cr, 43, 56, 14, 16, 2);
    fillVertical(cr, 56, 72, hex(0xfff0a0), hex(0xb07810));
    edge(cr, hex(0x4a2a00), 1.2);
    circle(cr, 50, 62, 2);
    setRgb(cr, kInk);
    cairo_fill(cr);
    sparkle(cr, 30, 36, 9);
    sparkle(cr, 66, 40, 6);
}

void lifeRing(Canvas& cv, cairo_t* cr) {
    unitShadow(cv, [](cairo_t* k) {
        circle(k, 50, 50, 40);
    });
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    circle(cr, 50, 50, 40);
    circle(cr, 50, 50, 19);
    fillRadial(cr, 50, 50, 42, hex(0xffffff), hex(0xb8c0c8));
    cairo_new_path(cr);
    // Red quarters.
    for (int q = 0; q < 4; ++q) {
        double a0 = q * M_PI / 2 + M_PI / 4 - 0.38, a1 = a0 + 0.76;
        cairo_new_path(cr);
        cairo_arc(cr, 50, 50, 40, a0, a1);
        cairo_arc_negative(cr, 50, 50, 19, a1, a0);
        cairo_close_path(cr);
        fillRadial(cr, 50, 50, 42, hex(0xff7060), hex(0xb01010));
        cairo_new_path(cr);
    }
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    circle(cr, 50, 50, 40);
    edge(cr, kInk, 2.4);
    circle(cr, 50, 50, 19);
    edge(cr, kInk, 2.4);
    // Rope around it.
    setRgb(cr, hex(0xe8d0a0));
    cairo_set_line_width(cr, 2.2);
    double dash[] = {4, 2};
    cairo_set_dash(cr, dash, 2, 0);
    circle(cr, 50, 50, 30);
    cairo_stroke(cr);
    cairo_set_dash(cr, nullptr, 0, 0);
    // A red heart in the middle says "life".
    heartPath(cr, 50, 51, 11);
    fillRadial(cr, 50, 50, 12, hex(0xff8080), hex(0xc00818));
    edge(cr, kInk, 1.6);
    gloss(cr, 40, 26, 18, 8, 0.6);
}

void clock(Canvas& cv, cairo_t* cr) {
    unitShadow(cv, [](cairo_t* k) { circle(k, 50, 55, 38); });
    // Crown and ring.
    circle(cr, 50, 11, 6);
    edge(cr, hex(0xb07810), 3);
    roundRect(cr, 44, 13, 12, 8, 2);
    fillVertical(cr, 13, 21, hex(0xfff0a0), hex(0xb07810));
    edge(cr, kInk, 1.6);
    circle(cr, 50, 56, 38);
    fillRadial(cr, 50, 56, 40, hex(0xfff2a0), hex(0x9a6408));
    edge(cr, kInk, 2.4);
    circle(cr, 50, 56, 30);
    fillRadial(cr, 50, 56, 32, hex(0xffffff), hex(0xd8d4c8));
    edge(cr, hex(0x6a4a10), 1.8);
    for (int h = 0; h < 12; ++h) {
        double a = h * M_PI / 6;
        double r0 = h % 3 == 0 ? 22 : 25;
        cairo_move_to(cr, 50 + std::cos(a) * r0, 56 + std::sin(a) * r0);
        cairo_line_to(cr, 50 + std::cos(a) * 28, 56 + std::sin(a) * 28);
        setRgb(cr, kInk);
        cairo_set_line_width(cr, h % 3 == 0 ? 2.6 : 1.4);
        cairo_stroke(cr);
    }
    cairo_move_to(cr, 50, 56);
    cairo_line_to(cr, 50, 36);
    setRgb(cr, kInk);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    cairo_move_to(cr, 50, 56);
    cairo_line_to(cr, 64, 62);
    cairo_set_line_width(cr, 3.6);
    cairo_stroke(cr);
    circle(cr, 50, 56, 3);
    setRgb(cr, hex(0xc01818));
    cairo_fill(cr);
    gloss(cr, 44, 40, 20, 10, 0.5);
    // "+" tag: extra time.
    circle(cr, 80, 24, 12);
    fillRadial(cr, 80, 24, 12, hex(0x90ff90), hex(0x108a20));
    edge(cr, kInk, 1.8);
    cairo_move_to(cr, 74, 24);
    cairo_line_to(cr, 86, 24);
    cairo_move_to(cr, 80, 18);
    cairo_line_to(cr, 80, 30);
    setRgb(cr, {1, 1, 1});
    cairo_set_line_width(cr, 3.2);
    cairo_stroke(cr);
}

void bomb(Canvas& cv, cairo_t* cr) {
    unitShadow(cv, [](cairo_t* k) { circle(k, 46, 58, 34); });
    // Fuse.
    cairo_move_to(cr, 66, 30);
    cairo_curve_to(cr, 72, 18, 80, 22, 84, 14);
    setRgb(cr, hex(0x6a4a2a));
    cairo_set_line_width(cr, 3.5);
    cairo_stroke(cr);
    roundRect(cr, 58, 24, 14, 12, 2);
    fillVertical(cr, 24, 36, hex(0x8890a0), hex(0x303840));
    edge(cr, kInk, 1.6);
    circle(cr, 46, 58, 34);
    fillRadial(cr, 46, 58, 36, hex(0x6a7080), hex(0x0a0c12));
    edge(cr, kInk, 2.2);
    gloss(cr, 36, 40, 16, 9, 0.55);
    // Spark.
    cairo_pattern_t* g = cairo_pattern_create_radial(84, 14, 0, 84, 14, 14);
    addStop(g, 0, hex(0xffffc0), 1);
    addStop(g, 0.4, hex(0xffa020), 0.9);
    addStop(g, 1, hex(0xff4000), 0);
    cairo_set_source(cr, g);
    circle(cr, 84, 14, 14);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    polyPath(cr, star(84, 14, 11, 3, 6, 0.2));
    setRgb(cr, hex(0xfff8c0));
    cairo_fill(cr);
}

void seismic(Canvas& cv, cairo_t* cr, double turn) {
    glowBehind(cr, hex(0xffffff), 50, 0.5);
    unitShadow(cv, [](cairo_t* k) { polyPath(k, regular(50, 50, 38, 8, M_PI / 8)); });
    const uint32_t hues[8] = {0xff3030, 0xff9a20, 0xffe020, 0x40d040, 0x20c0e0, 0x3060ff, 0xa040e0, 0xff40b0};
    Poly out = regular(50, 50, 38, 8, M_PI / 8);
    Poly in = regular(50, 48, 18, 8, M_PI / 8);
    for (int i = 0; i < 8; ++i) {
        int h = (i + int(turn)) % 8;
        Rgb c = hex(hues[h]);
        polyPath(cr, {out[i], out[(i + 1) % 8], in[(i + 1) % 8], in[i]});
        cairo_pattern_t* g = cairo_pattern_create_linear(out[i].x, out[i].y, in[i].x, in[i].y);
        addStop(g, 0, darker(c, 0.2));
        addStop(g, 1, lighter(c, 0.35));
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
        polyPath(cr, {{50, 48}, in[i], in[(i + 1) % 8]});
        setRgb(cr, lighter(c, 0.55));
        cairo_fill(cr);
    }
    polyPath(cr, out);
    edge(cr, kInk, 2.4);
    polyPath(cr, in);
    setRgb(cr, {1, 1, 1}, 0.7);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    // Shock lines: the gem shakes the board.
    for (int s = -1; s <= 1; s += 2) {
        cairo_move_to(cr, 50 + s * 42, 34);
        cairo_line_to(cr, 50 + s * 47, 42);
        cairo_line_to(cr, 50 + s * 43, 50);
        cairo_line_to(cr, 50 + s * 48, 58);
        cairo_line_to(cr, 50 + s * 44, 66);
        setRgb(cr, hex(0xfff8d0));
        cairo_set_line_width(cr, 2.4);
        cairo_stroke(cr);
    }
    sparkle(cr, 38, 32, 10);
}
void rainbow(Canvas& cv, cairo_t* cr) { seismic(cv, cr, 0); }
void rainbow2(Canvas& cv, cairo_t* cr) { seismic(cv, cr, 4); }

void arrowArc(cairo_t* cr, double a0, double a1, Rgb c) {
    double r = 28;
    cairo_new_path(cr);
    cairo_arc(cr, 50, 50, r, a0, a1);
    setRgb(cr, kInk);
    cairo_set_line_width(cr, 13);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    cairo_stroke_preserve(cr);
    setRgb(cr, c);
    cairo_set_line_width(cr, 8.5);
    cairo_stroke(cr);
    double ex = 50 + r * std::cos(a1), ey = 50 + r * std::sin(a1);
    double tx = -std::sin(a1), ty = std::cos(a1);
    double nx = std::cos(a1), ny = std::sin(a1);
    Poly head = {{ex + nx * 12, ey + ny * 12}, {ex + tx * 14, ey + ty * 14}, {ex - nx * 12, ey - ny * 12}};
    polyPath(cr, head);
    setRgb(cr, c);
    cairo_fill_preserve(cr);
    edge(cr, kInk, 2);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
}

void shuffle(Canvas& cv, cairo_t* cr) {
    unitShadow(cv, [](cairo_t* k) { circle(k, 50, 50, 42); });
    circle(cr, 50, 50, 42);
    fillRadial(cr, 50, 50, 44, hex(0x7ad8ff), hex(0x1050a0));
    edge(cr, kInk, 2.4);
    arrowArc(cr, M_PI * 0.95, M_PI * 1.75, hex(0xffe060));
    arrowArc(cr, -0.05, M_PI * 0.75, hex(0xffe060));
    // Three little gems being mixed.
    const uint32_t c[3] = {0xff3040, 0x30d050, 0x4080ff};
    for (int i = 0; i < 3; ++i) {
        double a = i * 2 * M_PI / 3 - M_PI / 2;
        polyPath(cr, regular(50 + std::cos(a) * 9, 50 + std::sin(a) * 9, 6, 4, 0));
        fillRadial(cr, 50 + std::cos(a) * 9, 50 + std::sin(a) * 9, 7, lighter(hex(c[i]), 0.5), hex(c[i]));
        edge(cr, kInk, 1.2);
    }
    gloss(cr, 44, 22, 26, 12, 0.45);
}

void parrot(Canvas& cv, cairo_t* cr) {
    auto body = [](cairo_t* k) {
        cairo_move_to(k, 40, 14);
        cairo_curve_to(k, 62, 8, 76, 26, 70, 46);
        cairo_curve_to(k, 68, 62, 60, 74, 56, 94);
        cairo_line_to(k, 44, 94);
        cairo_curve_to(k, 40, 74, 26, 60, 28, 40);
        cairo_curve_to(k, 28, 26, 32, 16, 40, 14);
        cairo_close_path(k);
    };
    unitShadow(cv, body);
    // Tail feathers.
    for (int i = -1; i <= 1; ++i) {
        cairo_move_to(cr, 46 + i * 3, 80);
        cairo_curve_to(cr, 44 + i * 8, 90, 44 + i * 10, 96, 46 + i * 10, 99);
        cairo_line_to(cr, 52 + i * 6, 99);
        cairo_curve_to(cr, 52 + i * 4, 92, 52 + i * 2, 86, 52 + i * 2, 80);
        cairo_close_path(cr);
        fillVertical(cr, 80, 99, i == 0 ? hex(0x3070ff) : hex(0xff3030), hex(0x102060));
        edge(cr, kInk, 1.4);
    }
    body(cr);
    fillRadial(cr, 48, 34, 50, hex(0xff6a50), hex(0xa00810));
    edge(cr, kInk, 2.4);
    // Wing: yellow, green and blue bands.
    cairo_move_to(cr, 46, 44);
    cairo_curve_to(cr, 66, 44, 70, 64, 60, 84);
    cairo_curve_to(cr, 50, 74, 42, 60, 46, 44);
    cairo_close_path(cr);
    cairo_pattern_t* w = cairo_pattern_create_linear(46, 44, 62, 84);
    addStop(w, 0, hex(0xffe040));
    addStop(w, 0.35, hex(0xffe040));
    addStop(w, 0.36, hex(0x30c050));
    addStop(w, 0.62, hex(0x30c050));
    addStop(w, 0.63, hex(0x2060e0));
    addStop(w, 1, hex(0x1030a0));
    cairo_set_source(cr, w);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(w);
    edge(cr, kInk, 1.8);
    // Face patch, eye, hooked beak.
    cairo_move_to(cr, 36, 20);
    cairo_curve_to(cr, 46, 16, 52, 26, 48, 34);
    cairo_curve_to(cr, 42, 38, 34, 34, 32, 28);
    cairo_close_path(cr);
    setRgb(cr, hex(0xfff6ee));
    cairo_fill_preserve(cr);
    edge(cr, hex(0x806050), 1);
    circle(cr, 42, 26, 4);
    setRgb(cr, kInk);
    cairo_fill(cr);
    circle(cr, 41, 25, 1.4);
    setRgb(cr, {1, 1, 1});
    cairo_fill(cr);
    cairo_move_to(cr, 32, 26);
    cairo_curve_to(cr, 22, 22, 14, 30, 16, 40);
    cairo_curve_to(cr, 20, 36, 26, 36, 30, 40);
    cairo_curve_to(cr, 34, 36, 34, 30, 32, 26);
    cairo_close_path(cr);
    fillVertical(cr, 22, 42, hex(0xfff0b0), hex(0xd09020));
    edge(cr, kInk, 1.8);
    gloss(cr, 52, 20, 10, 5, 0.5);
}

void rum(Canvas& cv, cairo_t* cr) {
    auto bottle = [](cairo_t* k) {
        cairo_move_to(k, 43, 8);
        cairo_line_to(k, 57, 8);
        cairo_line_to(k, 57, 30);
        cairo_curve_to(k, 57, 36, 74, 38, 74, 52);
        cairo_line_to(k, 74, 88);
        cairo_curve_to(k, 74, 94, 70, 96, 64, 96);
        cairo_line_to(k, 36, 96);
        cairo_curve_to(k, 30, 96, 26, 94, 26, 88);
        cairo_line_to(k, 26, 52);
        cairo_curve_to(k, 26, 38, 43, 36, 43, 30);
        cairo_close_path(k);
    };
    unitShadow(cv, bottle);
    bottle(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(26, 0, 74, 0);
    addStop(g, 0, hex(0x3a1a08));
    addStop(g, 0.35, hex(0x9a5a20));
    addStop(g, 0.6, hex(0x6a3410));
    addStop(g, 1, hex(0x2a1004));
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    edge(cr, kInk, 2.4);
    // Cork, label with crossed bones.
    roundRect(cr, 42, 2, 16, 10, 2);
    fillVertical(cr, 2, 12, hex(0xe0b070), hex(0x8a5a28));
    edge(cr, kInk, 1.6);
    roundRect(cr, 30, 56, 40, 26, 3);
    fillVertical(cr, 56, 82, hex(0xfff4d0), hex(0xd8c090));
    edge(cr, hex(0x4a2a10), 1.6);
    outlinedText(cr, "RUM", 50, 75, 13, hex(0xc01818), hex(0x800808), hex(0xfff4d0), 0.6);
    cairo_rectangle(cr, 31, 35, 4, 50);
    setRgb(cr, {1, 1, 1}, 0.35);
    cairo_fill(cr);
    sparkle(cr, 34, 44, 6);
}

void cannonball(Canvas& cv, cairo_t* cr) {
    // Motion streaks, then the ball.
    for (int i = 0; i < 3; ++i) {
        cairo_move_to(cr, 8 + i * 3, 40 + i * 10);
        cairo_line_to(cr, 34, 40 + i * 10);
        setRgb(cr, hex(0xffffff), 0.55 - i * 0.1);
        cairo_set_line_width(cr, 3.5);
        cairo_stroke(cr);
    }
    unitShadow(cv, [](cairo_t* k) { circle(k, 56, 52, 34); });
    circle(cr, 56, 52, 34);
    fillRadial(cr, 56, 52, 36, hex(0xc8ccd4), hex(0x20242c));
    edge(cr, kInk, 2.4);
    gloss(cr, 46, 34, 16, 9, 0.7);
    // Cast seam and flames behind.
    cairo_arc(cr, 56, 52, 30, M_PI * 0.15, M_PI * 0.85);
    setRgb(cr, {0, 0, 0}, 0.35);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    sparkle(cr, 44, 38, 7, 0.8);
}

void gun(Canvas& cv, cairo_t* cr) {
    auto shape = [](cairo_t* k) {
        cairo_save(k);
        cairo_translate(k, 50, 50);
        cairo_rotate(k, -0.35);
        cairo_translate(k, -50, -50);
        roundRect(k, 30, 36, 62, 11, 3);
        cairo_move_to(k, 32, 40);
        cairo_curve_to(k, 20, 44, 10, 62, 12, 80);
        cairo_line_to(k, 26, 84);
        cairo_curve_to(k, 28, 66, 38, 56, 46, 50);
        cairo_close_path(k);
        cairo_restore(k);
    };
    unitShadow(cv, shape);
    cairo_save(cr);
    cairo_translate(cr, 50, 50);
    cairo_rotate(cr, -0.35);
    cairo_translate(cr, -50, -50);
    // Grip.
    cairo_move_to(cr, 34, 40);
    cairo_curve_to(cr, 20, 44, 10, 62, 12, 80);
    cairo_curve_to(cr, 16, 86, 24, 88, 26, 84);
    cairo_curve_to(cr, 28, 66, 38, 56, 48, 50);
    cairo_close_path(cr);
    fillVertical(cr, 40, 88, hex(0xb0703a), hex(0x4a2410));
    edge(cr, kInk, 2.2);
    circle(cr, 18, 80, 4);
    fillRadial(cr, 18, 80, 4, hex(0xfff0a0), hex(0xa07010));
    cairo_new_path(cr);
    // Barrel and brass fittings.
    roundRect(cr, 30, 36, 64, 11, 3);
    fillVertical(cr, 36, 47, hex(0xe8eef4), hex(0x4a5460));
    edge(cr, kInk, 2.2);
    roundRect(cr, 88, 34, 7, 15, 2);
    fillVertical(cr, 34, 49, hex(0xfff0a0), hex(0xa07010));
    edge(cr, kInk, 1.6);
    roundRect(cr, 30, 34, 18, 16, 3);
    fillVertical(cr, 34, 50, hex(0xfff0a0), hex(0xa07010));
    edge(cr, kInk, 1.8);
    // Hammer and trigger guard.
    cairo_move_to(cr, 34, 34);
    cairo_curve_to(cr, 30, 26, 24, 24, 22, 28);
    cairo_curve_to(cr, 26, 30, 28, 32, 30, 36);
    cairo_close_path(cr);
    fillVertical(cr, 24, 36, hex(0xd8dde4), hex(0x505860));
    edge(cr, kInk, 1.6);
    cairo_arc(cr, 44, 54, 6, 0, M_PI);
    setRgb(cr, hex(0xa07010));
    cairo_set_line_width(cr, 2.4);
    cairo_stroke(cr);
    cairo_rectangle(cr, 50, 38, 40, 2.5);
    setRgb(cr, {1, 1, 1}, 0.6);
    cairo_fill(cr);
    cairo_restore(cr);
    // Muzzle flash.
    cairo_pattern_t* g = cairo_pattern_create_radial(92, 22, 0, 92, 22, 10);
    addStop(g, 0, hex(0xffffd0), 1);
    addStop(g, 1, hex(0xff8000), 0);
    cairo_set_source(cr, g);
    circle(cr, 92, 22, 10);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

void anchor(Canvas& cv, cairo_t* cr) {
    auto shape = [](cairo_t* k) {
        // Stroked here: the shadow of a line drawing is its strokes, not their hull.
        cairo_set_source_rgba(k, 0, 0, 0, 0.5);
        cairo_set_line_width(k, 11);
        circle(k, 50, 14, 7);
        cairo_move_to(k, 50, 22);
        cairo_line_to(k, 50, 86);
        cairo_move_to(k, 32, 32);
        cairo_line_to(k, 68, 32);
        cairo_stroke(k);
        cairo_arc(k, 50, 54, 34, M_PI * 0.12, M_PI * 0.88);
        cairo_stroke(k);
    };
    unitShadow(cv, shape);
    auto steel = [&](double w) {
        setRgb(cr, kInk);
        cairo_set_line_width(cr, w + 4);
        cairo_stroke_preserve(cr);
        cairo_pattern_t* g = cairo_pattern_create_linear(20, 10, 80, 90);
        addStop(g, 0, hex(0xfff4b0));
        addStop(g, 0.5, hex(0xd8a030));
        addStop(g, 1, hex(0x7a4a08));
        cairo_set_source(cr, g);
        cairo_set_line_width(cr, w);
        cairo_stroke(cr);
        cairo_pattern_destroy(g);
    };
    circle(cr, 50, 14, 7);
    steel(5);
    cairo_move_to(cr, 50, 22);
    cairo_line_to(cr, 50, 86);
    steel(8);
    cairo_move_to(cr, 32, 32);
    cairo_line_to(cr, 68, 32);
    steel(7);
    cairo_arc(cr, 50, 54, 34, M_PI * 0.12, M_PI * 0.88);
    steel(7);
    // Flukes.
    for (int s = -1; s <= 1; s += 2) {
        double x = 50 + s * 34 * std::cos(M_PI * 0.12), y = 54 + 34 * std::sin(M_PI * 0.12);
        polyPath(cr, {{x - 6 * s, y + 2}, {x + 4 * s, y - 12}, {x + 8 * s, y + 6}});
        setRgb(cr, hex(0xd8a030));
        cairo_fill_preserve(cr);
        edge(cr, kInk, 2);
    }
    sparkle(cr, 40, 30, 7);
}

void sun(Canvas& cv, cairo_t* cr) {
    glowBehind(cr, hex(0xffc020), 50, 0.6);
    unitShadow(cv, [](cairo_t* k) { polyPath(k, star(50, 50, 46, 30, 12, 0)); }, 3, 2, 0.35);
    polyPath(cr, star(50, 50, 46, 30, 12, 0));
    fillRadial(cr, 50, 50, 46, hex(0xfff080), hex(0xf08010));
    edge(cr, hex(0x6a3000), 2);
    circle(cr, 50, 50, 26);
    fillRadial(cr, 50, 50, 28, hex(0xfffbe0), hex(0xf0a820));
    edge(cr, hex(0x6a3000), 2);
    // Friendly face.
    for (int s = -1; s <= 1; s += 2) {
        circle(cr, 50 + s * 8, 46, 2.8);
        setRgb(cr, hex(0x5a2800));
        cairo_fill(cr);
    }
    cairo_arc(cr, 50, 52, 10, M_PI * 0.2, M_PI * 0.8);
    setRgb(cr, hex(0x5a2800));
    cairo_set_line_width(cr, 2.4);
    cairo_stroke(cr);
    gloss(cr, 44, 36, 14, 7, 0.6);
}

void puffyStar(Canvas& cv, cairo_t* cr, Rgb light, Rgb dark) {
    glowBehind(cr, light, 48, 0.5);
    Poly p = star(50, 53, 44, 20, 5, -M_PI / 2);
    unitShadow(cv, [&](cairo_t* k) { polyPath(k, p); });
    polyPath(cr, p);
    fillRadial(cr, 50, 50, 46, light, dark);
    cairo_set_line_width(cr, 7);
    setRgb(cr, darker(dark, 0.55));
    cairo_stroke_preserve(cr);
    cairo_set_line_width(cr, 3);
    setRgb(cr, lighter(dark, 0.2));
    cairo_stroke(cr);
    // Ridges from the centre to each point give it volume.
    for (int i = 0; i < 10; ++i) {
        polyPath(cr, {{50, 53}, p[i], p[(i + 1) % 10]});
        setRgb(cr, i % 2 ? Rgb{0, 0, 0} : Rgb{1, 1, 1}, i % 2 ? 0.12 : 0.18);
        cairo_fill(cr);
    }
    sparkle(cr, 40, 36, 10);
}
void starBlue(Canvas& cv, cairo_t* cr) { puffyStar(cv, cr, hex(0xb0e8ff), hex(0x1860d0)); }
void starGold(Canvas& cv, cairo_t* cr) { puffyStar(cv, cr, hex(0xfff6b0), hex(0xe09010)); }

// The painter of each kind's picture, by item code; the picture's file name is
// the bonus table's.
struct Item {
    int code;
    Draw draw;
};
const Item kItems[] = {
    {bm::item::Chest, chest},         {bm::item::Life, lifeRing},        {bm::item::Clock, clock},
    {bm::item::Bomb, bomb},           {bm::item::SeismicGem, rainbow},   {bm::item::SeismicRay, rainbow2},
    {bm::item::Shuffle, shuffle},     {bm::item::Parrot, parrot},        {bm::item::Rum, rum},
    {bm::item::Cannonball, cannonball}, {bm::item::PirateGun, gun},      {bm::item::Anchor, anchor},
    {bm::item::GoldenSun, sun},       {bm::item::BlueStar, starBlue},    {bm::item::GoldStar, starGold},
};

Draw painterOf(const bm::BonusKind& kind) {
    for (const auto& it : kItems)
        if (it.code == kind.code) return it.draw;
    return nullptr;
}

}  // namespace

// Button art reuses these drawings at a smaller scale.
void drawBonusIcon(Canvas& cv, const std::string& name) {
    for (const bm::BonusKind& kind : bm::kBonusKinds)
        if (name == kind.picture) {
            if (Draw d = painterOf(kind)) {
                unitSpace(cv);
                d(cv, cv.cr());
            }
            return;
        }
}

// A kind without a painter gets none: the generator then names its picture as missing.
void addBonusItems(PainterMap& m) {
    for (const bm::BonusKind& kind : bm::kBonusKinds) {
        Draw d = painterOf(kind);
        if (!d) continue;
        m[std::string(kind.picture)] = [d](const std::string& p) {
            Canvas cv(kSize, kSize);
            unitSpace(cv);
            d(cv, cv.cr());
            cv.save(p);
        };
    }
}

}  // namespace bm::art

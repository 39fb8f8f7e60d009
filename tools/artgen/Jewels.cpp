// The sixteen jewels: each kind has its own outline as well as its own colour, so
// players who cannot tell the colours apart still tell the kinds apart.

#include "Canvas.h"
#include "Painters.h"

#include <cmath>

namespace bm::art {

namespace {

constexpr int kSize = 512;
constexpr double C = kSize / 2.0;

struct Cut {
    Poly outline;
    Poly table;  // same vertex count: facet i joins outline i..i+1 with table i..i+1
};

Poly scaleAbout(const Poly& p, double cx, double cy, double s, double dy = 0) {
    Poly q;
    for (auto v : p) q.push_back({cx + (v.x - cx) * s, cy + (v.y - cy) * s + dy});
    return q;
}

Cut fromOutline(Poly outline, double tableScale = 0.52) {
    double cx = 0, cy = 0;
    for (auto v : outline) cx += v.x, cy += v.y;
    cx /= outline.size();
    cy /= outline.size();
    Poly t = scaleAbout(outline, cx, cy, tableScale, -kSize * 0.02);
    return {std::move(outline), std::move(t)};
}

Poly curve(int n, const std::function<Pt(double)>& f) {
    Poly p;
    for (int i = 0; i < n; ++i) p.push_back(f(double(i) / n));
    return p;
}

Cut cutRound() { return fromOutline(regular(C, C, 200, 20, -M_PI / 2), 0.55); }
Cut cutSquare() {
    double r = 180, k = 52;
    Poly p = {{C - r + k, C - r}, {C + r - k, C - r}, {C + r, C - r + k}, {C + r, C + r - k},
              {C + r - k, C + r}, {C - r + k, C + r}, {C - r, C + r - k}, {C - r, C - r + k}};
    return fromOutline(p, 0.58);
}
Cut cutTeardrop() {
    return fromOutline(curve(26, [](double t) {
                           double a = 2 * M_PI * t;
                           double x = 205 * std::sin(a) * std::pow(std::sin(a / 2), 1.3);
                           double y = -225 * std::cos(a);
                           return Pt{C + x, C + 8 + y};
                       }),
                       0.5);
}
Cut cutHeart() {
    return fromOutline(curve(28, [](double t) {
                           double a = 2 * M_PI * t;
                           double x = 16 * std::pow(std::sin(a), 3);
                           double y = -(13 * std::cos(a) - 5 * std::cos(2 * a) - 2 * std::cos(3 * a) - std::cos(4 * a));
                           return Pt{C + x * 12.2, C + 20 + y * 12.2};
                       }),
                       0.5);
}
Cut cutDiamond() {
    Poly p = {{C, C - 220}, {C + 165, C}, {C, C + 220}, {C - 165, C}};
    Cut c = fromOutline(p, 0.45);
    return c;
}
Cut cutTriangle() { return fromOutline(regular(C, C + 40, 225, 3, -M_PI / 2), 0.48); }
Cut cutHexagon() { return fromOutline(regular(C, C, 205, 6, 0), 0.55); }
Cut cutStar() { return fromOutline(star(C, C + 12, 225, 100, 5, -M_PI / 2), 0.5); }
Cut cutOval() {
    return fromOutline(curve(22, [](double t) {
                           double a = 2 * M_PI * t;
                           return Pt{C + 150 * std::cos(a), C + 215 * std::sin(a)};
                       }),
                       0.55);
}
Cut cutPentagon() { return fromOutline(regular(C, C + 12, 210, 5, -M_PI / 2), 0.55); }
Cut cutShield() {
    Poly p = {{C - 175, C - 170}, {C - 60, C - 195}, {C + 60, C - 195}, {C + 175, C - 170},
              {C + 165, C + 30},  {C + 100, C + 140}, {C, C + 215},    {C - 100, C + 140},
              {C - 165, C + 30}};
    return fromOutline(p, 0.52);
}
Cut cutCross() {
    double a = 70, b = 205;
    Poly p = {{C - a, C - b}, {C + a, C - b}, {C + a, C - a}, {C + b, C - a}, {C + b, C + a}, {C + a, C + a},
              {C + a, C + b}, {C - a, C + b}, {C - a, C + a}, {C - b, C + a}, {C - b, C - a}, {C - a, C - a}};
    return fromOutline(p, 0.55);
}
Cut cutOctagon() { return fromOutline(regular(C, C, 208, 8, M_PI / 8), 0.56); }
Cut cutKite() {
    Poly p = {{C, C - 225}, {C + 160, C - 60}, {C, C + 225}, {C - 160, C - 60}};
    return fromOutline(p, 0.45);
}
Cut cutCrescent() {
    // Outer arc and inner arc; the table runs along the middle of the horn.
    Poly outer, inner;
    int n = 14;
    for (int i = 0; i <= n; ++i) {
        double a = -M_PI * 0.78 + 1.56 * M_PI * i / n + M_PI;  // left-facing bulge
        outer.push_back({C + 30 + 215 * std::cos(a), C + 215 * std::sin(a)});
    }
    for (int i = n; i >= 0; --i) {
        double a = -M_PI * 0.78 + 1.56 * M_PI * i / n + M_PI;
        double r = 150;
        Pt o = {C + 30 + 215 * std::cos(a), C + 215 * std::sin(a)};
        Pt q = {C + 110 + r * std::cos(a), C - 0 + r * std::sin(a) * 1.05};
        // Keep the horns pointed: inner arc meets the outer at both ends.
        double e = std::sin(M_PI * i / n);
        inner.push_back({o.x + (q.x - o.x) * std::pow(e, 0.5), o.y + (q.y - o.y) * std::pow(e, 0.5)});
    }
    Cut c;
    c.outline = outer;
    c.outline.insert(c.outline.end(), inner.begin(), inner.end());
    // Table: for each outline point, move towards its partner on the other arc.
    size_t m = outer.size();
    for (size_t i = 0; i < c.outline.size(); ++i) {
        size_t partner = i < m ? (2 * m - 1 - i) : (2 * m - 1 - i);
        Pt a = c.outline[i], b = c.outline[partner];
        c.table.push_back({a.x + (b.x - a.x) * 0.3, a.y + (b.y - a.y) * 0.3 - 6});
    }
    return c;
}
Cut cutMarquise() {
    return fromOutline(curve(24, [](double t) {
                           double a = 2 * M_PI * t;
                           double x = 225 * std::cos(a);
                           double s = std::sin(a);
                           double y = 140 * s * std::pow(std::abs(std::sin(a)), -0.0) * std::sqrt(1 - std::pow(std::abs(std::cos(a)), 3));
                           return Pt{C + x, C + y};
                       }),
                       0.5);
}

// The stone itself, paths and gradients only, in 512 x 512 units.
void paintStone(cairo_t* cr, const Cut& cut, Rgb base, uint32_t seed) {
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    // Body.
    polyPath(cr, cut.outline);
    cairo_pattern_t* body = cairo_pattern_create_radial(C - 60, C - 80, 20, C, C, 260);
    addStop(body, 0, lighter(base, 0.35));
    addStop(body, 0.6, base);
    addStop(body, 1, darker(base, 0.45));
    cairo_set_source(cr, body);
    cairo_fill(cr);
    cairo_pattern_destroy(body);

    // Crown facets: lit by a lamp at the upper left.
    const double lx = -0.6, ly = -0.8;
    size_t n = cut.outline.size();
    Rand rnd(seed);
    for (size_t i = 0; i < n; ++i) {
        Pt a = cut.outline[i], b = cut.outline[(i + 1) % n];
        Pt c = cut.table[(i + 1) % n], d = cut.table[i];
        double mx = (a.x + b.x + c.x + d.x) / 4 - C, my = (a.y + b.y + c.y + d.y) / 4 - C;
        double len = std::hypot(mx, my) + 1e-9;
        double lit = (mx * lx + my * ly) / len;  // -1 .. 1
        double jitter = rnd.range(-0.08, 0.08);
        Rgb col = lit + jitter > 0 ? lighter(base, 0.55 * (lit + jitter)) : darker(base, -0.5 * (lit + jitter));
        cairo_move_to(cr, a.x, a.y);
        cairo_line_to(cr, b.x, b.y);
        cairo_line_to(cr, c.x, c.y);
        cairo_line_to(cr, d.x, d.y);
        cairo_close_path(cr);
        cairo_pattern_t* g = cairo_pattern_create_linear(a.x, a.y, d.x, d.y);
        addStop(g, 0, darker(col, 0.1), 0.92);
        addStop(g, 1, lighter(col, 0.15), 0.92);
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
        // Facet edges.
        cairo_move_to(cr, a.x, a.y);
        cairo_line_to(cr, d.x, d.y);
        setRgb(cr, lighter(base, 0.6), 0.45);
        cairo_set_line_width(cr, 2.5);
        cairo_stroke(cr);
    }
    // Table with a soft inner glow and a star cut.
    polyPath(cr, cut.table);
    cairo_pattern_t* tg = cairo_pattern_create_linear(C - 120, C - 140, C + 100, C + 120);
    addStop(tg, 0, lighter(base, 0.6));
    addStop(tg, 0.45, lighter(base, 0.15));
    addStop(tg, 1, darker(base, 0.2));
    cairo_set_source(cr, tg);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(tg);
    setRgb(cr, lighter(base, 0.7), 0.7);
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    // Faint lines from the table's corners to its centre read as a pavilion underneath.
    double tcx = 0, tcy = 0;
    for (auto v : cut.table) tcx += v.x, tcy += v.y;
    tcx /= n;
    tcy /= n;
    cairo_save(cr);
    polyPath(cr, cut.table);
    cairo_clip(cr);
    for (size_t i = 0; i < n; i += (n > 12 ? 2 : 1)) {
        cairo_move_to(cr, cut.table[i].x, cut.table[i].y);
        cairo_line_to(cr, tcx, tcy);
    }
    setRgb(cr, lighter(base, 0.5), 0.22);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    cairo_restore(cr);

    // Outline.
    polyPath(cr, cut.outline);
    setRgb(cr, darker(base, 0.65));
    cairo_set_line_width(cr, 9);
    cairo_stroke_preserve(cr);
    setRgb(cr, lighter(base, 0.3), 0.6);
    cairo_set_line_width(cr, 2.5);
    cairo_stroke(cr);

    // Glossy reflection on the upper half, clipped to the stone.
    cairo_save(cr);
    polyPath(cr, cut.outline);
    cairo_clip(cr);
    cairo_pattern_t* gloss = cairo_pattern_create_linear(0, C - 230, 0, C);
    addStop(gloss, 0, {1, 1, 1}, 0.45);
    addStop(gloss, 1, {1, 1, 1}, 0.0);
    cairo_save(cr);
    cairo_translate(cr, C - 50, C - 95);
    cairo_rotate(cr, -0.5);
    cairo_scale(cr, 1.0, 0.45);
    circle(cr, 0, 0, 150);
    cairo_restore(cr);
    cairo_set_source(cr, gloss);
    cairo_fill(cr);
    cairo_pattern_destroy(gloss);
    cairo_restore(cr);

    // Specular sparkle.
    double sx = C - 85, sy = C - 105;
    cairo_pattern_t* sp = cairo_pattern_create_radial(sx, sy, 0, sx, sy, 55);
    addStop(sp, 0, {1, 1, 1}, 0.95);
    addStop(sp, 1, {1, 1, 1}, 0);
    cairo_set_source(cr, sp);
    circle(cr, sx, sy, 55);
    cairo_fill(cr);
    cairo_pattern_destroy(sp);
    polyPath(cr, star(sx, sy, 46, 6, 4, 0));
    setRgb(cr, {1, 1, 1}, 0.95);
    cairo_fill(cr);
}

void paintJewelOn(Canvas& cv, const Cut& cut, Rgb base, uint32_t seed) {
    softShadow(cv, [&](cairo_t* c) { polyPath(c, cut.outline); }, 22, 0, 14, {0, 0, 0}, 0.55);
    paintStone(cv.cr(), cut, base, seed);
}

void drawJewel(const std::string& path, const Cut& cut, Rgb base, uint32_t seed) {
    Canvas cv(kSize, kSize);
    paintJewelOn(cv, cut, base, seed);
    cv.save(path);
}

struct JewelSpec {
    const char* file;
    Cut (*cut)();
    uint32_t colour;
};

const JewelSpec kJewels[] = {
    {"256/blue1-new.png", cutRound, 0x1f6fe0},        {"256/GREEN2.png", cutSquare, 0x1faa45},
    {"256/amber5.png", cutTeardrop, 0xf08a12},        {"256/rub3.png", cutHeart, 0xd8162c},
    {"256/diam2.png", cutDiamond, 0xbfe6f5},          {"256/crystal-yellow2d.png", cutTriangle, 0xf2d21a},
    {"256/onea2.png", cutHexagon, 0x8e3fd6},          {"256/star2.png", cutStar, 0xff6fb0},
    {"256/cirk3.png", cutOval, 0x18c8d8},             {"256/gems.png", cutPentagon, 0xd02ac0},
    {"256/bluegem2.png", cutShield, 0x2c3fae},        {"256/red5.png", cutCross, 0xff4a2a},
    {"256/amberstone.png", cutOctagon, 0x9a5a26},     {"256/blue-gem2.png", cutKite, 0x119a8e},
    {"256/tan-gem.png", cutCrescent, 0xd8b07a},       {"256/white-gem2.png", cutMarquise, 0xeef0f4},
};

}  // namespace

void paintJewel(Canvas& cv, int kind) {
    const JewelSpec& j = kJewels[kind % 16];
    paintJewelOn(cv, j.cut(), hex(j.colour), uint32_t(kind % 16 + 1));
}

void paintJewelStone(cairo_t* cr, int kind) {
    const JewelSpec& j = kJewels[kind % 16];
    paintStone(cr, j.cut(), hex(j.colour), uint32_t(kind % 16 + 1));
}

void addJewels(PainterMap& m) {
    uint32_t seed = 1;
    for (const auto& j : kJewels) {
        JewelSpec spec = j;
        m[spec.file] = [spec, seed](const std::string& path) { drawJewel(path, spec.cut(), hex(spec.colour), seed); };
        ++seed;
    }
}

}  // namespace bm::art

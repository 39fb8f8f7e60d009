#include "Scenery.h"

#include "Shapes.h"

#include <cmath>
#include <vector>

namespace bm::art {

void paintSky(Canvas& cv, const SkyLook& look, double horizonY, uint32_t seed) {
    shadePixels(cv, [&](int x, int y, double& r, double& g, double& b, double& a) {
        if (y > horizonY + 2) return;
        double t = std::clamp(y / horizonY, 0.0, 1.0);
        Rgb c = mix(look.top, look.horizon, std::pow(t, 1.4));
        if (look.clouds > 0) {
            double n = fbm(x / 260.0, y / 90.0, 5, seed);
            double cover = std::clamp((n - (0.62 - look.clouds * 0.3)) * 3.2, 0.0, 1.0);
            double lit = std::clamp(1 - (fbm((x + 9) / 260.0, (y + 14) / 90.0, 3, seed) - n) * 18, 0.6, 1.15);
            Rgb cc = {look.cloudColour.r * lit, look.cloudColour.g * lit, look.cloudColour.b * lit};
            c = mix(c, cc, cover * 0.9);
        }
        if (look.stars) {
            uint32_t h = uint32_t(x) * 73856093u ^ uint32_t(y) * 19349663u ^ seed;
            h = (h ^ (h >> 13)) * 1274126177u;
            if ((h & 1023) < 2 && t < 0.85) c = mix(c, {1, 1, 0.9}, 0.5 + (h >> 20 & 7) / 14.0);
        }
        r = c.r, g = c.g, b = c.b, a = 1;
    });
}

void paintSea(Canvas& cv, double horizonY, Rgb far, Rgb near, uint32_t seed) {
    shadePixels(cv, [&](int x, int y, double& r, double& g, double& b, double& a) {
        if (y < horizonY) return;
        double t = std::clamp((y - horizonY) / (1024 - horizonY), 0.0, 1.0);
        Rgb c = mix(far, near, std::pow(t, 0.7));
        double persp = 0.15 + t * 1.6;
        double n = fbm(x / (90.0 * persp), (y - horizonY) / (10.0 * persp) + 3, 4, seed);
        double crest = std::clamp((n - 0.62) * 5, 0.0, 1.0);
        c = mix(c, lighter(c, 0.55), crest * (0.4 + 0.6 * t));
        c = darker(c, std::clamp((0.45 - n) * 0.6, 0.0, 0.25));
        r = c.r, g = c.g, b = c.b, a = 1;
    });
}

void paintSunOrMoon(Canvas& cv, double x, double y, double r, Rgb core, Rgb glow) {
    cairo_t* cr = cv.cr();
    cairo_pattern_t* g = cairo_pattern_create_radial(x, y, r * 0.8, x, y, r * 5);
    addStop(g, 0, glow, 0.6);
    addStop(g, 1, glow, 0);
    cairo_set_source(cr, g);
    cairo_paint(cr);
    cairo_pattern_destroy(g);
    circle(cr, x, y, r);
    setRgb(cr, core);
    cairo_fill(cr);
}

void paintRidge(Canvas& cv, double baseY, double amplitude, double roughness, Rgb top, Rgb bottom, uint32_t seed,
                double x0, double x1, double fillTo, const Canvas* texture) {
    cairo_t* cr = cv.cr();
    cairo_new_path(cr);
    cairo_move_to(cr, x0, fillTo);
    // Ends inside the picture slope down to the fill line instead of stopping square.
    double taper = (x1 - x0) * 0.22;
    for (double x = x0; x <= x1 + 0.1; x += 4) {
        double n = fbm(x / (220.0 / roughness), 0.5, 5, seed);
        double y = baseY - amplitude * n;
        double w = 1;
        if (x0 > 0) w = std::min(w, (x - x0) / taper);
        if (x1 < 1024) w = std::min(w, (x1 - x) / taper);
        w = std::clamp(w, 0.0, 1.0);
        w = w * w * (3 - 2 * w);
        cairo_line_to(cr, x, fillTo + (y - fillTo) * w);
    }
    cairo_line_to(cr, x1, fillTo);
    cairo_close_path(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, baseY - amplitude, 0, std::max(fillTo, baseY + 1));
    addStop(g, 0, top);
    addStop(g, 1, bottom);
    cairo_set_source(cr, g);
    if (texture) {
        cairo_fill_preserve(cr);
        cairo_save(cr);
        cairo_clip(cr);
        cairo_set_source_surface(cr, texture->surface(), 0, 0);
        cairo_paint_with_alpha(cr, 0.55);
        cairo_restore(cr);
    } else {
        cairo_fill(cr);
    }
    cairo_pattern_destroy(g);
}

void paintPalm(cairo_t* cr, double x, double y, double h, double lean, Rgb trunk, Rgb leaf) {
    double tx = x + lean * h, ty = y - h;
    cairo_move_to(cr, x - h * 0.04, y);
    cairo_curve_to(cr, x, y - h * 0.5, tx - lean * h * 0.2, ty + h * 0.2, tx - h * 0.015, ty);
    cairo_line_to(cr, tx + h * 0.015, ty);
    cairo_curve_to(cr, tx - lean * h * 0.1, ty + h * 0.2, x + h * 0.04, y - h * 0.5, x + h * 0.04, y);
    cairo_close_path(cr);
    setRgb(cr, trunk);
    cairo_fill(cr);
    // Fronds: tapered blades along drooping curves.
    for (int i = 0; i < 8; ++i) {
        double a = -M_PI + i * M_PI / 7 + 0.08 * std::sin(i * 3.0);
        double len = h * (0.42 + 0.08 * (i % 2));
        Pt c1{tx + std::cos(a) * len * 0.55, ty + std::sin(a) * len * 0.45 - len * 0.18};
        Pt tip{tx + std::cos(a) * len, ty + std::sin(a) * len * 0.35 + len * 0.38};
        const int n = 14;
        std::vector<Pt> left, right;
        for (int k = 0; k <= n; ++k) {
            double t = double(k) / n;
            Pt p{(1 - t) * (1 - t) * tx + 2 * (1 - t) * t * c1.x + t * t * tip.x,
                 (1 - t) * (1 - t) * ty + 2 * (1 - t) * t * c1.y + t * t * tip.y};
            double dx = 2 * (1 - t) * (c1.x - tx) + 2 * t * (tip.x - c1.x);
            double dy = 2 * (1 - t) * (c1.y - ty) + 2 * t * (tip.y - c1.y);
            double l = std::hypot(dx, dy) + 1e-9;
            double w = h * 0.055 * std::sin(M_PI * std::min(1.0, t * 1.15));
            left.push_back({p.x - dy / l * w, p.y + dx / l * w});
            right.push_back({p.x + dy / l * w, p.y - dx / l * w});
        }
        cairo_move_to(cr, left[0].x, left[0].y);
        for (auto& p : left) cairo_line_to(cr, p.x, p.y);
        for (auto it = right.rbegin(); it != right.rend(); ++it) cairo_line_to(cr, it->x, it->y);
        cairo_close_path(cr);
        setRgb(cr, i % 2 ? leaf : darker(leaf, 0.25));
        cairo_fill(cr);
        // Midrib.
        cairo_move_to(cr, tx, ty);
        cairo_curve_to(cr, c1.x, c1.y, c1.x, c1.y, tip.x, tip.y);
        setRgb(cr, darker(leaf, 0.45));
        cairo_set_line_width(cr, std::max(1.0, h * 0.006));
        cairo_stroke(cr);
    }
    circle(cr, tx, ty + h * 0.02, h * 0.03);
    setRgb(cr, hex(0x5a3a14));
    cairo_fill(cr);
}

void paintShip(cairo_t* cr, double x, double y, double s, bool silhouette) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_scale(cr, s, s);
    Rgb hull = silhouette ? hex(0x10141c) : hex(0x6a3a1a);
    Rgb sail = silhouette ? hex(0x1a2030) : hex(0xf4ead0);
    // Masts and sails.
    for (int m = 0; m < 3; ++m) {
        double mx = -60 + m * 60, mh = m == 1 ? 190 : 160;
        cairo_rectangle(cr, mx - 3, -mh, 6, mh);
        setRgb(cr, silhouette ? hull : hex(0x4a2a10));
        cairo_fill(cr);
        for (int k = 0; k < 3; ++k) {
            double top = -mh + 14 + k * (mh - 30) / 3.0, hgt = (mh - 40) / 3.0;
            double w = 42 - k * 2 + (m == 1 ? 8 : 0);
            cairo_move_to(cr, mx - w, top);
            cairo_line_to(cr, mx + w, top);
            cairo_curve_to(cr, mx + w + 8, top + hgt * 0.5, mx + w + 6, top + hgt, mx + w, top + hgt);
            cairo_line_to(cr, mx - w, top + hgt);
            cairo_curve_to(cr, mx - w + 6, top + hgt * 0.6, mx - w + 6, top + hgt * 0.3, mx - w, top);
            cairo_close_path(cr);
            if (silhouette) setRgb(cr, sail);
            else {
                cairo_pattern_t* g = cairo_pattern_create_linear(mx - w, 0, mx + w, 0);
                addStop(g, 0, hex(0xd8ccb0));
                addStop(g, 0.6, hex(0xfffaf0));
                addStop(g, 1, hex(0xc8b898));
                cairo_set_source(cr, g);
                cairo_fill_preserve(cr);
                cairo_pattern_destroy(g);
                setRgb(cr, hex(0x5a4a30), 0.6);
                cairo_set_line_width(cr, 1.5);
                cairo_stroke(cr);
                continue;
            }
            cairo_fill(cr);
        }
    }
    // Flag.
    polyPath(cr, {{0, -190}, {34, -182}, {0, -172}});
    setRgb(cr, silhouette ? hull : hex(0x101010));
    cairo_fill(cr);
    if (!silhouette) {
        circle(cr, 12, -182, 3.5);
        setRgb(cr, {1, 1, 1});
        cairo_fill(cr);
    }
    // Hull.
    cairo_move_to(cr, -130, -20);
    cairo_line_to(cr, 130, -28);
    cairo_curve_to(cr, 120, 10, 100, 30, 70, 34);
    cairo_line_to(cr, -90, 34);
    cairo_curve_to(cr, -110, 20, -125, 0, -130, -20);
    cairo_close_path(cr);
    if (silhouette) setRgb(cr, hull);
    else {
        cairo_pattern_t* g = cairo_pattern_create_linear(0, -28, 0, 34);
        addStop(g, 0, hex(0x9a5a2a));
        addStop(g, 1, hex(0x3a1a08));
        cairo_set_source(cr, g);
    }
    cairo_fill(cr);
    if (!silhouette) {
        cairo_rectangle(cr, -120, -8, 245, 5);
        setRgb(cr, hex(0xe0b040));
        cairo_fill(cr);
        for (int k = 0; k < 6; ++k) {
            circle(cr, -80 + k * 32, 10, 4.5);
            setRgb(cr, hex(0x1a0a04));
            cairo_fill(cr);
        }
    }
    cairo_restore(cr);
}

void paintCoins(cairo_t* cr, double cx, double cy, double w, double h, uint32_t seed) {
    Rand rnd(seed);
    int n = int(w * h / 90);
    for (int i = 0; i < n; ++i) {
        double u = rnd.range(-1, 1);
        double v = rnd.next();
        double x = cx + u * w / 2;
        double top = cy - h * (1 - u * u);
        double y = top + v * (cy - top);
        double r = rnd.range(7, 11);
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_scale(cr, 1, rnd.range(0.45, 0.9));
        circle(cr, 0, 1.5, r);
        setRgb(cr, hex(0x6a3a00));
        cairo_fill(cr);
        circle(cr, 0, 0, r);
        fillRadial(cr, 0, 0, r, hex(0xfff4a0), hex(0xc88a10));
        cairo_new_path(cr);
        circle(cr, 0, 0, r * 0.65);
        setRgb(cr, hex(0x9a6a08), 0.6);
        cairo_set_line_width(cr, 1.2);
        cairo_stroke(cr);
        cairo_restore(cr);
    }
    for (int i = 0; i < 6; ++i) sparkle(cr, cx + rnd.range(-w / 3, w / 3), cy - rnd.range(0, h), rnd.range(8, 16));
}

void paintVignette(Canvas& cv, double strength) {
    cairo_pattern_t* v = cairo_pattern_create_radial(512, 512, 360, 512, 512, 760);
    addStop(v, 0, {0, 0, 0}, 0);
    addStop(v, 1, {0, 0, 0}, strength);
    cairo_set_source(cv.cr(), v);
    cairo_paint(cv.cr());
    cairo_pattern_destroy(v);
}

void paintParchment(Canvas& cv, double x, double y, double w, double h, double radius) {
    cairo_t* cr = cv.cr();
    softShadow(cv, [&](cairo_t* k) { roundRect(k, x, y, w, h, radius); }, 18, 4, 10, {0, 0, 0}, 0.6);
    roundRect(cr, x, y, w, h, radius);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y, 0, y + h);
    addStop(g, 0, hex(0x8a5224));
    addStop(g, 1, hex(0x4a2410));
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    double in = std::max(10.0, std::min(w, h) * 0.035);
    roundRect(cr, x + in, y + in, w - 2 * in, h - 2 * in, radius * 0.6);
    cairo_pattern_t* p = cairo_pattern_create_radial(x + w / 2, y + h / 2, 10, x + w / 2, y + h / 2, std::max(w, h) * 0.65);
    addStop(p, 0, hex(0xfbf0d0));
    addStop(p, 0.7, hex(0xecd8a8));
    addStop(p, 1, hex(0xc8a060));
    cairo_set_source(cr, p);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(p);
    setRgb(cr, hex(0xe8b848));
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    for (auto c : {Pt{x + in / 2, y + in / 2}, Pt{x + w - in / 2, y + in / 2}, Pt{x + in / 2, y + h - in / 2},
                   Pt{x + w - in / 2, y + h - in / 2}}) {
        circle(cr, c.x, c.y, in * 0.45);
        fillRadial(cr, c.x, c.y, in * 0.45, hex(0xfff4b0), hex(0x9a6408));
        cairo_new_path(cr);
    }
}

void paintTitle(cairo_t* cr, const std::string& text, double x, double y, double size) {
    cairo_save(cr);
    cairo_select_font_face(cr, "DejaVu Serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, size);
    cairo_text_extents_t te;
    cairo_text_extents(cr, text.c_str(), &te);
    double x0 = x - te.x_advance / 2;
    auto path = [&] {
        cairo_new_path(cr);
        cairo_move_to(cr, x0, y);
        cairo_text_path(cr, text.c_str());
    };
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    path();
    setRgb(cr, hex(0xffa020), 0.25);
    cairo_set_line_width(cr, size * 0.3);
    cairo_stroke(cr);
    path();
    setRgb(cr, hex(0x1a0800));
    cairo_set_line_width(cr, size * 0.14);
    cairo_stroke(cr);
    path();
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y + te.y_bearing, 0, y);
    addStop(g, 0, hex(0xfffbe0));
    addStop(g, 0.45, hex(0xffd050));
    addStop(g, 0.55, hex(0xe09a18));
    addStop(g, 1, hex(0xffe080));
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_restore(cr);
}

}  // namespace bm::art

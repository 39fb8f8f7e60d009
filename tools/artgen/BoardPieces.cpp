// Board pieces: tiles, holes, gold tiles and their animation frames, bubbles, removal
// effects, swap pieces, the hourglass, digits and the pointer.

#include "Painters.h"
#include "Shapes.h"
#include "render/AssetCatalogue.h"

#include <cmath>
#include <string>

namespace bm::art {

namespace {

const Rgb kInk = hex(0x1a0e08);

// Flat-topped hexagon filling the picture's width, in unit space.
Poly tileHex(double shrink = 0, double squeeze = 1) {
    Poly p = hexFlat(50, 50, 49 - shrink);
    for (auto& v : p) v.x = 50 + (v.x - 50) * squeeze;
    return p;
}

}  // namespace

void bevelTile(cairo_t* cr, Rgb top, Rgb bottom, Rgb rim, double squeeze, double shade) {
    Poly outer = tileHex(0.5, squeeze), inner = tileHex(7, squeeze);
    polyPath(cr, outer);
    fillVertical(cr, 6, 94, lighter(rim, 0.35), darker(rim, 0.35));
    edge(cr, darker(rim, 0.6), 1.2);
    // Bevel faces lit from above.
    for (int i = 0; i < 6; ++i) {
        Pt a = outer[i], b = outer[(i + 1) % 6], c = inner[(i + 1) % 6], d = inner[i];
        double my = (a.y + b.y) / 2 - 50;
        double mx = (a.x + b.x) / 2 - 50;
        double lit = -(my * 0.8 + mx * 0.4) / 45;
        polyPath(cr, {a, b, c, d});
        setRgb(cr, lit > 0 ? Rgb{1, 1, 1} : Rgb{0, 0, 0}, std::abs(lit) * 0.4);
        cairo_fill(cr);
    }
    polyPath(cr, inner);
    fillVertical(cr, 10, 90, top, bottom);
    cairo_new_path(cr);
    // Subtle surface grain.
    cairo_save(cr);
    polyPath(cr, inner);
    cairo_clip(cr);
    Rand rnd(5);
    for (int i = 0; i < 26; ++i) {
        double x = rnd.range(5, 95), y = rnd.range(10, 90), r = rnd.range(2, 7);
        circle(cr, x, y, r);
        setRgb(cr, {1, 1, 1}, 0.05);
        cairo_fill(cr);
    }
    gloss(cr, 44, 22, 34, 14, 0.35);
    if (shade > 0) {
        setRgb(cr, {0, 0, 0}, shade);
        cairo_paint(cr);
    }
    cairo_restore(cr);
    polyPath(cr, inner);
    edge(cr, darker(rim, 0.45), 0.8);
}

namespace {

void tileFront(const std::string& p) {
    Canvas cv(512, 512);
    unitSpace(cv);
    bevelTile(cv.cr(), hex(0x6a8ea0), hex(0x2a4a5e), hex(0x3a5468));
    cv.save(p);
}

void tileHole(const std::string& p) {
    Canvas cv(512, 512);
    unitSpace(cv);
    cairo_t* cr = cv.cr();
    Poly outer = tileHex(2);
    polyPath(cr, outer);
    cairo_pattern_t* g = cairo_pattern_create_radial(50, 40, 5, 50, 50, 55);
    addStop(g, 0, hex(0x0a2a48), 0.55);
    addStop(g, 1, hex(0x020a18), 0.85);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    setRgb(cr, hex(0x6aa0c0), 0.35);
    cairo_set_line_width(cr, 1.5);
    cairo_stroke(cr);
    // Inner shadow along the top edges: it reads as a recess.
    cairo_save(cr);
    polyPath(cr, outer);
    cairo_clip(cr);
    cairo_pattern_t* s = cairo_pattern_create_linear(0, 7, 0, 30);
    addStop(s, 0, {0, 0, 0}, 0.55);
    addStop(s, 1, {0, 0, 0}, 0);
    cairo_set_source(cr, s);
    cairo_paint(cr);
    cairo_pattern_destroy(s);
    cairo_restore(cr);
    cv.save(p);
}

void goldTile(const std::string& p, int variant, double squeeze = 1, double shade = 0, double sweep = -1) {
    Canvas cv(512, 512);
    unitSpace(cv);
    Rgb top = variant == 0 ? hex(0xffe27a) : variant == 1 ? hex(0xfff6c0) : hex(0xfff070);
    Rgb bottom = variant == 0 ? hex(0xc08a18) : variant == 1 ? hex(0xe0a830) : hex(0xe0b000);
    bevelTile(cv.cr(), top, bottom, hex(0xb07a10), squeeze, shade);
    cairo_t* cr = cv.cr();
    // Embossed doubloon mark.
    cairo_save(cr);
    cairo_translate(cr, 50, 50);
    cairo_scale(cr, squeeze, 1);
    circle(cr, 0, 0, 16);
    setRgb(cr, hex(0x8a5a08), 0.35);
    cairo_set_line_width(cr, 2);
    cairo_stroke(cr);
    polyPath(cr, star(0, 0, 10, 4.5, 5, -M_PI / 2));
    setRgb(cr, hex(0x8a5a08), 0.3);
    cairo_fill(cr);
    cairo_restore(cr);
    if (variant == 1) sparkle(cr, 30, 28, 10);
    if (sweep >= 0) {
        // A band of light crossing the tile as it turns to gold.
        cairo_save(cr);
        polyPath(cr, tileHex(0.5, squeeze));
        cairo_clip(cr);
        double x = -30 + sweep * 160;
        cairo_pattern_t* g = cairo_pattern_create_linear(x - 18, 0, x + 18, 36);
        addStop(g, 0, {1, 1, 1}, 0);
        addStop(g, 0.5, {1, 1, 0.9}, 0.85);
        addStop(g, 1, {1, 1, 1}, 0);
        cairo_set_source(cr, g);
        cairo_paint(cr);
        cairo_pattern_destroy(g);
        cairo_restore(cr);
        sparkle(cr, 20 + sweep * 60, 70 - sweep * 45, 6 + 6 * std::sin(sweep * M_PI), std::sin(sweep * M_PI));
    }
    cv.save(p);
}

void border(const std::string& p) {
    Canvas cv(512, 512);
    unitSpace(cv);
    cairo_t* cr = cv.cr();
    Poly h = tileHex(2.5);
    polyPath(cr, h);
    setRgb(cr, kInk, 0.8);
    cairo_set_line_width(cr, 6);
    cairo_stroke(cr);
    polyPath(cr, h);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 100, 100);
    addStop(g, 0, hex(0xfff0a0));
    addStop(g, 0.5, hex(0xd09a28));
    addStop(g, 1, hex(0x7a4a08));
    cairo_set_source(cr, g);
    cairo_set_line_width(cr, 3.5);
    cairo_stroke(cr);
    cairo_pattern_destroy(g);
    for (auto v : h) {
        circle(cr, v.x, v.y, 3);
        fillRadial(cr, v.x, v.y, 3, hex(0xffffff), hex(0xa07010));
        edge(cr, kInk, 0.8);
    }
    cv.save(p);
}

void bubble(const std::string& p) {
    Canvas cv(512, 512);
    unitSpace(cv);
    cairo_t* cr = cv.cr();
    cairo_pattern_t* g = cairo_pattern_create_radial(50, 50, 30, 50, 50, 48);
    addStop(g, 0, hex(0xa0e8ff), 0.0);
    addStop(g, 0.75, hex(0xa0e8ff), 0.18);
    addStop(g, 0.93, hex(0xe0f8ff), 0.75);
    addStop(g, 1, hex(0x4090c0), 0.0);
    cairo_set_source(cr, g);
    circle(cr, 50, 50, 48);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    // Rainbow film and window reflections.
    cairo_set_line_width(cr, 2);
    const uint32_t film[3] = {0xff80c0, 0x80ffb0, 0x80b0ff};
    for (int i = 0; i < 3; ++i) {
        cairo_arc(cr, 50, 50, 44 - i * 1.6, M_PI * (0.1 + i * 0.55), M_PI * (0.55 + i * 0.55));
        setRgb(cr, hex(film[i]), 0.45);
        cairo_stroke(cr);
    }
    gloss(cr, 38, 24, 16, 8, 0.85);
    sparkle(cr, 72, 72, 5, 0.8);
    cv.save(p);
}

void burst(const std::string& p) {  // an item vanishing
    Canvas cv(512, 512);
    unitSpace(cv);
    cairo_t* cr = cv.cr();
    cairo_pattern_t* g = cairo_pattern_create_radial(50, 50, 0, 50, 50, 48);
    addStop(g, 0, hex(0xffffff), 0.9);
    addStop(g, 0.3, hex(0xfff0a0), 0.5);
    addStop(g, 1, hex(0xffb020), 0);
    cairo_set_source(cr, g);
    circle(cr, 50, 50, 48);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    Rand rnd(3);
    for (int i = 0; i < 14; ++i) {
        double a = i * 2 * M_PI / 14 + rnd.range(-0.1, 0.1), r = rnd.range(28, 42);
        sparkle(cr, 50 + std::cos(a) * r, 50 + std::sin(a) * r, rnd.range(4, 8));
    }
    polyPath(cr, star(50, 50, 30, 8, 8, 0.2));
    setRgb(cr, {1, 1, 1}, 0.8);
    cairo_fill(cr);
    cv.save(p);
}

void flash(const std::string& p) {
    Canvas cv(512, 512);
    unitSpace(cv);
    cairo_t* cr = cv.cr();
    for (int k = 0; k < 2; ++k) {
        polyPath(cr, star(50, 50, k ? 34 : 48, k ? 6 : 4, k ? 4 : 8, k ? M_PI / 4 : 0));
        cairo_pattern_t* g = cairo_pattern_create_radial(50, 50, 0, 50, 50, 48);
        addStop(g, 0, hex(0xffffff), 1);
        addStop(g, 1, hex(0x80e0ff), 0);
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
    }
    sparkle(cr, 50, 50, 16);
    cv.save(p);
}

void selectRing(const std::string& p) {
    Canvas cv(512, 512);
    unitSpace(cv);
    cairo_t* cr = cv.cr();
    for (int pass = 0; pass < 2; ++pass) {
        double dash[] = {10, 5.7};
        cairo_set_dash(cr, dash, 2, 0);
        circle(cr, 50, 50, 44);
        setRgb(cr, pass ? hex(0xffe070) : kInk, pass ? 1 : 0.7);
        cairo_set_line_width(cr, pass ? 3.5 : 6.5);
        cairo_stroke(cr);
    }
    cairo_set_dash(cr, nullptr, 0, 0);
    for (int i = 0; i < 6; ++i) {
        double a = i * M_PI / 3;
        Pt c{50 + std::cos(a) * 44, 50 + std::sin(a) * 44};
        polyPath(cr, regular(c.x, c.y, 5, 4, a));
        fillRadial(cr, c.x, c.y, 5, hex(0xffffff), hex(0xd08a10));
        edge(cr, kInk, 1);
    }
    cv.save(p);
}

void hintArrow(const std::string& p) {
    Canvas cv(512, 512);
    unitSpace(cv);
    cairo_t* cr = cv.cr();
    Poly a = {{50, 8}, {86, 46}, {64, 46}, {64, 92}, {36, 92}, {36, 46}, {14, 46}};
    unitShadow(cv, [&](cairo_t* k) { polyPath(k, a); });
    polyPath(cr, a);
    fillVertical(cr, 8, 92, hex(0xfff6b0), hex(0xe08a10));
    edge(cr, kInk, 2.4);
    gloss(cr, 50, 30, 20, 10, 0.6);
    cv.save(p);
}

void fireball(const std::string& p) {
    Canvas cv(512, 512);
    unitSpace(cv);
    cairo_t* cr = cv.cr();
    Rand rnd(11);
    for (int layer = 0; layer < 3; ++layer) {
        Rgb c = layer == 0 ? hex(0xd02000) : layer == 1 ? hex(0xff8a10) : hex(0xfff080);
        double r = 46 - layer * 12;
        cairo_new_path(cr);
        int n = 14;
        for (int i = 0; i <= n; ++i) {
            double a = i * 2 * M_PI / n;
            double rr = r * (i % 2 ? 0.72 : 1.0) * rnd.range(0.9, 1.05);
            double x = 50 + std::cos(a) * rr, y = 52 + std::sin(a) * rr * 0.95;
            if (i == 0) cairo_move_to(cr, x, y);
            else cairo_line_to(cr, x, y);
        }
        cairo_close_path(cr);
        cairo_pattern_t* g = cairo_pattern_create_radial(50, 52, 0, 50, 52, r);
        addStop(g, 0, lighter(c, 0.4), 0.95);
        addStop(g, 1, c, 0.85);
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
    }
    sparkle(cr, 50, 50, 12);
    cv.save(p);
}

void hourglass(const std::string& p, int part) {
    // part 0: upper bulb, 1: lower bulb, 2: lower bulb glowing when time runs short.
    Canvas cv(512, 512);
    unitSpace(cv);
    cairo_t* cr = cv.cr();
    bool upper = part == 0;
    double capY = upper ? 6 : 82;
    // Glass bulb.
    cairo_new_path(cr);
    if (upper) {
        cairo_move_to(cr, 20, 16);
        cairo_curve_to(cr, 18, 60, 44, 78, 46, 98);
        cairo_line_to(cr, 54, 98);
        cairo_curve_to(cr, 56, 78, 82, 60, 80, 16);
    } else {
        cairo_move_to(cr, 46, 2);
        cairo_curve_to(cr, 44, 22, 18, 40, 20, 84);
        cairo_line_to(cr, 80, 84);
        cairo_curve_to(cr, 82, 40, 56, 22, 54, 2);
    }
    cairo_close_path(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(20, 0, 80, 0);
    Rgb tint = part == 2 ? hex(0xff9080) : hex(0xd0f0ff);
    addStop(g, 0, tint, 0.55);
    addStop(g, 0.3, {1, 1, 1}, 0.25);
    addStop(g, 0.7, tint, 0.12);
    addStop(g, 1, tint, 0.5);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    setRgb(cr, part == 2 ? hex(0xff4030) : hex(0xe8f8ff), 0.9);
    cairo_set_line_width(cr, 1.8);
    cairo_stroke(cr);
    gloss(cr, 32, upper ? 40 : 56, 5, 22, 0.6);
    // Wooden cap with brass studs.
    roundRect(cr, 10, capY, 80, 12, 3);
    fillVertical(cr, capY, capY + 12, hex(0xb07038), hex(0x4a2410));
    edge(cr, kInk, 1.6);
    for (double x : {16.0, 84.0}) {
        circle(cr, x, capY + 6, 2.6);
        fillRadial(cr, x, capY + 6, 2.6, hex(0xfff0a0), hex(0xa07010));
        cairo_new_path(cr);
    }
    cv.save(p);
}

void digits(const std::string& p) {
    Canvas cv(256, 256);
    cairo_t* cr = cv.cr();
    for (size_t i = 0; i < kNumChars.size(); ++i) {
        double x = (i % 4) * kNumCell + kNumCell / 2.0, y = (i / 4) * kNumCell + 50;
        std::string s(1, kNumChars[i]);
        outlinedText(cr, s, x, y, 50, hex(0xfff8d0), hex(0xf0b030), hex(0x3a1800), 3);
    }
    cv.save(p);
}

void swapPiece(const std::string& p, int kind) {
    Canvas cv(256, 256);
    unitSpace(cv);
    cairo_t* cr = cv.cr();
    if (kind == 0) {  // the swap marker: two arrows chasing each other
        for (int s = 0; s < 2; ++s) {
            double a0 = s * M_PI + 0.3, a1 = a0 + M_PI - 0.7;
            cairo_arc(cr, 50, 50, 34, a0, a1);
            setRgb(cr, kInk, 0.8);
            cairo_set_line_width(cr, 10);
            cairo_stroke(cr);
            cairo_arc(cr, 50, 50, 34, a0, a1);
            setRgb(cr, hex(0xffe070));
            cairo_set_line_width(cr, 6);
            cairo_stroke(cr);
            double ex = 50 + 34 * std::cos(a1), ey = 50 + 34 * std::sin(a1);
            double tx = -std::sin(a1), ty = std::cos(a1), nx = std::cos(a1), ny = std::sin(a1);
            polyPath(cr, {{ex + nx * 10, ey + ny * 10}, {ex + tx * 12, ey + ty * 12}, {ex - nx * 10, ey - ny * 10}});
            setRgb(cr, hex(0xffe070));
            cairo_fill_preserve(cr);
            edge(cr, kInk, 2);
        }
        cv.save(p);
        return;
    }
    // Halves of an oyster shell: outer faces ridged, inner faces pearly.
    bool upper = kind == 1 || kind == 3;
    bool face = kind >= 3;
    cairo_save(cr);
    if (!upper) {
        cairo_translate(cr, 0, 100);
        cairo_scale(cr, 1, -1);
    }
    cairo_move_to(cr, 8, 80);
    cairo_curve_to(cr, 8, 20, 92, 20, 92, 80);
    cairo_curve_to(cr, 70, 90, 30, 90, 8, 80);
    cairo_close_path(cr);
    if (face) fillRadial(cr, 50, 60, 50, hex(0xfff8ff), hex(0xc0b0d8));
    else fillVertical(cr, 20, 90, hex(0xe8c8a0), hex(0x8a5a40));
    edge(cr, kInk, 2);
    if (!face) {
        for (int i = -3; i <= 3; ++i) {
            cairo_move_to(cr, 50, 84);
            cairo_line_to(cr, 50 + i * 13, 34 + std::abs(i) * 6);
        }
        setRgb(cr, hex(0x5a3020), 0.5);
        cairo_set_line_width(cr, 1.6);
        cairo_stroke(cr);
    } else {
        gloss(cr, 50, 50, 28, 12, 0.6);
    }
    cairo_restore(cr);
    cv.save(p);
}

void plain(const std::string& p, Rgb c, int size, bool grain) {
    Canvas cv(size, size);
    setRgb(cv.cr(), c);
    cairo_paint(cv.cr());
    if (grain)
        shadePixels(cv, [](int x, int y, double& r, double& g, double& b, double&) {
            double n = fbm(x * 0.7, y * 0.7, 2, 4) - 0.5;
            r += n * 0.15, g += n * 0.15, b += n * 0.12;
        });
    cv.save(p);
}

void cursor(const std::string& p) {
    // 256 pixels span 96 design pixels; the hot spot (30, 10) sits at (80, 26.7).
    Canvas cv(256, 256);
    cairo_t* cr = cv.cr();
    double k = 256.0 / 96.0;
    cairo_scale(cr, k, k);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    Poly a = {{30, 10}, {30, 56}, {40, 47}, {47, 63}, {54, 60}, {47, 44}, {60, 43}};
    softShadow(
        cv, [&](cairo_t* c2) { cairo_scale(c2, k, k); polyPath(c2, a); }, 6, 5, 8, {0, 0, 0}, 0.5);
    polyPath(cr, a);
    cairo_pattern_t* g = cairo_pattern_create_linear(30, 10, 55, 60);
    addStop(g, 0, hex(0xfff8c0));
    addStop(g, 0.5, hex(0xf0b030));
    addStop(g, 1, hex(0x9a5a08));
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    setRgb(cr, kInk);
    cairo_set_line_width(cr, 2.2);
    cairo_stroke(cr);
    polyPath(cr, {{32.5, 16}, {32.5, 40}, {44, 41}});
    setRgb(cr, {1, 1, 1}, 0.55);
    cairo_fill(cr);
    cv.save(p);
}

}  // namespace

void paintTile(Canvas& cv, bool gold) {
    unitSpace(cv);
    if (gold) bevelTile(cv.cr(), hex(0xffe27a), hex(0xc08a18), hex(0xb07a10));
    else bevelTile(cv.cr(), hex(0x6a8ea0), hex(0x2a4a5e), hex(0x3a5468));
}

void addBoardPieces(PainterMap& m) {
    m["256/parus-front.png"] = tileFront;
    m["256/parus-back5.png"] = tileHole;
    m["256/backcells/gold-normal.png"] = [](const std::string& p) { goldTile(p, 0); };
    m["256/backcells/gold-bright.png"] = [](const std::string& p) { goldTile(p, 1); };
    m["256/backcells/gold-yellow.png"] = [](const std::string& p) { goldTile(p, 2); };
    for (int i = 0; i < 8; ++i)
        m["256/anime/pf" + std::to_string(i) + ".png"] = [i](const std::string& p) { goldTile(p, 0, 1, 0, i / 7.0); };
    for (int i = 1; i <= 18; ++i)
        m["256/anime/pb" + std::to_string(i) + ".png"] = [i](const std::string& p) {
            double a = (i - 1) * (M_PI / 2) / 17;
            goldTile(p, 0, std::max(0.04, std::cos(a)), 0.5 * std::sin(a));
        };
    m["256/anime/border.png"] = border;
    m["256/circ.png"] = bubble;
    m["256/disap.png"] = burst;
    m["256/eff.png"] = flash;
    m["256/emp.png"] = selectRing;
    m["256/arrow.png"] = hintArrow;
    m["256/fire.png"] = fireball;
    m["256/drop-top.png"] = [](const std::string& p) { hourglass(p, 0); };
    m["256/drop-bottom.png"] = [](const std::string& p) { hourglass(p, 1); };
    m["256/drop-bottom1.png"] = [](const std::string& p) { hourglass(p, 2); };
    m["256/num.png"] = digits;
    m["256/sw4.png"] = [](const std::string& p) { swapPiece(p, 0); };
    m["256/swupper.png"] = [](const std::string& p) { swapPiece(p, 1); };
    m["256/swlower.png"] = [](const std::string& p) { swapPiece(p, 2); };
    m["256/swupperface.png"] = [](const std::string& p) { swapPiece(p, 3); };
    m["256/swlowerface.png"] = [](const std::string& p) { swapPiece(p, 4); };
    m["256/sand.png"] = [](const std::string& p) { plain(p, hex(0xe8c070), 16, true); };
    m["256/4x4.png"] = [](const std::string& p) { plain(p, hex(0xffffff), 4, false); };
    m["256/cursor.png"] = cursor;
}

}  // namespace bm::art

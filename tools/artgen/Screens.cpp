// Full-screen pictures: stage backgrounds, the play-screen frame, menus, the shop,
// the logo and loading screens, tip frames and the how-to-play pictures.

#include "Painters.h"
#include "Scenery.h"
#include "Shapes.h"
#include "render/AssetCatalogue.h"

#include <cmath>
#include <string>

namespace bm::art {

namespace {

constexpr int P = 1024;
const Rgb kInk = hex(0x1a0e08);

// Screen (1280 x 1024) to picture (1024 x 1024) x.
double px(double screenX) { return screenX * P / 1280.0; }

// ---------------------------------------------------------------- stage backgrounds

void rockWall(Canvas& cv, Rgb light, Rgb dark, uint32_t seed) {
    shadePixels(cv, [&](int x, int y, double& r, double& g, double& b, double& a) {
        // Ridged noise, lit from the upper left, reads as broken rock.
        double n = 1 - std::abs(fbm(x / 150.0, y / 110.0, 5, seed) - 0.5) * 2;
        double m = 1 - std::abs(fbm((x - 4) / 150.0, (y - 4) / 110.0, 5, seed) - 0.5) * 2;
        double lit = std::clamp((n - m) * 9 + 0.5, 0.0, 1.0);
        Rgb c = mix(dark, light, std::clamp(n * n * 0.8 + lit * 0.45 - 0.15, 0.0, 1.0));
        r = c.r, g = c.g, b = c.b, a = 1;
    });
}

void lagoon(Canvas& cv) {
    paintSky(cv, {hex(0x3a8ae0), hex(0xbfe8ff), 0.35, hex(0xffffff), false}, 430, 1);
    paintSunOrMoon(cv, 820, 150, 46, hex(0xfffbe8), hex(0xfff0b0));
    paintSea(cv, 430, hex(0x2a9ad0), hex(0x40d8d0), 2);
    cairo_t* cr = cv.cr();
    paintRidge(cv, 440, 90, 1.2, hex(0x3a8a4a), hex(0x2a6a3a), 3, 560, 1024, 442);
    paintRidge(cv, 860, 60, 0.8, hex(0xf6e0a8), hex(0xd8b878), 4);
    paintPalm(cr, 80, 900, 420, 0.25, hex(0x6a4424), hex(0x2e8a3a));
    paintPalm(cr, 960, 930, 380, -0.3, hex(0x5a3a1a), hex(0x3a9a40));
    paintShip(cr, 700, 450, 0.35, false);
}

void cliffs(Canvas& cv) {
    paintSky(cv, {hex(0x586878), hex(0xb8c4cc), 0.8, hex(0xe0e4e8), false}, 520, 11);
    paintSea(cv, 520, hex(0x40606c), hex(0x2a4a58), 12);
    cairo_t* cr = cv.cr();
    Canvas rock(P, P);
    rockWall(rock, hex(0xb8c0b0), hex(0x2a3028), 17);
    paintRidge(cv, 360, 260, 1.6, hex(0x8a9488), hex(0x4a5448), 13, 0, 420, 1024, &rock);
    paintRidge(cv, 420, 200, 1.4, hex(0x7a8678), hex(0x3a4438), 14, 640, 1024, 1024, &rock);
    // Wind streaks.
    Rand rnd(15);
    for (int i = 0; i < 30; ++i) {
        double x = rnd.range(0, 1024), y = rnd.range(60, 700), l = rnd.range(60, 180);
        cairo_move_to(cr, x, y);
        cairo_curve_to(cr, x + l / 3, y - 6, x + 2 * l / 3, y + 6, x + l, y);
        setRgb(cr, {1, 1, 1}, 0.25);
        cairo_set_line_width(cr, 2);
        cairo_stroke(cr);
    }
    paintRidge(cv, 940, 60, 2, hex(0x5a6858), hex(0x2a3428), 16);
}

void jungle(Canvas& cv) {
    paintSky(cv, {hex(0x8ad0a0), hex(0xe8f8d0), 0.2, hex(0xffffff), false}, 700, 21);
    cairo_t* cr = cv.cr();
    for (int layer = 0; layer < 4; ++layer) {
        Rgb c = mix(hex(0x6ab07a), hex(0x103a18), layer / 3.0);
        paintRidge(cv, 420 + layer * 160, 260, 3 + layer, c, darker(c, 0.3), 22 + layer);
        Rand rnd(30 + layer);
        for (int i = 0; i < 4; ++i)
            paintPalm(cr, rnd.range(0, 1024), 560 + layer * 160, rnd.range(220, 360), rnd.range(-0.3, 0.3),
                      darker(c, 0.4), c);
    }
    // Light shafts through the canopy.
    for (int i = 0; i < 5; ++i) {
        double x = 150 + i * 190;
        polyPath(cr, {{x, 0}, {x + 60, 0}, {x + 240, 1024}, {x + 120, 1024}});
        cairo_pattern_t* g = cairo_pattern_create_linear(0, 0, 0, 1024);
        addStop(g, 0, hex(0xfff8c0), 0.25);
        addStop(g, 1, hex(0xfff8c0), 0);
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
    }
    // Hanging vines.
    Rand rnd(40);
    for (int i = 0; i < 12; ++i) {
        double x = rnd.range(0, 1024), l = rnd.range(150, 450);
        cairo_move_to(cr, x, 0);
        cairo_curve_to(cr, x + 30, l / 3, x - 30, 2 * l / 3, x + 10, l);
        setRgb(cr, hex(0x1a4a20));
        cairo_set_line_width(cr, 5);
        cairo_stroke(cr);
    }
}

void caveEntrance(Canvas& cv) {
    paintSky(cv, {hex(0x3a2a5a), hex(0xf0904a), 0.3, hex(0xffb080), false}, 640, 51);
    paintSunOrMoon(cv, 512, 600, 70, hex(0xffe0a0), hex(0xff8030));
    paintSea(cv, 640, hex(0x6a4a6a), hex(0x2a1a3a), 52);
    cairo_t* cr = cv.cr();
    // The arch: rock everywhere except an opening on the sea.
    Canvas rock(P, P);
    rockWall(rock, hex(0x8a6a4a), hex(0x2a1a10), 53);
    cairo_t* rc = rock.cr();
    cairo_set_operator(rc, CAIRO_OPERATOR_CLEAR);
    cairo_move_to(rc, 170, 1024);
    cairo_curve_to(rc, 150, 500, 300, 140, 512, 130);
    cairo_curve_to(rc, 724, 140, 874, 500, 854, 1024);
    cairo_close_path(rc);
    cairo_fill(rc);
    softShadow(cv, [](cairo_t* k) { cairo_rectangle(k, 0, 0, 1, 1); }, 1, 0, 0, {0, 0, 0}, 0);
    cairo_set_source_surface(cr, rock.surface(), 0, 0);
    cairo_paint(cr);
    // Warm light on the rim.
    cairo_move_to(cr, 170, 1024);
    cairo_curve_to(cr, 150, 500, 300, 140, 512, 130);
    cairo_curve_to(cr, 724, 140, 874, 500, 854, 1024);
    setRgb(cr, hex(0xffa050), 0.35);
    cairo_set_line_width(cr, 10);
    cairo_stroke(cr);
    // Stalactites at the top of the opening.
    Rand rnd(54);
    for (int i = 0; i < 9; ++i) {
        double x = 300 + i * 50 + rnd.range(-10, 10), l = rnd.range(40, 110);
        double y = 140 + std::pow((x - 512) / 260, 2) * 120;
        polyPath(cr, {{x - 14, y - 10}, {x + 14, y - 10}, {x, y + l}});
        setRgb(cr, hex(0x3a2414));
        cairo_fill(cr);
    }
}

void nightMeadow(Canvas& cv) {
    paintSky(cv, {hex(0x060a20), hex(0x2a3a6a), 0.15, hex(0x40508a), true}, 640, 61);
    paintSunOrMoon(cv, 780, 180, 60, hex(0xf4f4e0), hex(0x8090c0));
    cairo_t* cr = cv.cr();
    circle(cr, 800, 165, 56);
    setRgb(cr, hex(0x0a1028), 0.0);
    cairo_fill(cr);
    paintRidge(cv, 640, 120, 1.3, hex(0x1a2a4a), hex(0x101a30), 62);
    paintRidge(cv, 780, 90, 2.0, hex(0x1a3a3a), hex(0x0a1a1a), 63);
    // Grass blades.
    Rand rnd(64);
    for (int i = 0; i < 600; ++i) {
        double x = rnd.range(0, 1024), y = rnd.range(800, 1024), h = rnd.range(20, 70);
        cairo_move_to(cr, x, y);
        cairo_curve_to(cr, x + 3, y - h / 2, x + rnd.range(-12, 12), y - h * 0.8, x + rnd.range(-16, 16), y - h);
        setRgb(cr, mix(hex(0x0a2a20), hex(0x2a5a40), rnd.next()));
        cairo_set_line_width(cr, 2.5);
        cairo_stroke(cr);
    }
    for (int i = 0; i < 60; ++i) {
        double x = rnd.range(0, 1024), y = rnd.range(600, 1000);
        cairo_pattern_t* g = cairo_pattern_create_radial(x, y, 0, x, y, 12);
        addStop(g, 0, hex(0xf0ff90), 0.9);
        addStop(g, 1, hex(0xf0ff90), 0);
        cairo_set_source(cr, g);
        circle(cr, x, y, 12);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
    }
}

void crystalCave(Canvas& cv) {
    rockWall(cv, hex(0x5a5a70), hex(0x0a0a14), 71);
    cairo_t* cr = cv.cr();
    // Glowing crystals.
    Rand rnd(72);
    for (int i = 0; i < 16; ++i) {
        double x = rnd.range(0, 1024), y = rnd.next() < 0.5 ? rnd.range(780, 1024) : rnd.range(0, 200);
        bool up = y > 500;
        Rgb c = i % 3 == 0 ? hex(0x60e0ff) : i % 3 == 1 ? hex(0xc070ff) : hex(0x60ffb0);
        cairo_pattern_t* g = cairo_pattern_create_radial(x, y, 0, x, y, 120);
        addStop(g, 0, c, 0.35);
        addStop(g, 1, c, 0);
        cairo_set_source(cr, g);
        circle(cr, x, y, 120);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
        for (int k = 0; k < 3; ++k) {
            double h = rnd.range(50, 120) * (up ? -1 : 1), w = rnd.range(12, 22), dx = rnd.range(-20, 20);
            polyPath(cr, {{x + dx - w, y}, {x + dx - w * 0.6, y + h * 0.8}, {x + dx, y + h}, {x + dx + w * 0.6, y + h * 0.8},
                          {x + dx + w, y}});
            cairo_pattern_t* cg = cairo_pattern_create_linear(x + dx - w, 0, x + dx + w, 0);
            addStop(cg, 0, lighter(c, 0.6), 0.9);
            addStop(cg, 1, darker(c, 0.3), 0.9);
            cairo_set_source(cr, cg);
            cairo_fill(cr);
            cairo_pattern_destroy(cg);
        }
    }
    // Still pool reflecting the glow.
    cairo_save(cr);
    cairo_translate(cr, 512, 900);
    cairo_scale(cr, 1, 0.18);
    circle(cr, 0, 0, 420);
    cairo_restore(cr);
    cairo_pattern_t* w = cairo_pattern_create_linear(0, 820, 0, 980);
    addStop(w, 0, hex(0x2a6a8a), 0.8);
    addStop(w, 1, hex(0x0a1a2a), 0.8);
    cairo_set_source(cr, w);
    cairo_fill(cr);
    cairo_pattern_destroy(w);
}

void goldHoard(Canvas& cv) {
    rockWall(cv, hex(0x7a5a30), hex(0x140a04), 81);
    cairo_t* cr = cv.cr();
    cairo_pattern_t* g = cairo_pattern_create_radial(512, 820, 50, 512, 700, 700);
    addStop(g, 0, hex(0xffc040), 0.7);
    addStop(g, 1, hex(0xffa020), 0);
    cairo_set_source(cr, g);
    cairo_paint(cr);
    cairo_pattern_destroy(g);
    paintCoins(cr, 512, 1000, 1100, 260, 82);
    paintCoins(cr, 150, 1010, 380, 160, 83);
    paintCoins(cr, 880, 1010, 380, 180, 84);
}

void finale(Canvas& cv) {
    paintSky(cv, {hex(0x2a1a4a), hex(0xffa860), 0.4, hex(0xff9070), false}, 560, 91);
    paintSunOrMoon(cv, 340, 540, 80, hex(0xfff0c0), hex(0xff9040));
    paintSea(cv, 560, hex(0xc07050), hex(0x2a1a3a), 92);
    paintShip(cv.cr(), 720, 600, 0.8, true);
    paintRidge(cv, 590, 80, 1, hex(0x3a2040), hex(0x1a1020), 93, 0, 300, 600);
}

void background(const std::string& path, void (*scene)(Canvas&)) {
    Canvas cv(P, P);
    scene(cv);
    paintVignette(cv, 0.45);
    cv.save(path, 86);
}

// ---------------------------------------------------------------- play-screen frame

void playFrame(const std::string& path) {
    Canvas cv(P, P);
    cairo_t* cr = cv.cr();
    // Top plaques behind the panel texts (left: time and score, right: lives and moves).
    for (double sx0 : {28.0, 938.0}) {
        double x = px(sx0), w = px(sx0 + 310) - x;
        softShadow(cv, [&](cairo_t* k) { roundRect(k, x, -20, w, 108, 16); }, 12, 0, 6, {0, 0, 0}, 0.6);
        roundRect(cr, x, -20, w, 108, 16);
        fillVertical(cr, -20, 88, hex(0x8a5224), hex(0x3a1a08));
        edge(cr, hex(0xe8b848), 3);
        roundRect(cr, x + 8, -12, w - 16, 92, 11);
        setRgb(cr, hex(0x0a1a2a), 0.55);
        cairo_fill(cr);
    }
    // Right column of seven sockets for the bonus buttons.
    double cx = px(1165 + 45);
    double colX = px(1145);
    softShadow(cv, [&](cairo_t* k) { roundRect(k, colX, 92, P - colX + 30, 800, 24); }, 14, -4, 6, {0, 0, 0}, 0.6);
    roundRect(cr, colX, 92, P - colX + 30, 800, 24);
    fillVertical(cr, 92, 892, hex(0x7a4620), hex(0x3a1a08));
    edge(cr, hex(0xe8b848), 3);
    for (int k = 1; k <= 7; ++k) {
        double cy = 114 + 111 * (k - 1) + 45;
        circle(cr, cx, cy, 44);
        cairo_pattern_t* g = cairo_pattern_create_radial(cx, cy - 10, 10, cx, cy, 46);
        addStop(g, 0, hex(0x05101a), 0.9);
        addStop(g, 1, hex(0x1a3040), 0.9);
        cairo_set_source(cr, g);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(g);
        edge(cr, hex(0xb07a20), 2.5);
    }
    // Socket for the menu wheel in the bottom-right corner, whole on the screen
    // (the game draws the wheel centred on it: render/PlayScreen.cpp).
    double mx = px(1147.5 + 64), my = 894 + 64;
    circle(cr, mx, my, 44);
    setRgb(cr, hex(0x05101a), 0.8);
    cairo_fill_preserve(cr);
    edge(cr, hex(0xb07a20), 3);
    cv.save(path);
}

// ---------------------------------------------------------------- menus

// Main menu props sit in the hit rectangles of the menu items (percent of the screen).
void mainMenu(Canvas& cv, bool lit) {
    paintSky(cv, {hex(0x2a6ac8), hex(0xffd8a0), 0.45, hex(0xfff4e8), false}, 560, 101);
    paintSunOrMoon(cv, 520, 470, 60, hex(0xfff8e0), hex(0xffc070));
    paintSea(cv, 560, hex(0x3a8ab8), hex(0x1a5a80), 102);
    cairo_t* cr = cv.cr();
    paintRidge(cv, 570, 110, 1.0, hex(0x3a7a4a), hex(0x1a4a2a), 103, 560, 1024, 572);
    paintRidge(cv, 880, 70, 0.7, hex(0xf0d8a0), hex(0xb89860), 104);
    auto glow = [&](double x, double y, double w, double h) {
        if (!lit) return;
        cairo_pattern_t* g = cairo_pattern_create_radial(x, y, 10, x, y, std::max(w, h));
        addStop(g, 0, hex(0xfff0a0), 0.55);
        addStop(g, 1, hex(0xfff0a0), 0);
        cairo_set_source(cr, g);
        cairo_save(cr);
        cairo_translate(cr, x, y);
        cairo_scale(cr, w / std::max(w, h), h / std::max(w, h));
        circle(cr, 0, 0, std::max(w, h));
        cairo_restore(cr);
        cairo_fill(cr);
    };
    // A wooden pier across the middle and right: the props stand on it.
    {
        double top = 600, front = 640;
        for (int k = 0; k < 7; ++k) {
            double x = 350 + k * 112;
            cairo_rectangle(cr, x, front - 10, 22, 260);
            fillVertical(cr, front, front + 250, hex(0x6a4020), hex(0x1a0c04));
            cairo_new_path(cr);
        }
        polyPath(cr, {{330, front}, {1024, front}, {1024, front + 34}, {330, front + 34}});
        fillVertical(cr, front, front + 34, hex(0x7a4a24), hex(0x3a1e0c));
        edge(cr, kInk, 2);
        polyPath(cr, {{350, top}, {1024, top - 8}, {1024, front}, {330, front}});
        fillVertical(cr, top, front, hex(0xc08850), hex(0x8a5a30));
        cairo_new_path(cr);
        for (int k = 0; k < 22; ++k) {
            double x = 352 + k * 32;
            cairo_move_to(cr, x, top - (x - 350) * 8 / 674);
            cairo_line_to(cr, x - 6, front);
        }
        setRgb(cr, hex(0x4a2a10), 0.6);
        cairo_set_line_width(cr, 1.6);
        cairo_stroke(cr);
        // Water reflection under the pier.
        cairo_rectangle(cr, 330, front + 34, 694, 40);
        cairo_pattern_t* sh = cairo_pattern_create_linear(0, front + 34, 0, front + 74);
        addStop(sh, 0, {0, 0, 0}, 0.35);
        addStop(sh, 1, {0, 0, 0}, 0);
        cairo_set_source(cr, sh);
        cairo_fill(cr);
        cairo_pattern_destroy(sh);
    }
    // Gulls.
    for (auto g : {Pt{300, 200}, Pt{340, 230}, Pt{700, 140}, Pt{260, 260}}) {
        cairo_move_to(cr, g.x - 16, g.y - 4);
        cairo_curve_to(cr, g.x - 8, g.y - 12, g.x - 3, g.y - 8, g.x, g.y);
        cairo_curve_to(cr, g.x + 3, g.y - 8, g.x + 8, g.y - 12, g.x + 16, g.y - 4);
        setRgb(cr, hex(0x2a2a3a));
        cairo_set_line_width(cr, 3);
        cairo_stroke(cr);
    }
    // Play: the ship, left (0-30 %, 10-75 %).
    glow(160, 520, 190, 300);
    paintShip(cr, 170, 700, 1.15, false);
    // Options: a barrel with a compass (35-50 %, 30-60 %).
    glow(440, 450, 100, 160);
    {
        double x = 440, y = 532;
        roundRect(cr, x - 62, y - 70, 124, 150, 26);
        fillVertical(cr, y - 70, y + 80, hex(0xb07038), hex(0x4a2410));
        edge(cr, kInk, 3);
        for (double by : {y - 45.0, y + 50.0}) {
            cairo_rectangle(cr, x - 64, by, 128, 10);
            setRgb(cr, hex(0x505860));
            cairo_fill(cr);
        }
        circle(cr, x, y - 120, 52);
        fillRadial(cr, x, y - 120, 52, hex(0xfff0a0), hex(0x9a6408));
        edge(cr, kInk, 3);
        circle(cr, x, y - 120, 40);
        setRgb(cr, hex(0xf8f0dc));
        cairo_fill(cr);
        polyPath(cr, {{x, y - 156}, {x + 8, y - 120}, {x, y - 84}, {x - 8, y - 120}});
        setRgb(cr, hex(0xc02020));
        cairo_fill(cr);
        outlinedText(cr, "N", x, y - 160 + 4, 14, hex(0x2a1400), hex(0x2a1400), hex(0xf8f0dc), 0.5);
    }
    // High scores: an open chest of trophies (60-97 %, 25-57 %).
    glow(800, 470, 200, 170);
    {
        Canvas icon(512, 512);
        drawBonusIcon(icon, "256/chest4.png");
        cairo_save(cr);
        cairo_translate(cr, 630, 300);
        cairo_scale(cr, 340.0 / 512, 340.0 / 512);
        cairo_set_source_surface(cr, icon.surface(), 0, 0);
        cairo_paint(cr);
        cairo_restore(cr);
    }
    // Exit: a signpost (84-100 %, 62-80 %).
    glow(940, 730, 80, 100);
    {
        cairo_rectangle(cr, 930, 650, 14, 200);
        fillVertical(cr, 650, 850, hex(0x8a5224), hex(0x3a1a08));
        edge(cr, kInk, 2);
        polyPath(cr, {{868, 650}, {990, 650}, {1018, 690}, {990, 730}, {868, 730}});
        fillVertical(cr, 650, 730, hex(0xc08040), hex(0x6a3a14));
        edge(cr, kInk, 3);
    }
    // How to play: a rolled chart (80-100 %, 0-15 %).
    glow(920, 70, 100, 60);
    {
        roundRect(cr, 840, 40, 160, 70, 10);
        fillVertical(cr, 40, 110, hex(0xfbf0d0), hex(0xd8b880));
        edge(cr, hex(0x5a3a18), 2.5);
        for (double ex : {834.0, 1000.0}) {
            roundRect(cr, ex - 6, 32, 18, 86, 8);
            fillVertical(cr, 32, 118, hex(0xe8d0a0), hex(0x9a7040));
            edge(cr, hex(0x5a3a18), 2);
        }
        cairo_move_to(cr, 860, 62);
        cairo_line_to(cr, 980, 62);
        cairo_move_to(cr, 860, 78);
        cairo_line_to(cr, 960, 78);
        cairo_move_to(cr, 860, 94);
        cairo_line_to(cr, 970, 94);
        setRgb(cr, hex(0x5a3a18), 0.5);
        cairo_set_line_width(cr, 3);
        cairo_stroke(cr);
    }
    paintTitle(cr, "Brinemoor", 560, 975, 92);
    paintVignette(cv, 0.35);
    if (lit) {
        setRgb(cr, hex(0xfff0c0), 0.08);
        cairo_paint(cr);
    }
}

void menuScreen(const std::string& path, int which) {
    Canvas cv(P, P);
    cairo_t* cr = cv.cr();
    if (which <= 1) {
        mainMenu(cv, which == 1);
    } else {
        mainMenu(cv, false);
        blur(cv, 10);
        setRgb(cr, hex(0x06101c), which == 2 ? 0.45 : 0.6);
        cairo_paint(cr);
        if (which == 2) {
            // Options panel: the items lie between 14 % and 84 % across and 34 % to 79 % down.
            paintParchment(cv, 0.10 * P, 0.22 * P, 0.80 * P, 0.63 * P, 30);
            // The screen writes its own title across the parchment's top edge.
            for (double y : {0.52, 0.60}) {
                roundRect(cr, 0.55 * P, y * P, 0.23 * P, 0.05 * P, 10);
                setRgb(cr, hex(0x5a3a18), 0.35);
                cairo_fill_preserve(cr);
                edge(cr, hex(0x8a6030), 2);
            }
        }
        // The pause picture's words are the game's, in the player's language (render/PictureWords.cpp).
    }
    cv.save(path, 88);
}

// ---------------------------------------------------------------- shop

void shopScreen(const std::string& path) {
    Canvas cv(P, P);
    cairo_t* cr = cv.cr();
    // Wooden cabin wall.
    shadePixels(cv, [](int x, int y, double& r, double& g, double& b, double& a) {
        int plank = y / 64;
        double n = fbm(x / 200.0, y / 8.0 + plank * 7, 4, 111);
        Rgb c = mix(hex(0x3a1e0c), hex(0x7a4620), n);
        if (y % 64 < 3) c = darker(c, 0.6);
        r = c.r, g = c.g, b = c.b, a = 1;
    });
    // The title and the shelves' labels are the game's, in the player's language (render/PictureWords.cpp).
    // A ship's lantern lights the right-hand wall.
    {
        double x = 940, y = 330;
        cairo_pattern_t* gl = cairo_pattern_create_radial(x, y, 10, x, y, 260);
        addStop(gl, 0, hex(0xffc060), 0.55);
        addStop(gl, 1, hex(0xffa040), 0);
        cairo_set_source(cr, gl);
        cairo_paint(cr);
        cairo_pattern_destroy(gl);
        cairo_move_to(cr, x, 0);
        cairo_line_to(cr, x, y - 70);
        setRgb(cr, hex(0x2a2a2a));
        cairo_set_line_width(cr, 4);
        cairo_stroke(cr);
        circle(cr, x, y - 74, 9);
        edge(cr, hex(0x2a2a2a), 4);
        roundRect(cr, x - 34, y - 62, 68, 20, 6);
        fillVertical(cr, y - 62, y - 42, hex(0x6a6a70), hex(0x2a2a30));
        edge(cr, kInk, 2);
        roundRect(cr, x - 28, y - 44, 56, 86, 8);
        cairo_pattern_t* glass = cairo_pattern_create_radial(x, y, 4, x, y, 50);
        addStop(glass, 0, hex(0xfffbe0));
        addStop(glass, 0.5, hex(0xffc040));
        addStop(glass, 1, hex(0xc06010));
        cairo_set_source(cr, glass);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(glass);
        edge(cr, kInk, 3);
        for (double bx : {x - 10.0, x + 10.0}) {
            cairo_move_to(cr, bx, y - 44);
            cairo_line_to(cr, bx, y + 42);
        }
        setRgb(cr, hex(0x2a2a30));
        cairo_set_line_width(cr, 3);
        cairo_stroke(cr);
        roundRect(cr, x - 34, y + 40, 68, 16, 6);
        fillVertical(cr, y + 40, y + 56, hex(0x6a6a70), hex(0x2a2a30));
        edge(cr, kInk, 2);
    }
    // Ten item niches centred on the item positions, two rows of five.
    for (int i = 0; i < 10; ++i) {
        double x = px(216 + 190 * (i % 5)), y = i < 5 ? 191 : 388;
        double w = px(172), h = 178;
        softShadow(cv, [&](cairo_t* k) { roundRect(k, x - w / 2, y - 82, w, h, 16); }, 10, 0, 6, {0, 0, 0}, 0.6);
        roundRect(cr, x - w / 2, y - 82, w, h, 16);
        fillVertical(cr, y - 82, y + 96, hex(0xe8b848), hex(0x8a5408));
        edge(cr, kInk, 2);
        roundRect(cr, x - w / 2 + 7, y - 75, w - 14, h - 14, 11);
        cairo_pattern_t* g = cairo_pattern_create_radial(x, y, 10, x, y, 110);
        addStop(g, 0, hex(0x1a4a6a));
        addStop(g, 1, hex(0x061420));
        cairo_set_source(cr, g);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
    }
    // Key rack and two star trays.
    paintParchment(cv, px(590), 555, px(1085) - px(590), 185, 18);
    for (int k = 0; k < 10; ++k) {
        double x = px(650 + 85 * (k % 5)), y = k < 5 ? 602 : 689;
        circle(cr, x, y, 30);
        setRgb(cr, hex(0x6a4a20), 0.25);
        cairo_fill(cr);
    }
    for (int row = 0; row < 2; ++row) {
        double y0 = row == 0 ? 585 : 678;
        roundRect(cr, px(205), y0, px(585) - px(205), 80, 20);
        fillVertical(cr, y0, y0 + 80, hex(0x1a3a5a), hex(0x0a1a2a));
        edge(cr, hex(0xe8b848), 3);
        for (int s = 0; s < 6; ++s) {
            double x = px(244 + 60.5 * s), y = row == 0 ? (s % 2 ? 619 : 631) : (s % 2 ? 712 : 724);
            polyPath(cr, star(x, y, 20, 9, 5, -M_PI / 2));
            setRgb(cr, row == 0 ? hex(0x60a0e0) : hex(0xe0b040), 0.25);
            cairo_fill(cr);
        }
    }
    // Button bar.
    cairo_rectangle(cr, 0, kShopButtonBarTop, P, P - kShopButtonBarTop);
    fillVertical(cr, kShopButtonBarTop, P, hex(0x2a1408), hex(0x120804));
    cairo_new_path(cr);
    cairo_rectangle(cr, 0, kShopButtonBarTop, P, 4);
    setRgb(cr, hex(0xe8b848));
    cairo_fill(cr);
    paintVignette(cv, 0.4);
    cv.save(path, 88);
}

void shopButtons(const std::string& path) {
    Canvas cv(P, P);
    cairo_t* cr = cv.cr();
    setRgb(cr, hex(0x120804));
    cairo_paint(cr);
    // The labels are the game's, in the player's language (render/BetweenLevelsDraw.cpp).
    for (int col = 0; col < 3; ++col)
        for (int row = 0; row < 3; ++row) {
            double x = kShopButtonX0 + col * kShopButtonStepX, y = kShopButtonY0 + row * kShopButtonStepY;
            double w = kShopButtonW, h = kShopButtonH;
            roundRect(cr, x, y, w, h, 18);
            fillVertical(cr, y, y + h, row == 1 ? hex(0xfff8c0) : hex(0xfff0a0), hex(0x9a6408));
            edge(cr, kInk, 3);
            Rgb wood = row == 1 ? hex(0xb06a30) : row == 2 ? hex(0x5a2e10) : hex(0x8a5224);
            roundRect(cr, x + 8, y + 8, w - 16, h - 16, 12);
            fillVertical(cr, y + 8, y + h - 8, lighter(wood, 0.25), darker(wood, 0.3));
            cairo_new_path(cr);
            if (row != 2) gloss(cr, x + w / 2, y + 20, w * 0.42, 10, 0.35);
        }
    cv.save(path, 90);
}

// ---------------------------------------------------------------- logo and loading

void logoLayer(const std::string& path, int layer) {
    Canvas cv(P, P);
    cairo_t* cr = cv.cr();
    if (layer == 0) {
        paintSky(cv, {hex(0x02040c), hex(0x102040), 0.1, hex(0x304060), true}, 620, 201);
        paintSunOrMoon(cv, 512, 300, 70, hex(0xf0f0e0), hex(0x6070a0));
        paintSea(cv, 620, hex(0x102040), hex(0x040810), 202);
    } else if (layer == 1) {
        paintSky(cv, {hex(0x02040c), hex(0x102040), 0.1, hex(0x304060), true}, 620, 201);
        paintSunOrMoon(cv, 512, 300, 70, hex(0xf0f0e0), hex(0x6070a0));
        paintSea(cv, 620, hex(0x102040), hex(0x040810), 202);
        paintShip(cr, 512, 640, 1.0, true);
        // The game writes its line under the ship, in the player's language (render/PictureWords.cpp).
    } else {
        paintSky(cv, {hex(0x1a3a8a), hex(0xffc890), 0.4, hex(0xfff0e0), false}, 600, 203);
        paintSunOrMoon(cv, 512, 590, 90, hex(0xfff8e0), hex(0xffb060));
        paintSea(cv, 600, hex(0x4a7ab0), hex(0x0a2a50), 204);
        paintShip(cr, 760, 700, 0.7, false);
        paintTitle(cr, "Brinemoor", 512, 300, 150);
        // The game writes its line under the title, in the player's language (render/PictureWords.cpp).
    }
    paintVignette(cv, 0.5);
    cv.save(path, 88);
}

void gameLogo(const std::string& path, bool full) {
    // The loading bar spans x = 85 .. 942; the game shows the second picture cut at the bar's end.
    Canvas cv(P, P);
    cairo_t* cr = cv.cr();
    paintSky(cv, {hex(0x1a3a8a), hex(0xffc890), 0.4, hex(0xfff0e0), false}, 600, 203);
    paintSunOrMoon(cv, 512, 590, 90, hex(0xfff8e0), hex(0xffb060));
    paintSea(cv, 600, hex(0x4a7ab0), hex(0x0a2a50), 204);
    paintShip(cr, 760, 700, 0.7, false);
    paintTitle(cr, "Brinemoor", 512, 300, 150);
    paintVignette(cv, 0.5);
    double x0 = 85, x1 = 942, y = 880, h = 44;
    roundRect(cr, x0 - 10, y - 10, x1 - x0 + 20, h + 20, 24);
    fillVertical(cr, y - 10, y + h + 10, hex(0x8a5224), hex(0x3a1a08));
    edge(cr, hex(0xe8b848), 3);
    roundRect(cr, x0, y, x1 - x0, h, 16);
    if (full) {
        fillVertical(cr, y, y + h, hex(0xfff0a0), hex(0xc07a10));
        cairo_new_path(cr);
        gloss(cr, (x0 + x1) / 2, y + 10, (x1 - x0) / 2 - 10, 8, 0.6);
        for (double x = x0 + 40; x < x1; x += 90) sparkle(cr, x, y + h / 2, 14, 0.8);
    } else {
        setRgb(cr, hex(0x0a1420));
        cairo_fill(cr);
    }
    // The game writes "Loading..." over the bar, in the player's language (render/PictureWords.cpp).
    cv.save(path, 90);
}

// ---------------------------------------------------------------- tips

void tipFrame(const std::string& path, int variant) {
    // Variants 0..3: the pointer at the lower left, lower right, upper left, upper right; A: none.
    Canvas cv(512, 512);
    cairo_t* cr = cv.cr();
    double x = 40, y = 70, w = 432, h = 372;
    auto shape = [&](cairo_t* k) {
        roundRect(k, x, y, w, h, 40);
        if (variant >= 0) {
            bool left = variant == 0 || variant == 2, low = variant <= 1;
            double bx = left ? x + 80 : x + w - 80, by = low ? y + h - 2 : y + 2;
            double tx = left ? 16 : 496, ty = low ? 500 : 12;
            cairo_move_to(k, bx - 34, by);
            cairo_line_to(k, tx, ty);
            cairo_line_to(k, bx + 34, by);
            cairo_close_path(k);
        }
    };
    softShadow(cv, shape, 16, 4, 10, {0, 0, 0}, 0.6);
    shape(cr);
    setRgb(cr, hex(0x5a3414));
    cairo_set_line_width(cr, 16);
    cairo_stroke_preserve(cr);
    setRgb(cr, hex(0xe8b848));
    cairo_set_line_width(cr, 7);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* p = cairo_pattern_create_radial(256, 256, 20, 256, 256, 300);
    addStop(p, 0, hex(0xfdf6e0));
    addStop(p, 1, hex(0xe8d09a));
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cv.save(path);
}

void tipMark(const std::string& path, int kind, int size) {
    Canvas cv(size, size);
    unitSpace(cv);
    cairo_t* cr = cv.cr();
    if (kind == 0 || kind == 2) {  // tick (alone, or in a box)
        if (kind == 2) {
            roundRect(cr, 14, 14, 72, 72, 12);
            fillVertical(cr, 14, 86, hex(0xfdf6e0), hex(0xd8c090));
            edge(cr, hex(0x5a3414), 5);
        }
        cairo_move_to(cr, 24, 52);
        cairo_line_to(cr, 42, 70);
        cairo_line_to(cr, 78, 26);
        setRgb(cr, kInk);
        cairo_set_line_width(cr, 17);
        cairo_stroke_preserve(cr);
        setRgb(cr, hex(0x30b040));
        cairo_set_line_width(cr, 10);
        cairo_stroke(cr);
    } else if (kind == 1) {  // empty box
        roundRect(cr, 14, 14, 72, 72, 12);
        fillVertical(cr, 14, 86, hex(0xfdf6e0), hex(0xd8c090));
        edge(cr, hex(0x5a3414), 5);
    } else {  // the tip's lamp: a gold coin with a question mark
        circle(cr, 50, 50, 40);
        fillRadial(cr, 50, 50, 42, hex(0xfff4b0), hex(0xc07a10));
        edge(cr, kInk, 3);
        outlinedText(cr, "?", 50, 68, 54, hex(0xffffff), hex(0xfff0c0), kInk, 3.5);
    }
    cv.save(path);
}

void stamp(cairo_t* cr, Canvas& src, double x, double y, double size) {
    cairo_save(cr);
    cairo_translate(cr, x - size / 2, y - size / 2);
    cairo_scale(cr, size / src.w(), size / src.h());
    cairo_set_source_surface(cr, src.surface(), 0, 0);
    cairo_paint(cr);
    cairo_restore(cr);
}

void stampJewel(cairo_t* cr, int kind, double x, double y, double size) {
    Canvas j(512, 512);
    paintJewel(j, kind);
    stamp(cr, j, x, y, size);
}
void stampTile(cairo_t* cr, bool gold, double x, double y, double size) {
    Canvas t(256, 256);
    paintTile(t, gold);
    stamp(cr, t, x, y, size);
}
void stampIcon(cairo_t* cr, const char* file, double x, double y, double size) {
    Canvas c(512, 512);
    drawBonusIcon(c, file);
    stamp(cr, c, x, y, size);
}

void tipPicture(const std::string& path, int page) {
    Canvas cv(512, 512);
    cairo_t* cr = cv.cr();
    cairo_pattern_t* bg = cairo_pattern_create_radial(256, 220, 40, 256, 256, 380);
    addStop(bg, 0, hex(0x2a6a9a));
    addStop(bg, 1, hex(0x061a30));
    cairo_set_source(cr, bg);
    cairo_paint(cr);
    cairo_pattern_destroy(bg);
    switch (page) {
        case 1:  // three in a row
            for (int i = 0; i < 4; ++i) stampTile(cr, false, 86 + i * 113, 256, 130);
            for (int i = 0; i < 3; ++i) stampJewel(cr, 0, 86 + i * 113, 256, 104);
            stampJewel(cr, 3, 425, 256, 104);
            break;
        case 2:  // tiles turn to gold
            for (int i = 0; i < 3; ++i) stampTile(cr, i > 0, 116 + i * 140, 256, 150);
            stampJewel(cr, 1, 116, 256, 110);
            for (int i = 0; i < 6; ++i) sparkle(cr, 300 + (i % 3) * 60, 190 + (i / 3) * 120, 20);
            break;
        case 3: {  // bubbles
            stampTile(cr, false, 256, 256, 300);
            stampJewel(cr, 4, 256, 256, 220);
            Canvas b(512, 512);
            for (double r : {300.0, 340.0}) {
                cairo_save(cr);
                circle(cr, 256, 256, r / 2);
                setRgb(cr, hex(0xc0f0ff), 0.5);
                cairo_set_line_width(cr, 6);
                cairo_stroke(cr);
                cairo_restore(cr);
            }
            gloss(cr, 210, 130, 70, 26, 0.7);
            break;
        }
        case 4: {  // the hourglass
            double cx = 256;
            for (int half = 0; half < 2; ++half) {
                double y0 = half ? 256 : 60, y1 = half ? 452 : 256;
                cairo_move_to(cr, cx - 110, half ? y1 : y0);
                cairo_curve_to(cr, cx - 110, 256 + (half ? 60 : -60), cx - 14, 256 + (half ? 10 : -10), cx - 14, 256);
                cairo_line_to(cr, cx + 14, 256);
                cairo_curve_to(cr, cx + 14, 256 + (half ? 10 : -10), cx + 110, 256 + (half ? 60 : -60), cx + 110,
                               half ? y1 : y0);
                cairo_close_path(cr);
                setRgb(cr, hex(0xd0f0ff), 0.3);
                cairo_fill_preserve(cr);
                setRgb(cr, hex(0xffffff), 0.8);
                cairo_set_line_width(cr, 4);
                cairo_stroke(cr);
            }
            polyPath(cr, {{cx - 70, 140}, {cx + 70, 140}, {cx, 250}});
            setRgb(cr, hex(0xe8c070));
            cairo_fill(cr);
            polyPath(cr, {{cx - 95, 440}, {cx + 95, 440}, {cx, 360}});
            cairo_fill(cr);
            cairo_rectangle(cr, cx - 3, 250, 6, 190);
            cairo_fill(cr);
            for (double y : {40.0, 444.0}) {
                roundRect(cr, cx - 140, y, 280, 28, 8);
                fillVertical(cr, y, y + 28, hex(0xb07038), hex(0x4a2410));
                edge(cr, kInk, 3);
            }
            break;
        }
        case 5:  // bonuses
            stampIcon(cr, "256/chest4.png", 140, 170, 200);
            stampIcon(cr, "256/bomb2.png", 372, 170, 190);
            stampIcon(cr, "256/clock2.png", 140, 370, 190);
            stampIcon(cr, "256/sun.png", 372, 370, 190);
            break;
        case 6: {  // coloured keys
            Canvas k(512, 512);
            for (int i = 0; i < 4; ++i) {
                Canvas key(512, 512);
                unitSpace(key);
                const uint32_t c[4] = {0xe02828, 0xf2d020, 0x20a040, 0x2860e0};
                keyShape(key, hex(c[i]));
                stamp(cr, key, 150 + (i % 2) * 210, 150 + (i / 2) * 210, 240);
            }
            break;
        }
        case 7: {  // the shop: key to lock
            Canvas lock(256, 256);
            unitSpace(lock);
            lockShape(lock, hex(0x8040d0));
            stamp(cr, lock, 340, 260, 300);
            Canvas key(512, 512);
            unitSpace(key);
            keyShape(key, hex(0x8040d0));
            stamp(cr, key, 150, 330, 260);
            break;
        }
        default:  // magic stars
            stampIcon(cr, "256/star-blue.png", 160, 220, 240);
            stampIcon(cr, "256/star-gold.png", 350, 300, 260);
            break;
    }
    paintVignette(cv, 0.0);
    cv.save(path, 90);
}

void menuPopup(const std::string& path) {
    Canvas cv(512, 512);
    paintParchment(cv, 24, 24, 464, 464, 36);
    outlinedText(cv.cr(), "Menu", 256, 100, 52, hex(0xfff4c8), hex(0xf0b030), kInk, 4);
    cv.save(path);
}

}  // namespace

void addScreens(PainterMap& m) {
    void (*scenes[8])(Canvas&) = {lagoon, cliffs, jungle, caveEntrance, nightMeadow, crystalCave, goldHoard, finale};
    for (int i = 0; i < 8; ++i) {
        auto s = scenes[i];
        m["red/bg/back" + std::to_string(i + 1) + ".jpg"] = [s](const std::string& p) { background(p, s); };
    }
    m["red/bg/fg.png"] = playFrame;
    m["red/bg/menupop.png"] = menuPopup;
    m["red/bg/tipbtn.png"] = [](const std::string& p) { tipMark(p, 3, 256); };
    m["red/menu/main0-new2.jpg"] = [](const std::string& p) { menuScreen(p, 0); };
    m["red/menu/main1-new2.jpg"] = [](const std::string& p) { menuScreen(p, 1); };
    m["red/menu/options-new.jpg"] = [](const std::string& p) { menuScreen(p, 2); };
    m["red/menu/pause.jpg"] = [](const std::string& p) { menuScreen(p, 3); };
    m["red/shop/shop1.jpg"] = shopScreen;
    m["red/shop/shop2.jpg"] = shopButtons;
    for (int i = 0; i < 3; ++i)
        m["red/logo/layer" + std::to_string(i) + ".jpg"] = [i](const std::string& p) { logoLayer(p, i); };
    m["red/logo/gamelogo0.jpg"] = [](const std::string& p) { gameLogo(p, false); };
    m["red/logo/gamelogo1.jpg"] = [](const std::string& p) { gameLogo(p, true); };
    for (int i = 0; i < 4; ++i) m["red/tipform" + std::to_string(i) + ".png"] = [i](const std::string& p) { tipFrame(p, i); };
    m["red/tipformA.png"] = [](const std::string& p) { tipFrame(p, -1); };
    m["red/tipimages/check.png"] = [](const std::string& p) { tipMark(p, 0, 128); };
    m["red/tipimages/tip1.png"] = [](const std::string& p) { tipMark(p, 1, 256); };
    m["red/tipimages/tip2.png"] = [](const std::string& p) { tipMark(p, 2, 256); };
    m["red/tipimages/tip3.png"] = [](const std::string& p) { tipMark(p, 3, 256); };
    for (int i = 1; i <= 8; ++i)
        m["red/tipimages/" + std::to_string(i) + ".jpg"] = [i](const std::string& p) { tipPicture(p, i); };
}

}  // namespace bm::art

// The island map of the between-levels screen, its level points and their sprites.
// The 65 level points are spaced evenly along one winding trail; the land around each
// point takes the look of its stage, so the stage borders show on the island itself.

#include "Canvas.h"
#include "Painters.h"
#include "render/AssetCatalogue.h"

#include <cmath>
#include <vector>

namespace bm::art {

namespace {

constexpr int kPic = 1024;
constexpr int kLevels = 65;
const int kStageFirst[8] = {1, 9, 18, 27, 36, 45, 54, 66};

int stageOf(int level) { return std::min(level / 9 + 1, 7); }

// Trail through the island, in picture pixels (the picture is stretched to 1280 x 1024).
const Pt kTrail[] = {{120, 790}, {260, 838}, {400, 846}, {530, 826}, {660, 838}, {780, 800}, {860, 700},
                     {885, 580}, {875, 450}, {850, 330}, {795, 215}, {700, 135}, {580, 105}, {450, 108},
                     {330, 140}, {230, 210}, {168, 320}, {150, 440}, {180, 560}, {260, 650}, {380, 700},
                     {520, 705}, {650, 672}, {742, 590}, {765, 470}, {722, 360}, {620, 298}, {500, 288},
                     {380, 330}, {318, 420}, {352, 520}, {460, 565}, {560, 530}, {590, 450}, {535, 405}};

Pt catmull(const Pt& p0, const Pt& p1, const Pt& p2, const Pt& p3, double t) {
    double t2 = t * t, t3 = t2 * t;
    auto f = [&](double a, double b, double c, double d) {
        return 0.5 * (2 * b + (-a + c) * t + (2 * a - 5 * b + 4 * c - d) * t2 + (-a + 3 * b - 3 * c + d) * t3);
    };
    return {f(p0.x, p1.x, p2.x, p3.x), f(p0.y, p1.y, p2.y, p3.y)};
}

std::vector<Pt> trailCurve() {
    std::vector<Pt> out;
    int n = int(std::size(kTrail));
    for (int i = 0; i + 1 < n; ++i) {
        const Pt& p0 = kTrail[std::max(i - 1, 0)];
        const Pt& p3 = kTrail[std::min(i + 2, n - 1)];
        for (int s = 0; s < 40; ++s) out.push_back(catmull(p0, kTrail[i], kTrail[i + 1], p3, s / 40.0));
    }
    out.push_back(kTrail[n - 1]);
    return out;
}

// Level points in picture pixels, evenly spaced along the trail; index 0 unused.
const std::vector<Pt>& levelPoints() {
    static const std::vector<Pt> pts = [] {
        std::vector<Pt> c = trailCurve();
        std::vector<double> len(c.size(), 0);
        for (size_t i = 1; i < c.size(); ++i) len[i] = len[i - 1] + std::hypot(c[i].x - c[i - 1].x, c[i].y - c[i - 1].y);
        std::vector<Pt> p(kLevels + 1, Pt{0, 0});
        size_t j = 0;
        for (int n = 1; n <= kLevels; ++n) {
            double want = len.back() * (n - 1) / (kLevels - 1);
            while (j + 1 < c.size() && len[j + 1] < want) ++j;
            double seg = (j + 1 < c.size()) ? len[j + 1] - len[j] : 1;
            double t = seg > 0 ? std::clamp((want - len[j]) / seg, 0.0, 1.0) : 0;
            Pt b = (j + 1 < c.size()) ? c[j + 1] : c[j];
            p[n] = {c[j].x + (b.x - c[j].x) * t, c[j].y + (b.y - c[j].y) * t};
        }
        return p;
    }();
    return pts;
}

struct StageLook {
    Rgb ground;
    Rgb accent;
};
const StageLook kStages[8] = {
    {},
    {hex(0xe6cf8a), hex(0x7fc46a)},
    {hex(0x9aa88a), hex(0xc8c8b8)},
    {hex(0x3f8f3a), hex(0x2a6a2a)},
    {hex(0x8c6a48), hex(0x5e4530)},
    {hex(0x4a5a8c), hex(0x2c3866)},
    {hex(0x5a5560), hex(0x3a3640)},
    {hex(0xe0b040), hex(0xfff0a0)},
};

double islandRadius(double a) {
    return 430 + 40 * std::sin(3 * a + 0.5) + 25 * std::sin(5 * a + 1.3) + 60 * (fbm(std::cos(a) * 2 + 5, std::sin(a) * 2 + 5, 4, 9) - 0.5);
}

void drawIslandMap(const std::string& path) {
    Canvas cv(kPic, kPic);
    const auto& pts = levelPoints();
    const double cx = 505, cy = 470;
    shadePixels(cv, [&](int x, int y, double& r, double& g, double& b, double& a) {
        a = 1;
        double dx = (x - cx) / 1.0, dy = (y - cy) * 1.08;
        double ang = std::atan2(dy, dx);
        double coast = islandRadius(ang) - std::hypot(dx, dy);  // > 0 on land
        double wave = fbm(x / 60.0, y / 25.0, 4, 3);
        if (coast < 0) {
            double depth = std::min(1.0, -coast / 140.0);
            Rgb shallow = hex(0x3fc0c8), deep = hex(0x0b3a6e);
            Rgb c = mix(shallow, deep, std::pow(depth, 0.6));
            c = mix(c, hex(0x082a50), std::clamp((y - 700) / 600.0, 0.0, 0.4));
            c = lighter(c, 0.12 * (wave - 0.5) + (std::fmod(-coast + wave * 30, 38) < 3 && depth < 0.6 ? 0.25 * (1 - depth) : 0));
            r = c.r, g = c.g, b = c.b;
            return;
        }
        // Land: the nearest level point decides the stage look, blended near borders.
        double best = 1e18, second = 1e18;
        int bestStage = 1, secondStage = 1;
        for (int n = 1; n <= kLevels; ++n) {
            double d = std::hypot(x - pts[n].x, y - pts[n].y);
            int s = stageOf(n);
            if (d < best) {
                if (s != bestStage) second = best, secondStage = bestStage;
                best = d, bestStage = s;
            } else if (d < second && s != bestStage) {
                second = d, secondStage = s;
            }
        }
        double hnoise = fbm(x / 90.0, y / 90.0, 5, 17);
        Rgb ground = mix(kStages[bestStage].ground, kStages[bestStage].accent, std::clamp((hnoise - 0.4) * 2.2, 0.0, 1.0));
        double edge = std::clamp((second - best) / 26.0, 0.0, 1.0);
        Rgb other = kStages[secondStage].ground;
        ground = mix(other, ground, 0.5 + 0.5 * edge);
        // Stage borders: a faint dark seam.
        if (second - best < 3 && secondStage != bestStage) ground = darker(ground, 0.35);
        // Beach ring and hill shading.
        if (coast < 26) ground = mix(hex(0xf2dea0), ground, coast / 26.0);
        double hx = fbm((x + 2) / 90.0, y / 90.0, 5, 17) - fbm((x - 2) / 90.0, y / 90.0, 5, 17);
        double hy = fbm(x / 90.0, (y + 2) / 90.0, 5, 17) - fbm(x / 90.0, (y - 2) / 90.0, 5, 17);
        double shade = std::clamp(-(hx + hy) * 12, -0.25, 0.25);
        ground = shade > 0 ? lighter(ground, shade) : darker(ground, -shade);
        double grain = fbm(x / 6.0, y / 6.0, 2, 33) - 0.5;
        r = ground.r + grain * 0.08, g = ground.g + grain * 0.08, b = ground.b + grain * 0.08;
    });
    cairo_t* cr = cv.cr();
    // Decorations by stage.
    Rand rnd(77);
    for (int n = 1; n <= kLevels; ++n) {
        int s = stageOf(n);
        for (int k = 0; k < 3; ++k) {
            double ang = rnd.range(0, 2 * M_PI), dist = rnd.range(38, 70);
            double x = pts[n].x + std::cos(ang) * dist, y = pts[n].y + std::sin(ang) * dist;
            double ia = std::atan2((y - cy) * 1.08, x - cx);
            if (islandRadius(ia) - std::hypot(x - cx, (y - cy) * 1.08) < 30) continue;
            bool nearTrail = false;
            for (int q = 1; q <= kLevels; ++q) nearTrail |= std::hypot(x - pts[q].x, y - pts[q].y) < 30;
            if (nearTrail) continue;
            if (s == 1 || s == 3) {  // palms and jungle trees
                Rgb leaf = s == 1 ? hex(0x3c9a3a) : hex(0x1f6a26);
                setRgb(cr, {0, 0, 0}, 0.25);
                cairo_save(cr);
                cairo_translate(cr, x + 6, y + 4);
                cairo_scale(cr, 1, 0.5);
                circle(cr, 0, 0, 16);
                cairo_restore(cr);
                cairo_fill(cr);
                setRgb(cr, hex(0x6a4424));
                cairo_set_line_width(cr, 4);
                cairo_move_to(cr, x, y);
                cairo_curve_to(cr, x + 2, y - 10, x - 2, y - 18, x + 3, y - 26);
                cairo_stroke(cr);
                for (int l = 0; l < 5; ++l) {
                    double la = -M_PI / 2 + (l - 2) * 0.7;
                    cairo_move_to(cr, x + 3, y - 26);
                    cairo_curve_to(cr, x + 3 + std::cos(la) * 10, y - 26 + std::sin(la) * 14, x + 3 + std::cos(la) * 18,
                                   y - 26 + std::sin(la) * 8 + 6, x + 3 + std::cos(la) * 20, y - 20 + std::sin(la) * 6);
                    setRgb(cr, leaf);
                    cairo_set_line_width(cr, 6);
                    cairo_stroke(cr);
                }
            } else if (s == 2 || s == 4 || s == 6) {  // rocks and peaks
                Rgb rock = s == 2 ? hex(0xb8b8b0) : s == 4 ? hex(0x7a5a3c) : hex(0x4a4650);
                double hgt = rnd.range(22, 36);
                cairo_move_to(cr, x - hgt * 0.8, y);
                cairo_line_to(cr, x, y - hgt);
                cairo_line_to(cr, x + hgt * 0.8, y);
                cairo_close_path(cr);
                setRgb(cr, rock);
                cairo_fill_preserve(cr);
                setRgb(cr, darker(rock, 0.5));
                cairo_set_line_width(cr, 2);
                cairo_stroke(cr);
                cairo_move_to(cr, x, y - hgt);
                cairo_line_to(cr, x + hgt * 0.8, y);
                cairo_line_to(cr, x + hgt * 0.1, y);
                cairo_close_path(cr);
                setRgb(cr, {0, 0, 0}, 0.25);
                cairo_fill(cr);
                if (s == 2) {
                    cairo_move_to(cr, x - hgt * 0.3, y - hgt * 0.62);
                    cairo_line_to(cr, x, y - hgt);
                    cairo_line_to(cr, x + hgt * 0.3, y - hgt * 0.62);
                    setRgb(cr, {1, 1, 1}, 0.9);
                    cairo_fill(cr);
                }
            } else if (s == 5) {  // fireflies
                for (int f = 0; f < 3; ++f) {
                    double fx = x + rnd.range(-12, 12), fy = y + rnd.range(-12, 12);
                    cairo_pattern_t* gl = cairo_pattern_create_radial(fx, fy, 0, fx, fy, 7);
                    addStop(gl, 0, hex(0xf8ff90), 1);
                    addStop(gl, 1, hex(0xf8ff90), 0);
                    cairo_set_source(cr, gl);
                    circle(cr, fx, fy, 7);
                    cairo_fill(cr);
                    cairo_pattern_destroy(gl);
                }
            } else if (s == 7) {  // coins
                for (int f = 0; f < 3; ++f) {
                    double fx = x + rnd.range(-10, 10), fy = y + rnd.range(-6, 6);
                    setRgb(cr, hex(0x8a5a10));
                    circle(cr, fx, fy + 1.5, 7);
                    cairo_fill(cr);
                    setRgb(cr, hex(0xffd040));
                    circle(cr, fx, fy, 6.5);
                    cairo_fill(cr);
                }
            }
        }
    }
    // The trail: a dashed line with a shadow.
    std::vector<Pt> c = trailCurve();
    for (int pass = 0; pass < 2; ++pass) {
        cairo_new_path(cr);
        for (size_t i = 0; i < c.size(); ++i) {
            double ox = pass == 0 ? 2 : 0, oy = pass == 0 ? 3 : 0;
            if (i == 0) cairo_move_to(cr, c[i].x + ox, c[i].y + oy);
            else cairo_line_to(cr, c[i].x + ox, c[i].y + oy);
        }
        double dash[] = {14, 9};
        cairo_set_dash(cr, dash, 2, 0);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_set_line_width(cr, 6);
        if (pass == 0) setRgb(cr, {0, 0, 0}, 0.35);
        else setRgb(cr, hex(0x7a2a10));
        cairo_stroke(cr);
    }
    cairo_set_dash(cr, nullptr, 0, 0);
    // Point beds: the game's sprites sit on them. Stage borders get a larger stone.
    for (int n = 1; n <= kLevels; ++n) {
        bool border = n == 1 || n == 65 || stageOf(n) != stageOf(n - 1);
        double rr = border ? 19 : 11;
        setRgb(cr, {0, 0, 0}, 0.35);
        circle(cr, pts[n].x + 2, pts[n].y + 3, rr);
        cairo_fill(cr);
        cairo_pattern_t* g = cairo_pattern_create_radial(pts[n].x - rr / 3, pts[n].y - rr / 3, 1, pts[n].x, pts[n].y, rr);
        addStop(g, 0, border ? hex(0xfff4c0) : hex(0xf4e8c8));
        addStop(g, 1, border ? hex(0xb07a20) : hex(0x9a8060));
        cairo_set_source(cr, g);
        circle(cr, pts[n].x, pts[n].y, rr);
        cairo_fill_preserve(cr);
        cairo_pattern_destroy(g);
        setRgb(cr, hex(0x3a2410));
        cairo_set_line_width(cr, 2.5);
        cairo_stroke(cr);
    }
    // The treasure's "X" at the trail's end.
    {
        Pt e = pts[65];
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        for (int pass = 0; pass < 2; ++pass) {
            setRgb(cr, pass ? hex(0xc01818) : hex(0x300000));
            cairo_set_line_width(cr, pass ? 7 : 11);
            cairo_move_to(cr, e.x - 34, e.y - 34);
            cairo_line_to(cr, e.x - 22, e.y - 22);
            cairo_move_to(cr, e.x + 22, e.y + 22);
            cairo_line_to(cr, e.x + 34, e.y + 34);
            cairo_move_to(cr, e.x + 34, e.y - 34);
            cairo_line_to(cr, e.x + 22, e.y - 22);
            cairo_move_to(cr, e.x - 22, e.y + 22);
            cairo_line_to(cr, e.x - 34, e.y + 34);
            cairo_stroke(cr);
        }
    }
    // The game writes the stage names beside their stretch of trail, in the player's language
    // (render/PictureWords.cpp: keep their places free).
    // Compass rose in the open sea.
    {
        double x = 952, y = 250, r = 58;
        softShadow(cv, [&](cairo_t* c2) { circle(c2, x, y, r); }, 10, 3, 5, {0, 0, 0}, 0.4);
        setRgb(cr, hex(0xf0e0b0), 0.9);
        circle(cr, x, y, r * 0.72);
        cairo_fill(cr);
        setRgb(cr, hex(0x5a3a18));
        cairo_set_line_width(cr, 3);
        circle(cr, x, y, r * 0.72);
        cairo_stroke(cr);
        for (int k = 0; k < 8; ++k) {
            double a = k * M_PI / 4 - M_PI / 2;
            double len = k % 2 ? r * 0.6 : r;
            Pt tip{x + std::cos(a) * len, y + std::sin(a) * len};
            Pt l{x + std::cos(a - 0.5) * len * 0.18, y + std::sin(a - 0.5) * len * 0.18};
            Pt rr{x + std::cos(a + 0.5) * len * 0.18, y + std::sin(a + 0.5) * len * 0.18};
            polyPath(cr, {{x, y}, l, tip});
            setRgb(cr, k == 0 ? hex(0xc02020) : hex(0x3a2410));
            cairo_fill(cr);
            polyPath(cr, {{x, y}, rr, tip});
            setRgb(cr, k == 0 ? hex(0xff6a50) : hex(0xd8b070));
            cairo_fill(cr);
        }
        outlinedText(cr, "N", x, y - r - 6, 24, hex(0xffffff), hex(0xe0d0a0), hex(0x2a1400), 3);
    }
    // Vignette so the edges read as an old chart.
    cairo_pattern_t* v = cairo_pattern_create_radial(512, 480, 380, 512, 512, 760);
    addStop(v, 0, {0, 0, 0}, 0);
    addStop(v, 1, hex(0x0a0a20), 0.55);
    cairo_set_source(cr, v);
    cairo_paint(cr);
    cairo_pattern_destroy(v);
    cv.save(path, 90);
}

void drawPointSprite(cairo_t* cr, double x, double y, int state) {
    // Cells of 64: state 0 later level, 1 past, 2 current; +3 at a stage border.
    bool border = state >= 3;
    int kind = state % 3;
    double r = border ? 26 : 18;
    setRgb(cr, {0, 0, 0}, 0.4);
    circle(cr, x + 2, y + 3, r);
    cairo_fill(cr);
    Rgb c0 = kind == 0 ? hex(0xffffff) : kind == 1 ? hex(0xffe070) : hex(0xff4030);
    Rgb c1 = kind == 0 ? hex(0xa0b0c0) : kind == 1 ? hex(0xb07810) : hex(0x900010);
    cairo_pattern_t* g = cairo_pattern_create_radial(x - r / 3, y - r / 3, 1, x, y, r);
    addStop(g, 0, c0);
    addStop(g, 1, c1);
    cairo_set_source(cr, g);
    circle(cr, x, y, r);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    setRgb(cr, hex(0x201008));
    cairo_set_line_width(cr, 3);
    cairo_stroke(cr);
    if (border) {
        setRgb(cr, kind == 0 ? hex(0xd0d8e0) : hex(0xfff0b0));
        cairo_set_line_width(cr, 2.5);
        circle(cr, x, y, r - 6);
        cairo_stroke(cr);
    }
    if (kind == 1) {  // a tick for a finished level
        cairo_move_to(cr, x - r * 0.45, y);
        cairo_line_to(cr, x - r * 0.1, y + r * 0.35);
        cairo_line_to(cr, x + r * 0.5, y - r * 0.4);
        setRgb(cr, hex(0x4a2a00));
        cairo_set_line_width(cr, border ? 6 : 4.5);
        cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
        cairo_stroke(cr);
    } else if (kind == 2) {
        polyPath(cr, star(x, y, r * 0.6, r * 0.26, 5, -M_PI / 2));
        setRgb(cr, hex(0xfff4c0));
        cairo_fill(cr);
    }
    setRgb(cr, {1, 1, 1}, 0.7);
    cairo_save(cr);
    cairo_translate(cr, x - r * 0.35, y - r * 0.45);
    cairo_scale(cr, 1, 0.6);
    circle(cr, 0, 0, r * 0.3);
    cairo_restore(cr);
    cairo_fill(cr);
}

void drawMapPoints(const std::string& path) {
    Canvas cv(256, 256);
    cairo_t* cr = cv.cr();
    const int cell = kMapPointCell;
    for (int s = 0; s < 6; ++s) drawPointSprite(cr, (s % 4) * cell + cell / 2.0, (s / 4) * cell + cell / 2.0, s);
    // Pulse ring.
    {
        double x = (kMapPulseCell % 4) * cell + cell / 2.0, y = (kMapPulseCell / 4) * cell + cell / 2.0;
        cairo_pattern_t* g = cairo_pattern_create_radial(x, y, 18, x, y, 30);
        addStop(g, 0, {1, 1, 1}, 0);
        addStop(g, 0.55, hex(0xfff0a0), 1);
        addStop(g, 1, {1, 1, 1}, 0);
        cairo_set_source(cr, g);
        circle(cr, x, y, 30);
        cairo_fill(cr);
        cairo_pattern_destroy(g);
    }
    // Marker: a small ship from above.
    {
        double x = (kMapMarkerCell % 4) * cell + cell / 2.0, y = (kMapMarkerCell / 4) * cell + cell / 2.0;
        cairo_save(cr);
        cairo_translate(cr, x, y);
        setRgb(cr, {0, 0, 0}, 0.35);
        cairo_save(cr);
        cairo_translate(cr, 2, 3);
        cairo_scale(cr, 0.5, 1);
        circle(cr, 0, 0, 26);
        cairo_restore(cr);
        cairo_fill(cr);
        cairo_move_to(cr, 0, -28);
        cairo_curve_to(cr, 14, -14, 13, 14, 8, 26);
        cairo_line_to(cr, -8, 26);
        cairo_curve_to(cr, -13, 14, -14, -14, 0, -28);
        setRgb(cr, hex(0x8a5020));
        cairo_fill_preserve(cr);
        setRgb(cr, hex(0x2a1408));
        cairo_set_line_width(cr, 2.5);
        cairo_stroke(cr);
        cairo_move_to(cr, -20, -4);
        cairo_curve_to(cr, -8, -14, 8, -14, 20, -4);
        cairo_curve_to(cr, 8, -8, -8, -8, -20, -4);
        setRgb(cr, hex(0xf8f0dc));
        cairo_fill(cr);
        cairo_move_to(cr, -16, 10);
        cairo_curve_to(cr, -6, 2, 6, 2, 16, 10);
        cairo_curve_to(cr, 6, 6, -6, 6, -16, 10);
        cairo_fill(cr);
        setRgb(cr, hex(0xd02020));
        polyPath(cr, {{0, -26}, {8, -22}, {0, -18}});
        cairo_fill(cr);
        cairo_restore(cr);
    }
    cv.save(path);
}

}  // namespace

void addIslandMap(PainterMap& m) {
    m["red/shop/shop0.jpg"] = drawIslandMap;
    m["red/shop/map-points2.png"] = drawMapPoints;
}

const MapPoint* islandLevelPoints() {
    static const std::vector<MapPoint> screen = [] {
        std::vector<MapPoint> s(kLevels + 1, MapPoint{0, 0});
        const auto& p = levelPoints();
        for (int n = 1; n <= kLevels; ++n) s[n] = {int(std::lround(p[n].x * 1280.0 / kPic)), int(std::lround(p[n].y))};
        return s;
    }();
    return screen.data();
}

void writeMapPointFile(const std::string& fullPath) {
    unsigned char buf[kMapPointFileSize] = {};
    const MapPoint* p = islandLevelPoints();
    for (int n = 1; n <= kLevels; ++n) {
        int v[2] = {p[n].x, p[n].y};
        for (int k = 0; k < 2; ++k)
            for (int b = 0; b < 4; ++b) buf[n * 8 + k * 4 + b] = uint8_t(uint32_t(v[k]) >> (8 * b));
    }
    writeWhole(fullPath, std::string_view(reinterpret_cast<const char*>(buf), sizeof buf));
}

}  // namespace bm::art

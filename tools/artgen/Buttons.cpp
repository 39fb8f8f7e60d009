// Dialog buttons, the play screen's bonus buttons and the menu button, each in its
// states: 0 normal, 1 pointer over it, 2 pressed, 3 not available (empty stock).

#include "Painters.h"
#include "Shapes.h"
#include "bonus/BonusKinds.h"

#include <cmath>
#include <string>

namespace bm::art {

namespace {

const Rgb kInk = hex(0x1a0e08);

void desaturate(Canvas& cv, double dim) {
    shadePixels(cv, [dim](int, int, double& r, double& g, double& b, double& a) {
        double l = (0.3 * r + 0.59 * g + 0.11 * b) * dim;
        r = g = b = l;
        a *= 0.85;
    });
}

// Wooden plaque with a gold rim and a label.
void plaque(const std::string& path, const std::string& label, int state, Rgb wood) {
    Canvas cv(256, 256);
    unitSpace(cv);
    cairo_t* cr = cv.cr();
    double dy = state == 2 ? 1.5 : 0;
    if (state == 1) {
        softShadow(cv, [](cairo_t* k) { cairo_scale(k, 2.56, 2.56); roundRect(k, 4, 26, 92, 48, 12); }, 14, 0, 0,
                   hex(0xffd040), 0.9);
    }
    unitShadow(cv, [&](cairo_t* k) { roundRect(k, 4, 26 + dy, 92, 48, 12); }, 2.5, state == 2 ? 1 : 2.5, 0.6);
    roundRect(cr, 4, 26 + dy, 92, 48, 12);
    fillVertical(cr, 26, 74, hex(0xfff0a0), hex(0x9a6408));
    edge(cr, kInk, 1.6);
    Rgb w = state == 1 ? lighter(wood, 0.18) : state == 2 ? darker(wood, 0.25) : wood;
    roundRect(cr, 8, 30 + dy, 84, 40, 9);
    fillVertical(cr, 30, 70, lighter(w, 0.25), darker(w, 0.35));
    edge(cr, darker(wood, 0.6), 1);
    // Wood grain.
    cairo_save(cr);
    roundRect(cr, 8, 30 + dy, 84, 40, 9);
    cairo_clip(cr);
    Rand rnd(9);
    for (int i = 0; i < 7; ++i) {
        double y = 33 + i * 5.5 + dy;
        cairo_move_to(cr, 8, y);
        cairo_curve_to(cr, 30, y + rnd.range(-2, 2), 60, y + rnd.range(-2, 2), 92, y);
    }
    setRgb(cr, {0, 0, 0}, 0.12);
    cairo_set_line_width(cr, 0.7);
    cairo_stroke(cr);
    if (state != 2) gloss(cr, 50, 34 + dy, 40, 6, 0.35);
    cairo_restore(cr);
    double size = label.size() > 3 ? 17 : 20;
    outlinedText(cr, label, 50, 57 + dy + size * 0.06, size, state == 1 ? hex(0xffffff) : hex(0xfff4c8),
                 state == 1 ? hex(0xffe070) : hex(0xf0c050), kInk, 1.6);
    cv.save(path);
}

// Round button with a symbol: 0 a cross (close), 1 a bar (minimise), 2 a tick (finish).
void roundSymbol(const std::string& path, int symbol, int state, bool square) {
    Canvas cv(256, 256);
    unitSpace(cv);
    cairo_t* cr = cv.cr();
    double dy = state == 2 ? 1.5 : 0;
    Rgb base = symbol == 0 ? hex(0xd02a20) : symbol == 1 ? hex(0x2a70c8) : hex(0x30a040);
    if (state == 1) base = lighter(base, 0.2);
    if (state == 2) base = darker(base, 0.25);
    auto shape = [&](cairo_t* k) {
        if (square) roundRect(k, 14, 14 + dy, 72, 72, 14);
        else circle(k, 50, 50 + dy, 37);
    };
    if (state == 1)
        softShadow(cv, [&](cairo_t* k) { cairo_scale(k, 2.56, 2.56); shape(k); }, 12, 0, 0, hex(0xffe080), 0.9);
    unitShadow(cv, shape, 2.5, 2.5, 0.6);
    shape(cr);
    fillVertical(cr, 12, 88, hex(0xfff0a0), hex(0x9a6408));
    edge(cr, kInk, 1.8);
    cairo_save(cr);
    cairo_translate(cr, 50, 50 + dy);
    cairo_scale(cr, 0.84, 0.84);
    cairo_translate(cr, -50, -50);
    shape(cr);
    cairo_restore(cr);
    fillRadial(cr, 50, 50 + dy, 34, lighter(base, 0.45), darker(base, 0.3));
    cairo_new_path(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    if (symbol == 0) {
        cairo_move_to(cr, 37, 37 + dy);
        cairo_line_to(cr, 63, 63 + dy);
        cairo_move_to(cr, 63, 37 + dy);
        cairo_line_to(cr, 37, 63 + dy);
    } else if (symbol == 1) {
        cairo_move_to(cr, 35, 50 + dy);
        cairo_line_to(cr, 65, 50 + dy);
    } else {
        cairo_move_to(cr, 35, 51 + dy);
        cairo_line_to(cr, 46, 62 + dy);
        cairo_line_to(cr, 66, 38 + dy);
    }
    setRgb(cr, kInk, 0.8);
    cairo_set_line_width(cr, 13);
    cairo_stroke_preserve(cr);
    setRgb(cr, {1, 1, 1});
    cairo_set_line_width(cr, 8);
    cairo_stroke(cr);
    if (state != 2) gloss(cr, 50, 28 + dy, 24, 10, 0.45);
    cv.save(path);
}

// The spyglass of the hint button.
void spyglass(Canvas& cv) {
    unitSpace(cv);
    cairo_t* cr = cv.cr();
    cairo_save(cr);
    cairo_translate(cr, 50, 50);
    cairo_rotate(cr, -M_PI / 4);
    auto tube = [&](double x0, double x1, double h, Rgb c) {
        roundRect(cr, x0, -h / 2, x1 - x0, h, 2);
        fillVertical(cr, -h / 2, h / 2, lighter(c, 0.5), darker(c, 0.4));
        edge(cr, kInk, 2);
    };
    tube(-44, -14, 16, hex(0x8a4a20));
    tube(-16, 14, 20, hex(0xd8a030));
    tube(12, 40, 25, hex(0x8a4a20));
    tube(36, 46, 29, hex(0xf0c040));
    cairo_restore(cr);
    // Lens glint.
    sparkle(cr, 80, 20, 12);
}

void medallion(const std::string& path, int state, const std::function<void(Canvas&)>& icon) {
    Canvas cv(256, 256);
    cairo_t* cr = cv.cr();
    unitSpace(cv);
    double dy = state == 2 ? 1.2 : 0;
    if (state == 1)
        softShadow(cv, [&](cairo_t* k) { circle(k, 128, 128, 100); }, 18, 0, 0, hex(0xffd040), 1.0);
    unitShadow(cv, [&](cairo_t* k) { circle(k, 50, 50 + dy, 37); }, 2.5, 2.5, 0.6);
    // Gold rim and a sea-glass face.
    circle(cr, 50, 50 + dy, 37);
    fillVertical(cr, 13, 87, hex(0xfff0a0), hex(0x8a5408));
    edge(cr, kInk, 1.8);
    circle(cr, 50, 50 + dy, 31.5);
    Rgb face = state == 1 ? hex(0x2a8ac8) : state == 2 ? hex(0x0c3a6a) : hex(0x1a5a98);
    fillRadial(cr, 50, 50 + dy, 34, lighter(face, 0.45), darker(face, 0.5));
    edge(cr, hex(0x5a3a08), 1);
    // Studs around the rim.
    for (int i = 0; i < 8; ++i) {
        double a = i * M_PI / 4 + M_PI / 8;
        double x = 50 + std::cos(a) * 34.3, y = 50 + dy + std::sin(a) * 34.3;
        circle(cr, x, y, 1.5);
        fillRadial(cr, x, y, 1.5, hex(0xffffff), hex(0x9a6408));
        cairo_new_path(cr);
    }
    Canvas ic(512, 512);
    icon(ic);
    cairo_save(cr);
    cairo_identity_matrix(cr);
    double s = 0.62 * 256 / 512.0;
    cairo_translate(cr, 128 - 256 * s, 128 - 256 * s + dy * 2.56);
    cairo_scale(cr, s, s);
    cairo_set_source_surface(cr, ic.surface(), 0, 0);
    cairo_paint(cr);
    cairo_restore(cr);
    if (state != 2) gloss(cr, 50, 26 + dy, 22, 8, 0.4);
    if (state == 3) desaturate(cv, 0.75);
    cv.save(path);
}

void menuWheel(const std::string& path, int state) {
    // The ship's wheel of the menu button (states 0, hover "s", pressed "p"),
    // at four fifths of the picture: the game draws the picture 4.5 design
    // pixels from the screen's right edge and 2 from its bottom, and the
    // handles must stand clear of both.
    Canvas cv(256, 256);
    unitSpace(cv);
    cairo_t* cr = cv.cr();
    cairo_translate(cr, 50, 50);
    cairo_scale(cr, 0.8, 0.8);
    cairo_translate(cr, -50, -50);
    double dy = state == 2 ? 1.2 : 0;
    // The shadows are drawn on canvases of their own, at the wheel's size.
    if (state == 1)
        softShadow(cv, [&](cairo_t* k) { circle(k, 128, 128, 84); }, 15, 0, 0, hex(0xffd040), 1.0);
    unitShadow(cv, [&](cairo_t* k) { circle(k, 50, 50 + dy, 32); }, 2, 2, 0.6);
    Rgb wood = state == 1 ? hex(0xc07a3a) : state == 2 ? hex(0x6a3a14) : hex(0x9a5a24);
    for (int i = 0; i < 8; ++i) {
        double a = i * M_PI / 4;
        cairo_move_to(cr, 50, 50 + dy);
        cairo_line_to(cr, 50 + std::cos(a) * 44, 50 + dy + std::sin(a) * 44);
        setRgb(cr, kInk);
        cairo_set_line_width(cr, 8);
        cairo_stroke(cr);
        cairo_move_to(cr, 50, 50 + dy);
        cairo_line_to(cr, 50 + std::cos(a) * 43, 50 + dy + std::sin(a) * 43);
        setRgb(cr, wood);
        cairo_set_line_width(cr, 5);
        cairo_stroke(cr);
        circle(cr, 50 + std::cos(a) * 44, 50 + dy + std::sin(a) * 44, 4);
        fillRadial(cr, 50 + std::cos(a) * 44, 50 + dy + std::sin(a) * 44, 4, lighter(wood, 0.4), darker(wood, 0.3));
        edge(cr, kInk, 1.2);
    }
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
    circle(cr, 50, 50 + dy, 34);
    circle(cr, 50, 50 + dy, 27);
    fillVertical(cr, 16, 84, lighter(wood, 0.35), darker(wood, 0.35));
    edge(cr, kInk, 1.6);
    cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
    circle(cr, 50, 50 + dy, 25);
    fillRadial(cr, 50, 50 + dy, 26, hex(0x3a90d0), hex(0x0a2a50));
    edge(cr, hex(0xd8a030), 2);
    // The game writes "MENU" on the blue middle, in the player's language (render/PlayScreen.cpp).
    if (state != 2) gloss(cr, 50, 30 + dy, 20, 7, 0.4);
    cv.save(path);
}

}  // namespace

void addButtons(PainterMap& m) {
    struct P {
        const char* name;
        const char* label;
        uint32_t wood;
    };
    const P plaques[] = {{"bYes", "YES", 0x2a8a3a}, {"bNo", "NO", 0xa02a20}, {"bOk", "OK", 0x2a6ab0},
                         {"bMenu", "MENU", 0x8a5224}};
    for (int s = 0; s < 3; ++s) {
        for (const auto& p : plaques) {
            std::string label = p.label;
            Rgb wood = hex(p.wood);
            m["256/buttons/" + std::string(p.name) + std::to_string(s) + ".png"] = [label, s, wood](const std::string& f) {
                plaque(f, label, s, wood);
            };
        }
        m["256/buttons/cross" + std::to_string(s) + ".png"] = [s](const std::string& f) { roundSymbol(f, 0, s, false); };
        m["256/buttons/line" + std::to_string(s) + ".png"] = [s](const std::string& f) { roundSymbol(f, 1, s, false); };
        m["256/buttons/crossh" + std::to_string(s) + ".png"] = [s](const std::string& f) { roundSymbol(f, 0, s, true); };
        m["256/buttons/lineh" + std::to_string(s) + ".png"] = [s](const std::string& f) { roundSymbol(f, 1, s, true); };
        m["256/buttons/hint" + std::to_string(s) + ".png"] = [s](const std::string& f) { medallion(f, s, spyglass); };
    }
    m["256/buttons/cfin.png"] = [](const std::string& f) { roundSymbol(f, 2, 0, false); };
    const char* menuNames[3] = {"256/mainmenu3.png", "256/mainmenu3s.png", "256/mainmenu3p.png"};
    for (int s = 0; s < 3; ++s) m[menuNames[s]] = [s](const std::string& f) { menuWheel(f, s); };
    // The stock buttons wear the picture of the kind that fills them.
    struct B {
        const char* name;
        bm::StockButton button;
    };
    const B bonus[] = {{"parrot", bm::StockButton::Parrot}, {"shuffle", bm::StockButton::Shuffle},
                       {"hook", bm::StockButton::Hook}, {"sun", bm::StockButton::Sun}};
    for (const auto& b : bonus)
        for (int s = 0; s < 4; ++s) {
            std::string icon(bm::ButtonKind(b.button)->picture);
            m["256/buttons/" + std::string(b.name) + std::to_string(s) + ".png"] = [icon, s](const std::string& f) {
                medallion(f, s, [&icon](Canvas& c) { drawBonusIcon(c, icon); });
            };
        }
}

}  // namespace bm::art

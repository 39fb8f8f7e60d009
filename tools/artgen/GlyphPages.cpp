// Glyph pages of the bitmap font. Every glyph is drawn inside its own place of the
// glyph table, on a baseline a fixed distance below the place's top so that text
// sets evenly; the small pages are drawn at their scale (half the design size).
// Fills are light and outlines dark: the game tints each glyph with two colours
// laid over each other.

#include "Canvas.h"
#include "Painters.h"
#include "render/GlyphTable.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace bm::art {

namespace {

enum class GlyphSet { Large, Small };

struct Style {
    const char* family;
    double em;
    double outline;  // pixels outside the letter's edge
    Rgb fillTop, fillBottom, edge;
    bool gloss;
    bool openDots = false;  // the dots of i and j stand clear of their stems, outline and all
};

Style styleOf(GlyphSet s) {
    switch (s) {
        case GlyphSet::Large:
            return {"DejaVu Serif", 92, 4.5, hex(0xffffff), hex(0xd8dde6), hex(0x101828), true};
        case GlyphSet::Small:
            return {"DejaVu Sans", 90, 6.5, hex(0xffffff), hex(0xe8ecf2), hex(0x0a1020), false, true};
    }
    return {};
}

// Symbols the screens use as marks get shapes of their own (arrows, check box, tick,
// cross), and so does the box drawn for a character the font lacks.
bool symbolPath(cairo_t* cr, char32_t ch) {
    switch (ch) {
        case '<':
            cairo_move_to(cr, 0, -38);
            cairo_line_to(cr, 62, -78);
            cairo_line_to(cr, 62, 2);
            cairo_close_path(cr);
            return true;
        case '>':
            cairo_move_to(cr, 62, -38);
            cairo_line_to(cr, 0, -78);
            cairo_line_to(cr, 0, 2);
            cairo_close_path(cr);
            return true;
        case U'~':  // kCheckBoxGlyph
            cairo_rectangle(cr, 0, -66, 66, 66);
            cairo_rectangle(cr, 56, -56, -46, 46);  // counter-clockwise hole
            return true;
        case '^':  // the tick
            cairo_move_to(cr, 0, -38);
            cairo_line_to(cr, 16, -52);
            cairo_line_to(cr, 30, -32);
            cairo_line_to(cr, 70, -86);
            cairo_line_to(cr, 84, -72);
            cairo_line_to(cr, 30, 4);
            cairo_close_path(cr);
            return true;
        case '#': {  // the delete mark: a bold cross
            double w = 13;
            double pts[][2] = {{0, -w},  {w, 0},     {35, -35 + w}, {70 - w, 0}, {70, -w},   {35 + w, -35},
                               {70, -70 + w}, {70 - w, -70}, {35, -35 - w}, {w, -70}, {0, -70 + w}, {35 - w, -35}};
            cairo_move_to(cr, pts[0][0], pts[0][1] - 4);
            for (auto& p : pts) cairo_line_to(cr, p[0], p[1] - 4);
            cairo_close_path(cr);
            return true;
        }
        case kReplacementGlyph:  // an empty box, taller than wide
            cairo_rectangle(cr, 0, -72, 44, 72);
            cairo_rectangle(cr, 34, -62, -24, 52);
            return true;
        default:
            return false;
    }
}

// The glyph's character as UTF-8, for cairo (every code of the table is below U+10000).
std::string utf8(char32_t c) {
    if (c < 0x80) return std::string(1, char(c));
    if (c < 0x800) return {char(0xC0 | (c >> 6)), char(0x80 | (c & 0x3F))};
    return {char(0xE0 | (c >> 12)), char(0x80 | ((c >> 6) & 0x3F)), char(0x80 | (c & 0x3F))};
}

void glyphPath(cairo_t* cr, char32_t ch, const Style& st) {
    if (symbolPath(cr, ch)) return;
    cairo_select_font_face(cr, st.family, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, st.em);
    cairo_move_to(cr, 0, 0);
    if (st.openDots && (ch == U'i' || ch == U'j')) {
        // Small and thickly outlined, the font's own dot runs into the stem ("ldentlcal"):
        // the dotless letter, and a dot of the stem's width set higher, a clear gap
        // left between the two outlines.
        const std::string stem = utf8(ch == U'i' ? 0x131 : 0x237);
        cairo_text_extents_t bar, te;
        cairo_text_extents(cr, utf8(0x131).c_str(), &bar);
        cairo_text_extents(cr, stem.c_str(), &te);
        cairo_text_path(cr, stem.c_str());
        double r = 0.4 * bar.width, cx = te.x_bearing + te.width - bar.width / 2;
        double cy = te.y_bearing - 2 * st.outline - 13 - r;
        cairo_new_sub_path(cr);
        cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
        cairo_close_path(cr);
        return;
    }
    cairo_text_path(cr, utf8(ch).c_str());
}

struct Box {
    double x0, y0, x1, y1;
};

// g's place is in page pixels; scale is page pixels per design pixel. Everything is
// drawn in design pixels under that scale.
void drawGlyph(Canvas& cv, const GlyphPlace& g, const Style& st, double scale) {
    cairo_t* cr = cv.cr();
    cairo_save(cr);
    cairo_scale(cr, scale, scale);
    const double margin = 2.0;
    const double shadow = 2.5;  // the drop shadow's offset, right and down
    const double top = g.y / scale;
    Box area{g.x / scale, top, (g.x + g.w) / scale, top + kGlyphCell};
    area.x0 += margin;
    area.y0 += margin;
    area.x1 -= margin + shadow;
    area.y1 -= margin + shadow;

    cairo_new_path(cr);
    glyphPath(cr, g.code, st);
    double x1, y1, x2, y2;
    cairo_path_extents(cr, &x1, &y1, &x2, &y2);
    cairo_new_path(cr);

    double baseline = top + kGlyphBaseline;
    double ow = st.outline;
    // Squeeze sideways only as much as the rectangle needs; shrink about the baseline
    // when the rectangle is too short.
    double sx = std::min(1.0, (area.x1 - area.x0 - 2 * ow) / (x2 - x1));
    double f = 1.0;
    if (baseline + y1 - ow < area.y0) f = std::min(f, (baseline - area.y0 - ow) / -y1);
    if (y2 > 0 && baseline + y2 + ow > area.y1) f = std::min(f, (area.y1 - ow - baseline) / y2);
    double w = (x2 - x1) * sx * f;
    double left = (area.x0 + area.x1) / 2 - w / 2;
    cairo_matrix_t m;
    cairo_matrix_init(&m, sx * f, 0, 0, f, left - x1 * sx * f, baseline);

    auto path = [&] {
        cairo_new_path(cr);
        cairo_save(cr);
        cairo_transform(cr, &m);
        glyphPath(cr, g.code, st);
        cairo_restore(cr);
    };
    cairo_save(cr);
    cairo_rectangle(cr, area.x0, area.y0, area.x1 - area.x0 + shadow, area.y1 - area.y0 + shadow);
    cairo_clip(cr);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    // Drop shadow.
    cairo_save(cr);
    cairo_translate(cr, shadow, shadow);
    path();
    setRgb(cr, {0, 0, 0}, 0.5);
    cairo_set_line_width(cr, 2 * ow);
    cairo_stroke_preserve(cr);
    cairo_fill(cr);
    cairo_restore(cr);
    // Outline, then the fill.
    path();
    setRgb(cr, st.edge);
    cairo_set_line_width(cr, 2 * ow);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* grad = cairo_pattern_create_linear(0, baseline - 75 * f, 0, baseline + 10);
    addStop(grad, 0, st.fillTop);
    addStop(grad, 1, st.fillBottom);
    cairo_set_source(cr, grad);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(grad);
    if (st.gloss) {
        // A lighter band across the upper part of each stroke.
        cairo_clip(cr);
        cairo_pattern_t* gl = cairo_pattern_create_linear(0, baseline - 80 * f, 0, baseline - 30 * f);
        addStop(gl, 0, {1, 1, 1}, 0.0);
        addStop(gl, 0.5, {1, 1, 1}, 0.55);
        addStop(gl, 1, {1, 1, 1}, 0.0);
        cairo_set_source(cr, gl);
        cairo_paint(cr);
        cairo_pattern_destroy(gl);
    }
    cairo_new_path(cr);
    cairo_restore(cr);
    cairo_restore(cr);
}

void drawPage(const std::string& path, int page, GlyphSet set) {
    Canvas cv(kGlyphPageEdge, kGlyphPageEdge);
    Style st = styleOf(set);
    const bool large = set == GlyphSet::Large;
    for (const GlyphPlace& g : large ? kLargeGlyphs : kSmallGlyphs)
        if (g.page == page) drawGlyph(cv, g, st, large ? 1.0 : 0.5);
    cv.save(path);
}

}  // namespace

void addGlyphPages(PainterMap& m) {
    for (int i = 0; i < kLargeGlyphPages; ++i)
        m[GlyphPagePath(true, i)] = [i](const std::string& p) { drawPage(p, i, GlyphSet::Large); };
    for (int i = 0; i < kSmallGlyphPages; ++i)
        m[GlyphPagePath(false, i)] = [i](const std::string& p) { drawPage(p, i, GlyphSet::Small); };
}

}  // namespace bm::art

#include "Canvas.h"

#include <stb/stb_image_write.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "io/AtomicWrite.h"

namespace bm::art {

Rgb hex(uint32_t v) { return {((v >> 16) & 255) / 255.0, ((v >> 8) & 255) / 255.0, (v & 255) / 255.0}; }
Rgb mix(Rgb a, Rgb b, double t) { return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t}; }
Rgb lighter(Rgb c, double t) { return mix(c, {1, 1, 1}, t); }
Rgb darker(Rgb c, double t) { return mix(c, {0, 0, 0}, t); }

Canvas::Canvas(int w, int h) : w_(w), h_(h) {
    surf_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cr_ = cairo_create(surf_);
}

Canvas::~Canvas() {
    cairo_destroy(cr_);
    cairo_surface_destroy(surf_);
}

std::vector<uint8_t> straightRgba(const Canvas& c) {
    cairo_surface_flush(c.surface());
    const unsigned char* data = cairo_image_surface_get_data(c.surface());
    int stride = cairo_image_surface_get_stride(c.surface());
    std::vector<uint8_t> out(size_t(c.w()) * c.h() * 4);
    for (int y = 0; y < c.h(); ++y) {
        const uint32_t* row = reinterpret_cast<const uint32_t*>(data + size_t(y) * stride);
        for (int x = 0; x < c.w(); ++x) {
            uint32_t p = row[x];
            unsigned a = p >> 24, r = (p >> 16) & 255, g = (p >> 8) & 255, b = p & 255;
            uint8_t* o = &out[(size_t(y) * c.w() + x) * 4];
            if (a == 0) {
                o[0] = o[1] = o[2] = o[3] = 0;
                continue;
            }
            o[0] = uint8_t(std::min(255u, (r * 255 + a / 2) / a));
            o[1] = uint8_t(std::min(255u, (g * 255 + a / 2) / a));
            o[2] = uint8_t(std::min(255u, (b * 255 + a / 2) / a));
            o[3] = uint8_t(a);
        }
    }
    return out;
}

void Canvas::save(const std::string& path, int jpegQuality) const {
    bool jpeg = path.size() > 4 && path.compare(path.size() - 4, 4, ".jpg") == 0;
    bool ok;
    std::string bytes;
    if (jpeg) {
        // JPEG has no alpha: flatten on black first.
        std::vector<uint8_t> rgba = straightRgba(*this);
        std::vector<uint8_t> rgb(size_t(w_) * h_ * 3);
        for (size_t i = 0, n = size_t(w_) * h_; i < n; ++i)
            for (int k = 0; k < 3; ++k) rgb[i * 3 + k] = uint8_t(rgba[i * 4 + k] * rgba[i * 4 + 3] / 255);
        auto put = [](void* to, void* data, int size) { static_cast<std::string*>(to)->append(static_cast<char*>(data), size_t(size)); };
        ok = stbi_write_jpg_to_func(put, &bytes, w_, h_, 3, rgb.data(), jpegQuality) != 0;
    } else {
        cairo_surface_flush(surf_);
        ok = cairo_surface_write_to_png_stream(surf_, appendBytes, &bytes) == CAIRO_STATUS_SUCCESS;
    }
    if (!ok) throw std::runtime_error("cannot encode " + path);
    writeWhole(path, bytes);
}

cairo_status_t appendBytes(void* string, const unsigned char* data, unsigned int size) {
    static_cast<std::string*>(string)->append(reinterpret_cast<const char*>(data), size);
    return CAIRO_STATUS_SUCCESS;
}

void writeWhole(const std::string& path, std::string_view bytes) {
    std::string error;
    if (!WriteFileAtomic(path, bytes, &error)) throw std::runtime_error(error);
}

void setRgb(cairo_t* cr, Rgb c, double a) { cairo_set_source_rgba(cr, c.r, c.g, c.b, a); }
void addStop(cairo_pattern_t* p, double off, Rgb c, double a) { cairo_pattern_add_color_stop_rgba(p, off, c.r, c.g, c.b, a); }

void polyPath(cairo_t* cr, const Poly& p) {
    if (p.empty()) return;
    cairo_move_to(cr, p[0].x, p[0].y);
    for (size_t i = 1; i < p.size(); ++i) cairo_line_to(cr, p[i].x, p[i].y);
    cairo_close_path(cr);
}

void roundRect(cairo_t* cr, double x, double y, double w, double h, double r) {
    r = std::min({r, w / 2, h / 2});
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 1.5 * M_PI);
    cairo_close_path(cr);
}

void circle(cairo_t* cr, double x, double y, double r) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, x, y, r, 0, 2 * M_PI);
    cairo_close_path(cr);
}

Poly regular(double cx, double cy, double r, int n, double rot) {
    Poly p;
    for (int i = 0; i < n; ++i) {
        double a = rot + 2 * M_PI * i / n;
        p.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
    }
    return p;
}

Poly star(double cx, double cy, double r1, double r2, int n, double rot) {
    Poly p;
    for (int i = 0; i < 2 * n; ++i) {
        double a = rot + M_PI * i / n;
        double r = (i % 2) ? r2 : r1;
        p.push_back({cx + r * std::cos(a), cy + r * std::sin(a)});
    }
    return p;
}

Poly hexFlat(double cx, double cy, double r) { return regular(cx, cy, r, 6, 0); }

static void boxBlurChannel(std::vector<float>& v, int w, int h, int r) {
    if (r < 1) return;
    std::vector<float> tmp(v.size());
    for (int y = 0; y < h; ++y) {
        float acc = 0;
        int n = 2 * r + 1;
        for (int x = -r - 1; x < r; ++x) acc += v[size_t(y) * w + std::clamp(x, 0, w - 1)];
        for (int x = 0; x < w; ++x) {
            acc += v[size_t(y) * w + std::min(x + r, w - 1)] - v[size_t(y) * w + std::max(x - r - 1, 0)];
            tmp[size_t(y) * w + x] = acc / n;
        }
    }
    for (int x = 0; x < w; ++x) {
        float acc = 0;
        int n = 2 * r + 1;
        for (int y = -r - 1; y < r; ++y) acc += tmp[size_t(std::clamp(y, 0, h - 1)) * w + x];
        for (int y = 0; y < h; ++y) {
            acc += tmp[size_t(std::min(y + r, h - 1)) * w + x] - tmp[size_t(std::max(y - r - 1, 0)) * w + x];
            v[size_t(y) * w + x] = acc / n;
        }
    }
}

void blur(Canvas& c, int radius) {
    cairo_surface_flush(c.surface());
    unsigned char* data = cairo_image_surface_get_data(c.surface());
    int stride = cairo_image_surface_get_stride(c.surface());
    int w = c.w(), h = c.h();
    std::vector<float> ch[4];
    for (auto& v : ch) v.resize(size_t(w) * h);
    for (int y = 0; y < h; ++y) {
        uint32_t* row = reinterpret_cast<uint32_t*>(data + size_t(y) * stride);
        for (int x = 0; x < w; ++x)
            for (int k = 0; k < 4; ++k) ch[k][size_t(y) * w + x] = float((row[x] >> (8 * k)) & 255);
    }
    int r = std::max(1, radius / 2);
    for (auto& v : ch)
        for (int pass = 0; pass < 3; ++pass) boxBlurChannel(v, w, h, r);
    for (int y = 0; y < h; ++y) {
        uint32_t* row = reinterpret_cast<uint32_t*>(data + size_t(y) * stride);
        for (int x = 0; x < w; ++x) {
            uint32_t a = uint32_t(std::clamp(ch[3][size_t(y) * w + x] + 0.5f, 0.f, 255.f));
            uint32_t p = a << 24;
            for (int k = 0; k < 3; ++k)
                p |= uint32_t(std::clamp(ch[k][size_t(y) * w + x] + 0.5f, 0.f, float(a))) << (8 * k);
            row[x] = p;
        }
    }
    cairo_surface_mark_dirty(c.surface());
}

void softShadow(Canvas& c, const std::function<void(cairo_t*)>& shape, double radius, double dx, double dy,
                Rgb colour, double alpha) {
    // A blurred shadow has no fine detail: draw and blur it at a fraction of the size.
    int d = std::clamp(int(radius / 3), 1, 4);
    Canvas s((c.w() + d - 1) / d, (c.h() + d - 1) / d);
    cairo_scale(s.cr(), 1.0 / d, 1.0 / d);
    cairo_translate(s.cr(), dx, dy);
    cairo_new_path(s.cr());
    shape(s.cr());
    setRgb(s.cr(), colour, alpha);
    cairo_fill(s.cr());
    blur(s, std::max(1, int(radius / d)));
    cairo_save(c.cr());
    cairo_identity_matrix(c.cr());
    cairo_scale(c.cr(), d, d);
    cairo_set_source_surface(c.cr(), s.surface(), 0, 0);
    cairo_pattern_set_filter(cairo_get_source(c.cr()), CAIRO_FILTER_BILINEAR);
    cairo_paint(c.cr());
    cairo_restore(c.cr());
}

double outlinedText(cairo_t* cr, const std::string& text, double x, double y, double size, Rgb top, Rgb bottom,
                    Rgb outline, double outlineWidth, Align align, bool serif) {
    cairo_save(cr);
    cairo_select_font_face(cr, serif ? "DejaVu Serif" : "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_BOLD);
    cairo_set_font_size(cr, size);
    cairo_text_extents_t te;
    cairo_text_extents(cr, text.c_str(), &te);
    double x0 = x;
    if (align == Align::Centre) x0 = x - te.x_advance / 2;
    if (align == Align::Right) x0 = x - te.x_advance;
    cairo_new_path(cr);
    cairo_move_to(cr, x0, y);
    cairo_text_path(cr, text.c_str());
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    // Drop shadow.
    cairo_save(cr);
    cairo_translate(cr, outlineWidth * 0.35, outlineWidth * 0.6);
    setRgb(cr, {0, 0, 0}, 0.45);
    cairo_set_line_width(cr, outlineWidth * 2);
    cairo_stroke_preserve(cr);
    cairo_fill(cr);
    cairo_restore(cr);
    cairo_new_path(cr);
    cairo_move_to(cr, x0, y);
    cairo_text_path(cr, text.c_str());
    setRgb(cr, outline);
    cairo_set_line_width(cr, outlineWidth * 2);
    cairo_stroke_preserve(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y + te.y_bearing, 0, y);
    addStop(g, 0, top);
    addStop(g, 1, bottom);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_restore(cr);
    return te.x_advance;
}

static double hashNoise(int x, int y, uint32_t seed) {
    uint32_t h = uint32_t(x) * 374761393u + uint32_t(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFF) / 65535.0;
}

static double valueNoise(double x, double y, uint32_t seed) {
    int xi = int(std::floor(x)), yi = int(std::floor(y));
    double fx = x - xi, fy = y - yi;
    double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    double a = hashNoise(xi, yi, seed), b = hashNoise(xi + 1, yi, seed);
    double c = hashNoise(xi, yi + 1, seed), d = hashNoise(xi + 1, yi + 1, seed);
    return (a + (b - a) * sx) + ((c + (d - c) * sx) - (a + (b - a) * sx)) * sy;
}

double fbm(double x, double y, int octaves, uint32_t seed) {
    double sum = 0, amp = 0.5, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amp * valueNoise(x, y, seed + uint32_t(i) * 101u);
        norm += amp;
        x *= 2.03;
        y *= 2.03;
        amp *= 0.5;
    }
    return sum / norm;
}

void shadePixels(Canvas& c, const std::function<void(int, int, double&, double&, double&, double&)>& fn) {
    cairo_surface_flush(c.surface());
    unsigned char* data = cairo_image_surface_get_data(c.surface());
    int stride = cairo_image_surface_get_stride(c.surface());
    for (int y = 0; y < c.h(); ++y) {
        uint32_t* row = reinterpret_cast<uint32_t*>(data + size_t(y) * stride);
        for (int x = 0; x < c.w(); ++x) {
            uint32_t p = row[x];
            double a = (p >> 24) / 255.0;
            double r = 0, g = 0, b = 0;
            if (a > 0) {
                r = ((p >> 16) & 255) / 255.0 / a;
                g = ((p >> 8) & 255) / 255.0 / a;
                b = (p & 255) / 255.0 / a;
            }
            fn(x, y, r, g, b, a);
            a = std::clamp(a, 0.0, 1.0);
            auto q = [&](double v) { return uint32_t(std::clamp(v, 0.0, 1.0) * a * 255 + 0.5); };
            row[x] = (uint32_t(a * 255 + 0.5) << 24) | (q(r) << 16) | (q(g) << 8) | q(b);
        }
    }
    cairo_surface_mark_dirty(c.surface());
}

}  // namespace bm::art

#include "ContactSheet.h"

#include "Canvas.h"
#include "render/AssetCatalogue.h"

#include <stb/stb_image.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace bm::art {

namespace {

cairo_surface_t* loadPicture(const std::string& path) {
    int w, h, n;
    unsigned char* px = stbi_load(path.c_str(), &w, &h, &n, 4);
    if (!px) return nullptr;
    cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    unsigned char* data = cairo_image_surface_get_data(s);
    int stride = cairo_image_surface_get_stride(s);
    for (int y = 0; y < h; ++y) {
        uint32_t* row = reinterpret_cast<uint32_t*>(data + size_t(y) * stride);
        for (int x = 0; x < w; ++x) {
            const unsigned char* p = px + (size_t(y) * w + x) * 4;
            uint32_t a = p[3];
            row[x] = (a << 24) | ((p[0] * a / 255) << 16) | ((p[1] * a / 255) << 8) | (p[2] * a / 255);
        }
    }
    cairo_surface_mark_dirty(s);
    stbi_image_free(px);
    return s;
}

}  // namespace

bool writeContactSheet(const std::string& gameDir, const std::string& outPng, const std::string& only) {
    std::vector<std::string> paths;
    for (const auto& e : kAssetCatalogue) {
        std::string p(e.path);
        bool match = only.empty();
        for (size_t a = 0; !match && a < only.size();) {
            size_t b = only.find(',', a);
            if (b == std::string::npos) b = only.size();
            if (b > a && p.find(only.substr(a, b - a)) != std::string::npos) match = true;
            a = b + 1;
        }
        if (match) paths.push_back(p);
    }
    if (paths.empty()) {
        std::fprintf(stderr, "artgen: nothing matches '%s'\n", only.c_str());
        return false;
    }
    int cols = int(std::ceil(std::sqrt(paths.size() * 1.3)));
    int cell = paths.size() > 60 ? 150 : 256;
    int label = 18;
    int rows = int((paths.size() + cols - 1) / cols);
    Canvas sheet(cols * cell, rows * (cell + label));
    cairo_t* cr = sheet.cr();
    setRgb(cr, hex(0x202830));
    cairo_paint(cr);
    for (size_t i = 0; i < paths.size(); ++i) {
        double x = double(i % cols) * cell, y = double(i / cols) * (cell + label);
        int pad = 4;
        double inner = cell - 2 * pad;
        for (int cy = 0; cy < 8; ++cy)
            for (int cx = 0; cx < 8; ++cx) {
                setRgb(cr, ((cx + cy) % 2) ? hex(0x8a8f96) : hex(0x6a7078));
                cairo_rectangle(cr, x + pad + cx * inner / 8, y + pad + cy * inner / 8, inner / 8, inner / 8);
                cairo_fill(cr);
            }
        cairo_surface_t* pic = loadPicture(gameDir + "/" + paths[i]);
        if (pic) {
            int w = cairo_image_surface_get_width(pic), h = cairo_image_surface_get_height(pic);
            double s = inner / std::max(w, h);
            cairo_save(cr);
            cairo_translate(cr, x + pad + (inner - w * s) / 2, y + pad + (inner - h * s) / 2);
            cairo_scale(cr, s, s);
            cairo_set_source_surface(cr, pic, 0, 0);
            cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
            cairo_paint(cr);
            cairo_restore(cr);
            cairo_surface_destroy(pic);
        } else {
            setRgb(cr, hex(0xff0000));
            cairo_set_line_width(cr, 6);
            cairo_move_to(cr, x + pad, y + pad);
            cairo_line_to(cr, x + cell - pad, y + cell - pad);
            cairo_stroke(cr);
        }
        std::string name = paths[i];
        size_t slash = name.rfind('/');
        std::string shown = name.substr(slash == std::string::npos ? 0 : slash + 1);
        cairo_select_font_face(cr, "DejaVu Sans", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
        cairo_set_font_size(cr, 11);
        setRgb(cr, hex(0xf0e6c8));
        cairo_move_to(cr, x + 4, y + cell + 12);
        cairo_show_text(cr, shown.c_str());
    }
    sheet.save(outPng);
    std::printf("artgen: contact sheet of %zu pictures -> %s\n", paths.size(), outPng.c_str());
    return true;
}

}  // namespace bm::art

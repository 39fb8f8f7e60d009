#pragma once
// Drawing helpers shared by every painter of the art generator.

#include <cairo.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace bm::art {

struct Rgb {
    double r, g, b;
};

Rgb hex(uint32_t rgb);
Rgb mix(Rgb a, Rgb b, double t);
Rgb lighter(Rgb c, double t);  // towards white
Rgb darker(Rgb c, double t);   // towards black

struct Pt {
    double x, y;
};
using Poly = std::vector<Pt>;

// An ARGB32 picture with its drawing context.
class Canvas {
public:
    Canvas(int w, int h);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    cairo_t* cr() const { return cr_; }
    cairo_surface_t* surface() const { return surf_; }
    int w() const { return w_; }
    int h() const { return h_; }

    // Writes PNG or JPEG by the file's extension, the whole file at once (writeWhole).
    void save(const std::string& path, int jpegQuality = 88) const;

private:
    int w_, h_;
    cairo_surface_t* surf_;
    cairo_t* cr_;
};

// Cairo's stream writer that appends to the std::string given as closure.
cairo_status_t appendBytes(void* string, const unsigned char* data, unsigned int size);
// The whole file put in place at once (io/AtomicWrite.h); throws on failure.
void writeWhole(const std::string& path, std::string_view bytes);

void setRgb(cairo_t* cr, Rgb c, double a = 1.0);
void addStop(cairo_pattern_t* p, double off, Rgb c, double a = 1.0);

// Paths.
void polyPath(cairo_t* cr, const Poly& p);
void roundRect(cairo_t* cr, double x, double y, double w, double h, double r);
void circle(cairo_t* cr, double x, double y, double r);
Poly regular(double cx, double cy, double r, int n, double rot);
Poly star(double cx, double cy, double r1, double r2, int n, double rot);
Poly hexFlat(double cx, double cy, double r);

// Soft shadow (or glow) of whatever `shape` paths, blurred by `radius` pixels.
void softShadow(Canvas& c, const std::function<void(cairo_t*)>& shape, double radius, double dx, double dy,
                Rgb colour, double alpha);

// Gaussian-like blur of a whole canvas (three box passes), in place.
void blur(Canvas& c, int radius);

// Text with a dark outline and a vertical gradient fill; returns the advance width.
enum class Align { Left, Centre, Right };
double outlinedText(cairo_t* cr, const std::string& text, double x, double y, double size, Rgb top, Rgb bottom,
                    Rgb outline, double outlineWidth, Align align = Align::Centre, bool serif = true);

// Fractal value noise in [0, 1], periodic in nothing, deterministic by seed.
double fbm(double x, double y, int octaves, uint32_t seed);

// Pixel loops over the canvas in straight (not premultiplied) colour.
void shadePixels(Canvas& c, const std::function<void(int x, int y, double& r, double& g, double& b, double& a)>& fn);

// Straight RGBA copy of the canvas (un-premultiplied), row by row.
std::vector<uint8_t> straightRgba(const Canvas& c);

// Drawn with a deterministic generator so each run gives the same bytes.
class Rand {
public:
    explicit Rand(uint32_t seed) : s_(seed * 2654435761u + 12345u) {}
    double next() {
        s_ ^= s_ << 13;
        s_ ^= s_ >> 17;
        s_ ^= s_ << 5;
        return (s_ & 0xFFFFFF) / double(0x1000000);
    }
    double range(double a, double b) { return a + (b - a) * next(); }

private:
    uint32_t s_;
};

}  // namespace bm::art

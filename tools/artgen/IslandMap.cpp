#include "Canvas.h"
#include "Painters.h"

#include <cstdio>
#include <stdexcept>

namespace bm::art {

void addIslandMap(PainterMap&) {}

const MapPoint* islandLevelPoints() {
    static MapPoint pts[66] = {};
    return pts;
}

void writeMapPointFile(const std::string& fullPath) {
    unsigned char buf[1616] = {};
    const MapPoint* p = islandLevelPoints();
    for (int n = 1; n <= 65; ++n) {
        int v[2] = {p[n].x, p[n].y};
        for (int k = 0; k < 2; ++k)
            for (int b = 0; b < 4; ++b) buf[n * 8 + k * 4 + b] = uint8_t(uint32_t(v[k]) >> (8 * b));
    }
    std::string tmp = fullPath + ".tmp";
    FILE* f = std::fopen(tmp.c_str(), "wb");
    if (!f) throw std::runtime_error("cannot write " + fullPath);
    bool ok = std::fwrite(buf, 1, sizeof buf, f) == sizeof buf;
    ok = std::fclose(f) == 0 && ok;
    if (!ok || std::rename(tmp.c_str(), fullPath.c_str()) != 0) throw std::runtime_error("cannot write " + fullPath);
}

}  // namespace bm::art

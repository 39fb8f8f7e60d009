// Keys and locks of the ten key colours.

#include "Painters.h"
#include "Shapes.h"
#include "bonus/BonusKinds.h"

#include <cstdio>

namespace bm::art {

namespace {

// Red, orange, yellow, lettuce, green, cyan, blue, purple, magenta, tan.
const uint32_t kKeyColours[10] = {0xe02828, 0xf08020, 0xf2d020, 0x9ad22a, 0x20a040,
                                  0x20c8d8, 0x2860e0, 0x8040d0, 0xe030b0, 0xc8a070};

std::string twoDigits(int k) {
    char b[4];
    std::snprintf(b, sizeof b, "%02d", k);
    return b;
}

}  // namespace

void addShopPieces(PainterMap& m) {
    for (int k = 1; k <= 10; ++k) {
        Rgb c = hex(kKeyColours[k - 1]);
        m[std::string(bm::kKeys[std::size_t(k - 1)].picture)] = [c](const std::string& p) {
            Canvas cv(512, 512);
            unitSpace(cv);
            keyShape(cv, c);
            cv.save(p);
        };
        m["red/shop/lock" + twoDigits(k) + ".png"] = [c](const std::string& p) {
            Canvas cv(256, 256);
            unitSpace(cv);
            lockShape(cv, c);
            cv.save(p);
        };
    }
}

}  // namespace bm::art

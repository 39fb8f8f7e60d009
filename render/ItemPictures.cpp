#include "render/ItemPictures.h"

#include <cstdio>

namespace bm {

std::string ItemPicture(int code) {
  static const char* kJewels[16] = {"blue1-new",  "GREEN2", "amber5", "rub3",       "diam2",      "crystal-yellow2d",
                                    "onea2",      "star2",  "cirk3",  "gems",       "bluegem2",   "red5",
                                    "amberstone", "blue-gem2", "tan-gem", "white-gem2"};
  static const char* kBonus[15] = {"chest4", "life2", "clock2", "bomb2",  "rainbow",  "shuffle",   "parrot2",  "rum",
                                   "core",   "gun",   "hook",   "sun",    "rainbow2", "star-blue", "star-gold"};
  if (code >= 1 && code <= 16) return std::string("256/") + kJewels[code - 1] + ".png";
  if (code >= 41 && code <= 55) return std::string("256/") + kBonus[code - 41] + ".png";
  if (code >= 71 && code <= 80) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "red/shop/key%02d.png", code - 70);
    return buf;
  }
  return "";
}

}  // namespace bm

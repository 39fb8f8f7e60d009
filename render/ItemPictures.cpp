#include "render/ItemPictures.h"

#include "bonus/BonusKinds.h"

namespace bm {

std::string ItemPicture(int code) {
  static const char* kJewels[16] = {"blue1-new",  "GREEN2", "amber5", "rub3",       "diam2",      "crystal-yellow2d",
                                    "onea2",      "star2",  "cirk3",  "gems",       "bluegem2",   "red5",
                                    "amberstone", "blue-gem2", "tan-gem", "white-gem2"};
  if (code >= 1 && code <= 16) return std::string("256/") + kJewels[code - 1] + ".png";
  if (const BonusKind* kind = FindBonusKind(code)) return std::string(kind->picture);
  if (const KeyKind* key = FindKey(code)) return std::string(key->picture);
  return "";
}

}  // namespace bm

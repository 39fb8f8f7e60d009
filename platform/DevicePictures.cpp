#include "platform/DevicePictures.h"

#include <algorithm>
#include <cstdio>

namespace bm {

AtlasSpot AtlasShelves::Place(int width, int height) const {
  int w = width + 2 * kAtlasPad, h = height + 2 * kAtlasPad;
  AtlasSpot spot;
  Shelf s = pages_.empty() ? Shelf{} : pages_.back();
  spot.newPage = pages_.empty();
  if (!spot.newPage && s.x + w > kAtlasEdge) s = {0, s.y + s.h, 0};
  if (spot.newPage || s.y + h > kAtlasEdge) {
    spot.newPage = true;
    s = {};
  }
  spot.x = s.x + kAtlasPad;
  spot.y = s.y + kAtlasPad;
  spot.u0 = float(spot.x) / kAtlasEdge;
  spot.v0 = float(spot.y) / kAtlasEdge;
  spot.u1 = float(spot.x + width) / kAtlasEdge;
  spot.v1 = float(spot.y + height) / kAtlasEdge;
  spot.shelfX = s.x + w;
  spot.shelfY = s.y;
  spot.shelfH = std::max(s.h, h);
  return spot;
}

void AtlasShelves::Take(const AtlasSpot& spot) {
  if (spot.newPage || pages_.empty()) pages_.push_back({});
  pages_.back() = {spot.shelfX, spot.shelfY, spot.shelfH};
}

std::string DeviceTexturePartsText(int atlasPages, std::size_t ownBytes, std::size_t slotBytes,
                                   std::size_t frameBytes) {
  auto mb = [](std::size_t b) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f MB", double(b) / 1048576.0);
    return std::string(buf);
  };
  return std::to_string(atlasPages) + " atlas pages " + mb(std::size_t(atlasPages) * kAtlasPageBytes) +
         ", pictures of their own " + mb(ownBytes) + ", screen copies (still layer) " + mb(slotBytes) +
         ", kept frame " + mb(frameBytes);
}

}  // namespace bm

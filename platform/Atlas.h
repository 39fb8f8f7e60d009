// Small pictures share atlas pages, packed in shelves, so quads of different
// pictures still reach the device in one draw call. The render devices keep
// the pages; this keeps where the next picture goes.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace bm {

inline constexpr int kAtlasPad = 2;  // transparent gutter so linear filtering never bleeds
// Pages of about 4 MB, so the last page's empty part stays small; four
// 256-pixel pictures with their gutters fill a row exactly (1024 would take three).
inline constexpr int kAtlasEdge = 4 * (256 + 2 * kAtlasPad);
inline constexpr int kAtlasMaxPicture = 512;  // larger pictures keep a texture of their own
inline constexpr std::size_t kAtlasPageBytes = std::size_t(kAtlasEdge) * kAtlasEdge * 4;

struct AtlasSpot {
  bool newPage = false;  // the picture opens a new page
  int x = 0, y = 0;      // its top-left pixel on the page
  float u0 = 0, v0 = 0, u1 = 0, v1 = 0;

 private:
  friend class AtlasShelves;
  int shelfX = 0, shelfY = 0, shelfH = 0;  // the page's shelf once it is taken
};

class AtlasShelves {
 public:
  // Where a width x height picture goes: on the last page, or on a new one.
  AtlasSpot Place(int width, int height) const;
  // Takes the place (once the device made the new page, when one was needed).
  void Take(const AtlasSpot& spot);
  int Pages() const { return int(pages_.size()); }
  void Clear() { pages_.clear(); }

 private:
  struct Shelf {
    int x = 0, y = 0, h = 0;
  };
  std::vector<Shelf> pages_;  // the open shelf of each page
};

// The memory figures' split of what a render device holds.
std::string DeviceTexturePartsText(int atlasPages, std::size_t ownBytes, std::size_t slotBytes,
                                   std::size_t frameBytes);

}  // namespace bm

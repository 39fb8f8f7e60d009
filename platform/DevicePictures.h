// How a render device keeps its pictures, whatever draws them: each picture
// has a texture of its own or a part of an atlas page. Small pictures share
// atlas pages, packed in shelves, so quads of different pictures still reach
// the device in one draw call.
#pragma once
#include <cstddef>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/Platform.h"

namespace bm {

// The largest picture file a device reads: ours (the island map at full size) are a few megabytes.
inline constexpr std::size_t kPictureFileMaxBytes = 64u << 20;

inline constexpr int kAtlasPad = 2;  // transparent gutter so linear filtering never bleeds
// Pages of about 1 MB, so a family's last page holds little empty space (a page
// of 4 MB held a screen's few pictures in mostly empty pages): four 128-pixel
// pictures with their gutters fill a row exactly, two 256-pixel ones nearly,
// and a 512-pixel picture fits a page alone.
inline constexpr int kAtlasEdge = 4 * (128 + 2 * kAtlasPad);
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
  // Forgets page k (freed): its shelf goes with it.
  void Erase(int k) { pages_.erase(pages_.begin() + k); }

 private:
  struct Shelf {
    int x = 0, y = 0, h = 0;
  };
  std::vector<Shelf> pages_;  // the open shelf of each page
};

// Atlas pages by family: pictures drawn on the same screens share pages, so that
// releasing them empties their pages, and a page goes with its last picture.
template <class Texture>
class AtlasBook {
 public:
  // Where a width x height picture of family goes; when spot.newPage the caller
  // makes a page and hands it to Take.
  AtlasSpot Place(int family, int width, int height) const {
    auto it = families_.find(family);
    return it == families_.end() ? AtlasShelves{}.Place(width, height) : it->second.shelves.Place(width, height);
  }
  // Takes the spot; returns the page the picture lies on.
  Texture Take(int family, const AtlasSpot& spot, Texture newPage) {
    Family& f = families_[family];
    f.shelves.Take(spot);
    if (spot.newPage || f.pages.empty()) f.pages.push_back(newPage);
    Texture page = f.pages.back();
    ++users_[page];
    return page;
  }
  // A picture on page was freed: true when that emptied the page (the caller frees it).
  bool Leave(Texture page) {
    auto u = users_.find(page);
    if (u == users_.end() || --u->second > 0) return false;
    users_.erase(u);
    for (auto& [family, f] : families_)
      for (std::size_t k = 0; k < f.pages.size(); ++k)
        if (f.pages[k] == page) {
          f.pages.erase(f.pages.begin() + std::ptrdiff_t(k));
          f.shelves.Erase(int(k));
          return true;
        }
    return true;
  }
  int Pages() const { return int(users_.size()); }
  std::vector<Texture> AllPages() const {
    std::vector<Texture> all;
    for (const auto& [page, n] : users_) all.push_back(page);
    return all;
  }
  void Clear() {
    families_.clear();
    users_.clear();
  }

 private:
  struct Family {
    AtlasShelves shelves;
    std::vector<Texture> pages;  // in the shelves' order
  };
  std::map<int, Family> families_;
  std::map<Texture, int> users_;  // pictures on each page
};

// A picture on the device: a texture of its own, a part of an atlas page, or
// only the parts of it that are drawn (each a texture of its own).
template <class Texture>
struct DevicePicture {
  Texture tex{};
  bool owned = true;  // false: a part of an atlas page
  float u0 = 0, v0 = 0, u1 = 1, v1 = 1;
  int w = 0, h = 0;
  // A picture kept in parts: each part's texture, its size, and where it lies in
  // the whole picture (u and v from 0 to 1).
  struct Part {
    Texture tex{};
    PicturePart at;
    int w = 0, h = 0;
  };
  std::vector<Part> parts;

  // A width x height picture with a texture of its own.
  static DevicePicture Own(Texture t, int width, int height) {
    DevicePicture p;
    p.tex = t;
    p.w = width;
    p.h = height;
    return p;
  }
  // A width x height picture on its spot of an atlas page.
  static DevicePicture OnPage(Texture page, const AtlasSpot& spot, int width, int height) {
    DevicePicture p = Own(page, width, height);
    p.owned = false;
    p.u0 = spot.u0;
    p.v0 = spot.v0;
    p.u1 = spot.u1;
    p.v1 = spot.v1;
    return p;
  }
  static DevicePicture InParts(std::vector<Part> kept, int width, int height) {
    DevicePicture p = Own(Texture{}, width, height);
    p.parts = std::move(kept);
    return p;
  }
  std::size_t Bytes() const {
    if (parts.empty()) return std::size_t(w) * std::size_t(h) * 4;
    std::size_t n = 0;
    for (const Part& k : parts) n += std::size_t(k.w) * std::size_t(k.h) * 4;
    return n;
  }
  // The textures the picture alone holds: its own, or its parts'; none for a part of an atlas page.
  std::vector<Texture> Textures() const {
    std::vector<Texture> own;
    if (!parts.empty()) {
      for (const Part& k : parts) own.push_back(k.tex);
    } else if (owned) {
      own.push_back(tex);
    }
    return own;
  }
  // The texture a quad over the picture is drawn from, with its corners moved
  // onto that texture; false when a picture kept in parts has none holding all
  // four corners (nothing is drawn).
  bool Place(const Vertex in[4], Texture& t, Vertex out[4]) const {
    if (parts.empty()) {
      t = tex;
      OnPart(in, out);
      return true;
    }
    constexpr float kSlack = 1e-4f;
    for (const Part& k : parts) {
      bool inside = true;
      for (int i = 0; i < 4; ++i)
        inside = inside && in[i].u >= k.at.u0 - kSlack && in[i].u <= k.at.u1 + kSlack &&
                 in[i].v >= k.at.v0 - kSlack && in[i].v <= k.at.v1 + kSlack;
      if (!inside) continue;
      for (int i = 0; i < 4; ++i) {
        out[i] = in[i];
        out[i].u = (in[i].u - k.at.u0) / (k.at.u1 - k.at.u0);
        out[i].v = (in[i].v - k.at.v0) / (k.at.v1 - k.at.v0);
      }
      t = k.tex;
      return true;
    }
    return false;
  }
  // Corners over the whole picture (u and v from 0 to 1), moved onto its part of the texture.
  void OnPart(const Vertex in[4], Vertex out[4]) const {
    for (int i = 0; i < 4; ++i) {
      out[i] = in[i];
      out[i].u = u0 + (u1 - u0) * in[i].u;
      out[i].v = v0 + (v1 - v0) * in[i].v;
    }
  }
};

// A device's pictures by their ids.
template <class Texture>
class PictureTable {
 public:
  using Picture = DevicePicture<Texture>;
  TextureId Add(const Picture& p) {
    pictures_[next_] = p;
    return next_++;
  }
  const Picture* Find(TextureId id) const {
    auto it = pictures_.find(id);
    return it == pictures_.end() ? nullptr : &it->second;
  }
  void Erase(TextureId id) { pictures_.erase(id); }
  std::size_t Bytes(TextureId id) const {
    const Picture* p = Find(id);
    return p ? p->Bytes() : 0;
  }
  // The textures of pictures that have their own (each once), and their bytes.
  std::vector<Texture> OwnTextures() const {
    std::vector<Texture> own;
    for (const auto& [id, p] : pictures_)
      for (Texture t : p.Textures()) own.push_back(t);
    return own;
  }
  std::size_t OwnBytes() const {
    std::size_t n = 0;
    for (const auto& [id, p] : pictures_)
      if (p.owned) n += p.Bytes();
    return n;
  }
  void Clear() { pictures_.clear(); }

 private:
  std::map<TextureId, Picture> pictures_;
  TextureId next_ = 1;
};

// The memory figures' split of what a render device holds.
std::string DeviceTexturePartsText(int atlasPages, std::size_t ownBytes, std::size_t slotBytes,
                                   std::size_t frameBytes);

}  // namespace bm

// Drawing helpers over the render device: pictures by file name, sprites with
// per-corner colours and rotation, filled rectangles. No SDL here.
#pragma once
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "board/ScreenMetrics.h"
#include "platform/Platform.h"

namespace bm {

class Logs;

// Pictures by their path relative to the program folder ("256/circ.png"),
// loaded on first use (or ahead, by Load) and kept while a group they belong to
// is in use (render/AssetGroups.h); a missing file is logged once and draws nothing.
// A file still on its way (the page's packs) draws nothing until it has come.
class TextureBank {
 public:
  TextureBank(RenderDevice& device, std::string gameDir, Logs* logs = nullptr)
      : device_(device), gameDir_(std::move(gameDir)), logs_(logs) {}
  TextureId Get(const std::string& relPath);
  // Board and button pictures are kept at this size (the screen's size class).
  void SetPictureSize(int edge) { pictureSize_ = edge; }
  // Where files still on their way are known (null: every file is there).
  void SetPacks(DataPacks* packs) { packs_ = packs; }
  bool Has(const std::string& relPath) { return Get(relPath) != 0; }
  void Release(const std::string& relPath);
  // The groups shown from now on (asset_group bits): every held picture of no
  // such group is released; the pictures held all the time stay.
  void Use(unsigned groups);
  unsigned InUse() const { return inUse_; }
  // Loads pictures ahead of the frame that draws them.
  void Load(const std::vector<std::string>& relPaths);
  bool Holds(const std::string& relPath) const { return byPath_.count(relPath) != 0; }
  std::size_t Loaded() const { return byPath_.size(); }
  // The held pictures that loaded, by path.
  std::vector<std::pair<std::string, TextureId>> HeldPictures() const;
  // Loads again every picture the device no longer holds (a lost device, a new
  // back buffer) or that belongs to another size class now; returns how many.
  std::size_t ReloadAll();
  // Every picture the bank holds is alive on the device.
  bool AllAlive() const;
  // Bytes the held pictures take, by class ("board and buttons", "fonts", ...).
  std::vector<std::pair<std::string, std::size_t>> BytesByClass() const;

 private:
  RenderDevice& device_;
  std::string gameDir_;
  Logs* logs_;
  DataPacks* packs_ = nullptr;
  int pictureSize_ = 256;
  unsigned inUse_ = ~0u;
  struct Held {
    TextureId id = 0;
    int edge = 0;  // the size class it was loaded at, 0 = as it is
    bool coming = false;  // not loaded: its file was on its way
  };
  int EdgeFor(const std::string& relPath) const;
  TextureId LoadFromFile(const std::string& relPath, int edge);
  std::unordered_map<std::string, Held> byPath_;
};

class Canvas {
 public:
  Canvas(RenderDevice& device, TextureBank& textures, const ScreenMetrics& metrics)
      : device(device), textures(textures), metrics(metrics) {}

  RenderDevice& device;
  TextureBank& textures;
  ScreenMetrics metrics;

  TextureId Tex(const std::string& relPath) { return textures.Get(relPath); }
  // The whole picture stretched over a pixel rectangle.
  void Image(TextureId tex, double l, double t, double r, double b, Argb color = 0xFFFFFFFF);
  void ImagePart(TextureId tex, double l, double t, double r, double b, double u0, double v0, double u1, double v1,
                 Argb color = 0xFFFFFFFF);
  // Centred at (cx, cy), w x h pixels, turned by angle radians; colours per corner
  // top-left, top-right, bottom-right, bottom-left.
  void Sprite(TextureId tex, double cx, double cy, double w, double h, double angle, const Argb colors[4]);
  void Sprite(TextureId tex, double cx, double cy, double w, double h, double angle = 0, Argb color = 0xFFFFFFFF);
  void Fill(double l, double t, double r, double b, Argb color);
  void FillGradient(double l, double t, double r, double b, Argb top, Argb bottom);
  // Design-space (1280 x 1024) versions.
  void DesignFill(double l, double t, double r, double b, Argb color) {
    Fill(l * metrics.XScale, t * metrics.YScale, r * metrics.XScale, b * metrics.YScale, color);
  }
  void FullScreen(TextureId tex, Argb color = 0xFFFFFFFF) { Image(tex, 0, 0, metrics.Width, metrics.Height, color); }
};

// Colour with alpha scaled by f in 0..1.
Argb WithAlpha(Argb c, double f);

}  // namespace bm

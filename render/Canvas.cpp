#include "render/Canvas.h"

#include <cmath>

#include "diag/Logs.h"
#include "render/AssetGroups.h"

namespace bm {

// Screen pictures keep their size; the picture folder shrinks to the size class.
int TextureBank::EdgeFor(const std::string& relPath) const { return relPath.rfind("256/", 0) == 0 ? pictureSize_ : 0; }

TextureId TextureBank::Get(const std::string& relPath) {
  auto it = byPath_.find(relPath);
  std::string path = gameDir_ + "/" + relPath;
  if (it != byPath_.end() && !(it->second.coming && !packs_->Coming(path))) return it->second.id;
  int edge = EdgeFor(relPath);
  TextureId id = LoadFromFile(relPath, edge);
  bool coming = id == 0 && packs_ && packs_->Coming(path);
  if (id == 0 && !coming && logs_) logs_->WriteRunLog("TextureBank", "Picture missing or unreadable: " + relPath);
  byPath_[relPath] = {id, edge, coming};
  return id;
}

TextureId TextureBank::LoadFromFile(const std::string& relPath, int edge) {
  std::vector<PicturePart> parts = DrawnParts(relPath);
  if (!parts.empty()) return device_.LoadTextureParts(gameDir_ + "/" + relPath, parts);
  return device_.LoadTexture(gameDir_ + "/" + relPath, edge, AssetPageFamily(relPath));
}

void TextureBank::Release(const std::string& relPath) {
  auto it = byPath_.find(relPath);
  if (it == byPath_.end()) return;
  if (it->second.id) device_.FreeTexture(it->second.id);
  byPath_.erase(it);
}

void TextureBank::Use(unsigned groups) {
  inUse_ = groups | asset_group::Kept;
  for (auto it = byPath_.begin(); it != byPath_.end();) {
    if (!(AssetGroupsOf(it->first) & inUse_)) {
      if (it->second.id) device_.FreeTexture(it->second.id);
      it = byPath_.erase(it);
    } else {
      ++it;
    }
  }
}

void TextureBank::Load(const std::vector<std::string>& relPaths) {
  for (const std::string& p : relPaths) Get(p);
}

std::size_t TextureBank::ReloadAll() {
  std::size_t n = 0;
  for (auto& [path, held] : byPath_) {
    if (held.id == 0) continue;  // missing files stay missing
    bool alive = device_.TextureAlive(held.id);
    if (alive && held.edge == EdgeFor(path)) continue;
    if (alive) device_.FreeTexture(held.id);
    held.edge = EdgeFor(path);
    held.id = LoadFromFile(path, held.edge);
    if (held.id == 0 && logs_) logs_->WriteRunLog("TextureBank", "Picture could not be loaded again: " + path);
    ++n;
  }
  return n;
}

std::vector<std::pair<std::string, std::size_t>> TextureBank::BytesByClass() const {
  static const std::pair<const char*, const char*> kClasses[] = {
      {"256/", "board and buttons"}, {"fonts/", "fonts"},       {"red/bg/", "backgrounds and play frame"},
      {"red/menu/", "menu screens"}, {"red/shop/", "shop"},     {"red/", "tips, logo and map"}};
  std::vector<std::pair<std::string, std::size_t>> out;
  for (const auto& c : kClasses) out.emplace_back(c.second, 0);
  out.emplace_back("other", 0);
  for (const auto& [path, held] : byPath_) {
    std::size_t k = 0;
    while (k < std::size(kClasses) && path.rfind(kClasses[k].first, 0) != 0) ++k;
    out[k].second += device_.TextureBytes(held.id);
  }
  return out;
}

std::vector<std::pair<std::string, TextureId>> TextureBank::HeldPictures() const {
  std::vector<std::pair<std::string, TextureId>> out;
  for (const auto& [path, held] : byPath_)
    if (held.id) out.emplace_back(path, held.id);
  return out;
}

bool TextureBank::AllAlive() const {
  for (const auto& [path, held] : byPath_)
    if (held.id && !device_.TextureAlive(held.id)) return false;
  return true;
}

Argb WithAlpha(Argb c, double f) {
  if (f < 0) f = 0;
  if (f > 1) f = 1;
  int a = int(std::lround(((c >> 24) & 255) * f));
  return (Argb(a) << 24) | (c & 0xFFFFFF);
}

void Canvas::ImagePart(TextureId tex, double l, double t, double r, double b, double u0, double v0, double u1,
                       double v1, Argb color) {
  if (!tex) return;
  Vertex q[4] = {{float(l), float(t), float(u0), float(v0), color},
                 {float(r), float(t), float(u1), float(v0), color},
                 {float(r), float(b), float(u1), float(v1), color},
                 {float(l), float(b), float(u0), float(v1), color}};
  device.DrawQuad(tex, q);
}

void Canvas::Image(TextureId tex, double l, double t, double r, double b, Argb color) {
  ImagePart(tex, l, t, r, b, 0, 0, 1, 1, color);
}

void Canvas::Sprite(TextureId tex, double cx, double cy, double w, double h, double angle, const Argb colors[4]) {
  if (!tex || w <= 0 || h <= 0) return;
  double c = std::cos(angle), s = std::sin(angle);
  const double ox[4] = {-w / 2, w / 2, w / 2, -w / 2}, oy[4] = {-h / 2, -h / 2, h / 2, h / 2};
  const float us[4] = {0, 1, 1, 0}, vs[4] = {0, 0, 1, 1};
  Vertex q[4];
  for (int i = 0; i < 4; ++i)
    q[i] = {float(cx + ox[i] * c - oy[i] * s), float(cy + ox[i] * s + oy[i] * c), us[i], vs[i], colors[i]};
  device.DrawQuad(tex, q);
}

void Canvas::Sprite(TextureId tex, double cx, double cy, double w, double h, double angle, Argb color) {
  const Argb cs[4] = {color, color, color, color};
  Sprite(tex, cx, cy, w, h, angle, cs);
}

void Canvas::Fill(double l, double t, double r, double b, Argb color) { FillGradient(l, t, r, b, color, color); }

void Canvas::FillGradient(double l, double t, double r, double b, Argb top, Argb bottom) {
  Vertex q[4] = {{float(l), float(t), 0, 0, top},
                 {float(r), float(t), 0, 0, top},
                 {float(r), float(b), 0, 0, bottom},
                 {float(l), float(b), 0, 0, bottom}};
  device.FillQuad(q);
}

}  // namespace bm

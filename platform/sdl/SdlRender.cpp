#include "platform/sdl/SdlRender.h"

#include <SDL_image.h>

#include <malloc.h>

#include <algorithm>
#include <cmath>

#include "io/SafeRead.h"

namespace bm {

SdlRenderDevice::SdlRenderDevice(SDL_Renderer* renderer, SDL_Surface* ownedSurface, int width, int height)
    : renderer_(renderer), surface_(ownedSurface), width_(width), height_(height) {
  SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_BLEND);
  MakeFrame();
}

SdlRenderDevice::~SdlRenderDevice() {
  if (frame_) SDL_DestroyTexture(frame_);
  for (SDL_Texture* t : pictures_.OwnTextures()) SDL_DestroyTexture(t);
  for (SDL_Texture* p : atlas_.AllPages()) SDL_DestroyTexture(p);
  for (SDL_Texture* t : slots_)
    if (t) SDL_DestroyTexture(t);
  if (surface_) {
    SDL_DestroyRenderer(renderer_);
    SDL_FreeSurface(surface_);
  }
}

namespace {
constexpr std::size_t kLargePictureBytes = 1u << 20;

SDL_Surface* ToArgb(SDL_Surface* img) {
  SDL_Surface* s = SDL_ConvertSurfaceFormat(img, SDL_PIXELFORMAT_ARGB8888, 0);
  SDL_FreeSurface(img);
  return s;
}
}  // namespace

TextureId SdlRenderDevice::AddToAtlas(SDL_Surface* img, int family) {
  AtlasSpot spot = atlas_.Place(family, img->w, img->h);
  SDL_Texture* newPage = nullptr;
  if (spot.newPage) {
    SDL_Texture* t =
        SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, kAtlasEdge, kAtlasEdge);
    if (!t) return 0;
    // A new page starts transparent, cleared a band at a time (a whole page of
    // zeros would be as much heap again for a moment).
    constexpr int kBand = 64;
    std::vector<std::uint32_t> clear(std::size_t(kAtlasEdge) * kBand, 0);
    for (int y = 0; y < kAtlasEdge; y += kBand) {
      SDL_Rect band{0, y, kAtlasEdge, std::min(kBand, kAtlasEdge - y)};
      SDL_UpdateTexture(t, &band, clear.data(), kAtlasEdge * 4);
    }
    SDL_SetTextureBlendMode(t, SDL_BLENDMODE_BLEND);
    SDL_SetTextureScaleMode(t, SDL_ScaleModeLinear);
    newPage = t;
  }
  SDL_Texture* page = atlas_.Take(family, spot, newPage);
  SDL_Rect dst{spot.x, spot.y, img->w, img->h};
  SDL_UpdateTexture(page, &dst, img->pixels, img->pitch);
  return pictures_.Add(Picture::OnPage(page, spot, img->w, img->h));
}

SDL_Surface* SdlRenderDevice::Decode(const std::string& path, int maxEdge, bool* opaque) {
  // Through the safe reader: a FIFO or folder in a picture's place is refused at once.
  ReadResult file = ReadFileBounded(path, kPictureFileMaxBytes);
  if (!file.ok()) return nullptr;
  SDL_RWops* rw = SDL_RWFromConstMem(file.bytes.data(), int(file.bytes.size()));
  SDL_Surface* img = rw ? IMG_Load_RW(rw, 1) : nullptr;
  if (!img) return nullptr;
  if (opaque) *opaque = !img->format->Amask && !img->format->palette && !SDL_HasColorKey(img);
  img = ToArgb(img);
  if (!img) return nullptr;
  if (maxEdge > 0 && (img->w > maxEdge || img->h > maxEdge)) {
    double f = double(maxEdge) / std::max(img->w, img->h);
    SDL_Surface* small = SDL_CreateRGBSurfaceWithFormat(0, std::max(1, int(img->w * f)), std::max(1, int(img->h * f)),
                                                        32, SDL_PIXELFORMAT_ARGB8888);
    if (small && SDL_SoftStretchLinear(img, nullptr, small, nullptr) == 0) {
      SDL_FreeSurface(img);
      img = small;
    } else if (small) {
      SDL_FreeSurface(small);
    }
  }
  return img;
}

namespace {
// Decoding a screen-sized picture leaves megabytes of freed heap behind; hand
// them back, so the process holds only the pictures it keeps.
void FreeDecoded(SDL_Surface* img) {
  bool large = std::size_t(img->w) * std::size_t(img->h) * 4 >= kLargePictureBytes;
  SDL_FreeSurface(img);
  if (large) malloc_trim(0);
}

SDL_Texture* TextureOf(SDL_Renderer* renderer, SDL_Surface* img) {
  SDL_Texture* tex = SDL_CreateTextureFromSurface(renderer, img);
  if (tex) {
    SDL_SetTextureBlendMode(tex, SDL_BLENDMODE_BLEND);
    SDL_SetTextureScaleMode(tex, SDL_ScaleModeLinear);
  }
  return tex;
}
}  // namespace

Uint32 SdlRenderDevice::TargetFormat() const {
  SDL_Window* window = surface_ ? nullptr : SDL_RenderGetWindow(renderer_);
  Uint32 f = surface_ ? surface_->format->format : window ? SDL_GetWindowPixelFormat(window) : Uint32(0);
  return SDL_BYTESPERPIXEL(f) == 4 && !SDL_ISPIXELFORMAT_INDEXED(f) ? f : Uint32(SDL_PIXELFORMAT_ARGB8888);
}

TextureId SdlRenderDevice::LoadTexture(const std::string& path, int maxEdge, int pageFamily) {
  bool opaque = false;
  SDL_Surface* img = Decode(path, maxEdge, &opaque);
  if (!img) return 0;
  TextureId id = 0;
  if (img->w <= kAtlasMaxPicture && img->h <= kAtlasMaxPicture) {
    id = AddToAtlas(img, pageFamily);
  } else {
    SDL_Surface* same = opaque && TargetFormat() != img->format->format
                            ? SDL_ConvertSurfaceFormat(img, TargetFormat(), 0) : nullptr;
    if (SDL_Texture* tex = TextureOf(renderer_, same ? same : img)) {
      id = pictures_.Add(Picture::Own(tex, img->w, img->h));
      if (opaque) opaque_.insert(tex);
    }
    if (same) SDL_FreeSurface(same);
  }
  FreeDecoded(img);
  return id;
}

// Each part cut out with a clear gutter around it, so filtering at its edges
// reads what it would read in the whole picture.
TextureId SdlRenderDevice::LoadTextureParts(const std::string& path, const std::vector<PicturePart>& parts) {
  SDL_Surface* img = Decode(path, 0);
  if (!img) return 0;
  std::vector<Picture::Part> kept;
  for (const PicturePart& at : parts) {
    int x0 = std::clamp(int(std::floor(at.u0 * float(img->w))) - kAtlasPad, 0, img->w);
    int y0 = std::clamp(int(std::floor(at.v0 * float(img->h))) - kAtlasPad, 0, img->h);
    int x1 = std::clamp(int(std::ceil(at.u1 * float(img->w))) + kAtlasPad, x0, img->w);
    int y1 = std::clamp(int(std::ceil(at.v1 * float(img->h))) + kAtlasPad, y0, img->h);
    if (x1 == x0 || y1 == y0) continue;
    SDL_Surface* cut = SDL_CreateRGBSurfaceWithFormatFrom(static_cast<Uint8*>(img->pixels) + y0 * img->pitch + x0 * 4,
                                                          x1 - x0, y1 - y0, 32, img->pitch, SDL_PIXELFORMAT_ARGB8888);
    SDL_Texture* tex = cut ? TextureOf(renderer_, cut) : nullptr;
    if (cut) SDL_FreeSurface(cut);
    if (!tex) continue;
    PicturePart where{float(x0) / float(img->w), float(y0) / float(img->h), float(x1) / float(img->w),
                      float(y1) / float(img->h)};
    kept.push_back({tex, where, x1 - x0, y1 - y0});
  }
  TextureId id = kept.empty() ? 0 : pictures_.Add(Picture::InParts(std::move(kept), img->w, img->h));
  FreeDecoded(img);
  return id;
}

TextureId SdlRenderDevice::CreateTexture(int width, int height, const std::uint32_t* argb) {
  SDL_Texture* tex = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, width, height);
  if (!tex) return 0;
  SDL_UpdateTexture(tex, nullptr, argb, width * 4);
  SDL_SetTextureBlendMode(tex, SDL_BLENDMODE_BLEND);
  SDL_SetTextureScaleMode(tex, SDL_ScaleModeLinear);
  return pictures_.Add(Picture::Own(tex, width, height));
}

void SdlRenderDevice::FreeTexture(TextureId id) {
  const Picture* p = pictures_.Find(id);
  if (!p) return;
  Flush();
  // A part of an atlas page is not used again; the page goes with its last picture.
  if (!p->owned && atlas_.Leave(p->tex)) SDL_DestroyTexture(p->tex);
  for (SDL_Texture* t : p->Textures()) opaque_.erase(t), SDL_DestroyTexture(t);
  pictures_.Erase(id);
}

void SdlRenderDevice::Clear(Argb color) {
  if (!drawing_) return;
  Flush();
  bool barsBeside = !clipped_ && !inLayer_ && !frame_ && Letterboxed();
  if (barsBeside) {
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
  }
  SDL_SetRenderDrawColor(renderer_, (color >> 16) & 255, (color >> 8) & 255, color & 255, 255);
  if (!clipped_ && !barsBeside) {
    SDL_RenderClear(renderer_);
    return;
  }
  // A clear ignores the clip rectangle and the picture's place in the window:
  // a partial redraw clears only its part, a whole one only the picture.
  SDL_Rect r;
  SDL_RenderGetClipRect(renderer_, &r);
  SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_NONE);
  SDL_RenderFillRect(renderer_, clipped_ ? &r : nullptr);
  SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_BLEND);
}

void SdlRenderDevice::SetClip(const Rect* r) {
  Flush();
  clipped_ = r != nullptr && drawing_;
  if (!clipped_) {
    SDL_RenderSetClipRect(renderer_, nullptr);
    return;
  }
  clip_ = {r->left, r->top, std::max(0, r->right - r->left), std::max(0, r->bottom - r->top)};
  SDL_RenderSetClipRect(renderer_, &clip_);
}

bool SdlRenderDevice::SlotHeld(int slot) {
  if (slot < 0 || slot > 10 || !slots_[slot]) return false;
  int w = 0, h = 0;
  SDL_QueryTexture(slots_[slot], nullptr, nullptr, &w, &h);
  return w == width_ && h == height_;
}

bool SdlRenderDevice::BeginLayer(int slot) {
  if (slot < 0 || slot > 10 || !drawing_ || inLayer_ || !SDL_RenderTargetSupported(renderer_)) return false;
  Flush();
  SDL_Texture*& t = slots_[slot];
  int access = 0, w = 0, h = 0;
  if (t) SDL_QueryTexture(t, nullptr, &access, &w, &h);
  if (t && (access != SDL_TEXTUREACCESS_TARGET || w != width_ || h != height_)) {
    SDL_DestroyTexture(t);
    t = nullptr;
  }
  if (!t) t = SDL_CreateTexture(renderer_, TargetFormat(), SDL_TEXTUREACCESS_TARGET, width_, height_);
  if (!t) return false;
  SDL_Texture* back = SDL_GetRenderTarget(renderer_);
  if (SDL_SetRenderTarget(renderer_, t) != 0) {
    SDL_SetRenderTarget(renderer_, back);
    return false;
  }
  layerReturn_ = back;
  layerClipped_ = clipped_;
  clipped_ = false;
  SDL_RenderSetClipRect(renderer_, nullptr);
  inLayer_ = true;
  return true;
}

void SdlRenderDevice::EndLayer() {
  if (!inLayer_) return;
  Flush();
  inLayer_ = false;
  SDL_SetRenderTarget(renderer_, layerReturn_);
  clipped_ = layerClipped_;
  SDL_RenderSetClipRect(renderer_, clipped_ ? &clip_ : nullptr);
}

// Whether the window's back buffer still holds the last frame after a present:
// two presents of two colours, and the second must still be there (a driver
// that flips between buffers shows the first or nothing).
bool SdlRenderDevice::BackBufferKept() {
  Uint32 seen = 0;
  for (int shade : {1, 2}) {
    SDL_SetRenderDrawColor(renderer_, Uint8(shade), Uint8(shade), Uint8(shade), 255);
    SDL_RenderClear(renderer_);
    SDL_RenderPresent(renderer_);
  }
  SDL_Rect px{0, 0, 1, 1};
  if (SDL_RenderReadPixels(renderer_, &px, SDL_PIXELFORMAT_ARGB8888, &seen, 4) != 0) return false;
  return (seen & 0xFFFFFFu) == 0x020202u;
}

// A window keeps its frame in its own back buffer when the driver leaves it
// there after a present; otherwise, and while the software cursor is laid over
// each present (it must never reach the kept frame), in a texture that Present
// copies over: a whole screen more.
void SdlRenderDevice::MakeFrame() {
  if (surface_) return;
  if (frame_) {
    SDL_SetRenderTarget(renderer_, nullptr);
    SDL_DestroyTexture(frame_);
    frame_ = nullptr;
  }
  backBufferKept_ = BackBufferKept();
  if (!backBufferKept_ || cursorTex_) OpenFrame(false);
}

void SdlRenderDevice::OpenFrame(bool fromWindow) {
  if (frame_ || surface_ || !SDL_RenderTargetSupported(renderer_)) return;
  // A scaled window's pixels are not the picture's: it is drawn afresh instead.
  bool scaled = Letterboxed();
  SDL_Surface* shown = fromWindow && !scaled ? ReadBack() : nullptr;
  if (fromWindow && scaled) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = SDL_WINDOWEVENT_EXPOSED;
    e.window.windowID = SDL_GetWindowID(SDL_RenderGetWindow(renderer_));
    SDL_PushEvent(&e);
  }
  frame_ = SDL_CreateTexture(renderer_, TargetFormat(), SDL_TEXTUREACCESS_TARGET, width_, height_);
  if (frame_ && SDL_SetRenderTarget(renderer_, frame_) != 0) {
    SDL_DestroyTexture(frame_);
    frame_ = nullptr;
  }
  if (frame_) {  // else drawn straight to the window, every frame whole
    SDL_SetTextureBlendMode(frame_, SDL_BLENDMODE_NONE);
    SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_BLEND);
    SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
    SDL_RenderClear(renderer_);
    // What the window shows goes on: a partial redraw may follow.
    if (shown) SDL_UpdateTexture(frame_, nullptr, shown->pixels, shown->pitch);
  }
  if (shown) SDL_FreeSurface(shown);
}

void SdlRenderDevice::SetCursor(TextureId tex, const Rect& where) {
  cursorTex_ = tex;
  cursorAt_ = where;
  if (tex && !inLayer_) {
    Flush();
    OpenFrame(true);
  }
}

// Over the window's picture only, after the kept frame was copied there.
void SdlRenderDevice::DrawCursorQuad() {
  const Picture* found = pictures_.Find(cursorTex_);
  if (!found) return;
  const Picture& p = *found;
  float l = float(cursorAt_.left), t = float(cursorAt_.top), r = float(cursorAt_.right), b = float(cursorAt_.bottom);
  SDL_Vertex v[4];
  const float xy[4][2] = {{l, t}, {r, t}, {r, b}, {l, b}};
  const float uv[4][2] = {{p.u0, p.v0}, {p.u1, p.v0}, {p.u1, p.v1}, {p.u0, p.v1}};
  for (int i = 0; i < 4; ++i) {
    v[i].position = {xy[i][0], xy[i][1]};
    v[i].color = {255, 255, 255, 255};
    v[i].tex_coord = {uv[i][0], uv[i][1]};
  }
  const int idx[6] = {0, 1, 2, 0, 2, 3};
  SDL_RenderGeometry(renderer_, p.tex, v, 4, idx, 6);
}

// Consecutive quads of one texture go to the renderer in one geometry call:
// switching textures per quad costs several times more on software GL.
void SdlRenderDevice::Queue(SDL_Texture* tex, const Vertex corners[4]) {
  if (!drawing_) return;
  const bool solid = opaque_.count(tex) &&
                     std::all_of(corners, corners + 4, [](const Vertex& c) { return (c.color >> 24) == 255; });
  if (!batchOpen_ || tex != batchTex_ || solid != batchSolid_) {
    Flush();
    batchTex_ = tex;
    batchSolid_ = solid;
    batchOpen_ = true;
  }
  int base = int(verts_.size());
  for (int i = 0; i < 4; ++i) {
    const Vertex& c = corners[i];
    SDL_Vertex v;
    v.position = {c.x, c.y};
    v.color = {Uint8((c.color >> 16) & 255), Uint8((c.color >> 8) & 255), Uint8(c.color & 255),
               Uint8((c.color >> 24) & 255)};
    v.tex_coord = {c.u, c.v};
    verts_.push_back(v);
  }
  for (int k : {0, 1, 2, 0, 2, 3}) indices_.push_back(base + k);
}

void SdlRenderDevice::DrawQuad(TextureId tex, const Vertex corners[4]) {
  const Picture* p = pictures_.Find(tex);
  SDL_Texture* t = nullptr;
  Vertex v[4];
  if (p && p->Place(corners, t, v)) Queue(t, v);
}

void SdlRenderDevice::FillQuad(const Vertex corners[4]) { Queue(nullptr, corners); }

void SdlRenderDevice::Flush() {
  if (!batchOpen_) return;
  if (!indices_.empty()) {
    if (opaque_.count(batchTex_)) SDL_SetTextureBlendMode(batchTex_, batchSolid_ ? SDL_BLENDMODE_NONE : SDL_BLENDMODE_BLEND);
    SDL_RenderGeometry(renderer_, batchTex_, verts_.data(), int(verts_.size()), indices_.data(), int(indices_.size()));
    ++drawCalls_;
  }
  verts_.clear();
  indices_.clear();
  batchOpen_ = false;
  batchTex_ = nullptr;
}

void SdlRenderDevice::Present() {
  Flush();
  if (clipped_) SetClip(nullptr);
  if (drawing_) {
    if (frame_) {
      SDL_SetRenderTarget(renderer_, nullptr);
      // Pixel for pixel in a window of its size; filtered when the window or full screen scales it.
      bool scaled = Letterboxed();
      SDL_SetTextureScaleMode(frame_, scaled ? SDL_ScaleModeLinear : SDL_ScaleModeNearest);
      if (scaled) {
        // Black bars where the window's proportions differ from the picture's.
        SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
        SDL_RenderClear(renderer_);
      }
      SDL_RenderCopy(renderer_, frame_, nullptr, nullptr);
      DrawCursorQuad();
      SDL_RenderPresent(renderer_);
      SDL_SetRenderTarget(renderer_, frame_);
    } else {
      // Nothing is kept here: the cursor goes into the frame, which is drawn whole each time.
      if (!surface_ && !backBufferKept_) DrawCursorQuad();
      SDL_RenderPresent(renderer_);
    }
  }
  ++frames_;
}

bool SdlRenderDevice::Letterboxed() {
  if (surface_) return false;
  int ow = 0, oh = 0;
  SDL_GetRendererOutputSize(renderer_, &ow, &oh);
  return ow != width_ || oh != height_;
}

// The picture as drawn, at its own size. SDL reads in the output's pixels: a
// window (or full screen) that shows the picture scaled holds more or fewer of
// them than the picture, so it is read whole and the picture's place in it
// scaled back (read into a picture-sized surface it would write past its end).
SDL_Surface* SdlRenderDevice::ReadBack() {
  Flush();
  int ow = 0, oh = 0;
  if (SDL_GetRendererOutputSize(renderer_, &ow, &oh) != 0 || ow <= 0 || oh <= 0) return nullptr;
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, ow, oh, 32, SDL_PIXELFORMAT_ARGB8888);
  SDL_Rect all{0, 0, ow, oh};
  if (!s || SDL_RenderReadPixels(renderer_, &all, SDL_PIXELFORMAT_ARGB8888, s->pixels, s->pitch) != 0) {
    if (s) SDL_FreeSurface(s);
    return nullptr;
  }
  if (ow == width_ && oh == height_) return s;
  SDL_Rect view{};
  float sx = 1, sy = 1;
  SDL_RenderGetViewport(renderer_, &view);
  SDL_RenderGetScale(renderer_, &sx, &sy);
  SDL_Rect at{int(std::lround(view.x * sx)), int(std::lround(view.y * sy)), int(std::lround(view.w * sx)),
              int(std::lround(view.h * sy))};
  SDL_Surface* picture = SDL_CreateRGBSurfaceWithFormat(0, width_, height_, 32, SDL_PIXELFORMAT_ARGB8888);
  if (picture && (!SDL_IntersectRect(&at, &all, &at) || SDL_SoftStretchLinear(s, &at, picture, nullptr) != 0)) {
    SDL_FreeSurface(picture);
    picture = nullptr;
  }
  SDL_FreeSurface(s);
  return picture;
}

void SdlRenderDevice::SaveBuffer(int slot) {
  if (slot < 0 || slot > 10 || !drawing_) return;
  SDL_Surface* s = ReadBack();
  if (!s) return;
  if (slots_[slot]) SDL_DestroyTexture(slots_[slot]);
  slots_[slot] = SDL_CreateTextureFromSurface(renderer_, s);
  SDL_FreeSurface(s);
}

void SdlRenderDevice::FreeBuffer(int slot) {
  if (slot < 0 || slot > 10 || !slots_[slot]) return;
  Flush();
  SDL_DestroyTexture(slots_[slot]);
  slots_[slot] = nullptr;
}

void SdlRenderDevice::RestoreBuffer(int slot) {
  if (slot < 0 || slot > 10 || !slots_[slot] || !drawing_) return;
  Flush();
  SDL_SetTextureBlendMode(slots_[slot], SDL_BLENDMODE_NONE);
  SDL_RenderCopy(renderer_, slots_[slot], nullptr, nullptr);
}

bool SdlRenderDevice::SaveScreenshot(const std::string& pngPath) {
  SDL_Surface* s = ReadBack();
  if (!s) return false;
  bool ok = IMG_SavePNG(s, pngPath.c_str()) == 0;
  SDL_FreeSurface(s);
  return ok;
}

std::size_t SdlRenderDevice::DeviceTextureBytes() {
  std::size_t n = std::size_t(atlas_.Pages()) * kAtlasPageBytes + pictures_.OwnBytes();
  for (SDL_Texture* t : slots_)
    if (t) n += std::size_t(width_) * std::size_t(height_) * 4;
  if (frame_) n += std::size_t(width_) * std::size_t(height_) * 4;
  return n;
}

std::string SdlRenderDevice::DeviceTextureParts() {
  std::size_t screen = std::size_t(width_) * std::size_t(height_) * 4, copies = 0;
  for (SDL_Texture* t : slots_)
    if (t) copies += screen;
  return DeviceTexturePartsText(atlas_.Pages(), pictures_.OwnBytes(), copies, frame_ ? screen : 0);
}

void SdlRenderDevice::ForgetTextures() {
  Flush();
  for (SDL_Texture* t : pictures_.OwnTextures()) SDL_DestroyTexture(t);
  for (SDL_Texture* p : atlas_.AllPages()) SDL_DestroyTexture(p);
  for (SDL_Texture*& t : slots_) {
    if (t) SDL_DestroyTexture(t);
    t = nullptr;
  }
  pictures_.Clear();
  opaque_.clear();
  atlas_.Clear();
  MakeFrame();
}

void SdlRenderDevice::Resize(int width, int height) {
  Flush();
  width_ = width;
  height_ = height;
  if (surface_) {
    SDL_DestroyRenderer(renderer_);
    SDL_FreeSurface(surface_);
    surface_ = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
    renderer_ = SDL_CreateSoftwareRenderer(surface_);
    SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_BLEND);
    // Textures belong to the old renderer; a headless resize starts without pictures.
    pictures_.Clear();
    opaque_.clear();
    atlas_.Clear();
    for (SDL_Texture*& t : slots_) t = nullptr;
    return;
  }
  // The logical size belongs to the window's own target; set it while that one is bound.
  SDL_SetRenderTarget(renderer_, nullptr);
  SDL_RenderSetLogicalSize(renderer_, width, height);
  MakeFrame();
}

}  // namespace bm

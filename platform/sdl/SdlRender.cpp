#include "platform/sdl/SdlRender.h"

#include <SDL_image.h>

namespace bm {

SdlRenderDevice::SdlRenderDevice(SDL_Renderer* renderer, SDL_Surface* ownedSurface, int width, int height)
    : renderer_(renderer), surface_(ownedSurface), width_(width), height_(height) {
  SDL_SetRenderDrawBlendMode(renderer_, SDL_BLENDMODE_BLEND);
}

SdlRenderDevice::~SdlRenderDevice() {
  for (auto& [id, tex] : textures_) SDL_DestroyTexture(tex);
  for (SDL_Texture* t : slots_)
    if (t) SDL_DestroyTexture(t);
  if (surface_) {
    SDL_DestroyRenderer(renderer_);
    SDL_FreeSurface(surface_);
  }
}

TextureId SdlRenderDevice::LoadTexture(const std::string& path) {
  SDL_Surface* img = IMG_Load(path.c_str());
  if (!img) return 0;
  SDL_Texture* tex = SDL_CreateTextureFromSurface(renderer_, img);
  SDL_FreeSurface(img);
  if (!tex) return 0;
  SDL_SetTextureBlendMode(tex, SDL_BLENDMODE_BLEND);
  SDL_SetTextureScaleMode(tex, SDL_ScaleModeLinear);
  textures_[nextId_] = tex;
  return nextId_++;
}

TextureId SdlRenderDevice::CreateTexture(int width, int height, const std::uint32_t* argb) {
  SDL_Texture* tex = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, width, height);
  if (!tex) return 0;
  SDL_UpdateTexture(tex, nullptr, argb, width * 4);
  SDL_SetTextureBlendMode(tex, SDL_BLENDMODE_BLEND);
  SDL_SetTextureScaleMode(tex, SDL_ScaleModeLinear);
  textures_[nextId_] = tex;
  return nextId_++;
}

void SdlRenderDevice::FreeTexture(TextureId id) {
  auto it = textures_.find(id);
  if (it == textures_.end()) return;
  Flush();
  SDL_DestroyTexture(it->second);
  textures_.erase(it);
}

void SdlRenderDevice::Clear(Argb color) {
  if (!drawing_) return;
  Flush();
  SDL_SetRenderDrawColor(renderer_, (color >> 16) & 255, (color >> 8) & 255, color & 255, 255);
  SDL_RenderClear(renderer_);
}

// Consecutive quads of one texture go to the renderer in one geometry call:
// switching textures per quad costs several times more on software GL.
void SdlRenderDevice::Queue(SDL_Texture* tex, const Vertex corners[4]) {
  if (!drawing_) return;
  if (!batchOpen_ || tex != batchTex_) {
    Flush();
    batchTex_ = tex;
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
  auto it = textures_.find(tex);
  if (it == textures_.end()) return;
  Queue(it->second, corners);
}

void SdlRenderDevice::FillQuad(const Vertex corners[4]) { Queue(nullptr, corners); }

void SdlRenderDevice::Flush() {
  if (!batchOpen_) return;
  if (!indices_.empty()) {
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
  if (drawing_) SDL_RenderPresent(renderer_);
  ++frames_;
}

SDL_Surface* SdlRenderDevice::ReadBack() {
  Flush();
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, width_, height_, 32, SDL_PIXELFORMAT_ARGB8888);
  if (!s) return nullptr;
  if (SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_ARGB8888, s->pixels, s->pitch) != 0) {
    SDL_FreeSurface(s);
    return nullptr;
  }
  return s;
}

void SdlRenderDevice::SaveBuffer(int slot) {
  if (slot < 0 || slot > 10 || !drawing_) return;
  SDL_Surface* s = ReadBack();
  if (!s) return;
  if (slots_[slot]) SDL_DestroyTexture(slots_[slot]);
  slots_[slot] = SDL_CreateTextureFromSurface(renderer_, s);
  SDL_FreeSurface(s);
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
    textures_.clear();
    for (SDL_Texture*& t : slots_) t = nullptr;
  }
}

}  // namespace bm

// The render device on an SDL_Renderer: a window's (the game) or a software
// renderer over an off-screen surface (headless runs and tests).
#pragma once
#include <SDL.h>

#include <memory>
#include <unordered_set>
#include <vector>

#include "platform/DevicePictures.h"
#include "platform/Platform.h"

namespace bm {

class SdlRenderDevice : public RenderDevice {
 public:
  // Takes a renderer it does not own; surface, when given, is the headless target it owns.
  SdlRenderDevice(SDL_Renderer* renderer, SDL_Surface* ownedSurface, int width, int height);
  ~SdlRenderDevice() override;

  TextureId LoadTexture(const std::string& path, int maxEdge = 0, int pageFamily = 0) override;
  TextureId LoadTextureParts(const std::string& path, const std::vector<PicturePart>& parts) override;
  TextureId CreateTexture(int width, int height, const std::uint32_t* argb) override;
  void FreeTexture(TextureId id) override;
  void Clear(Argb color) override;
  void DrawQuad(TextureId tex, const Vertex corners[4]) override;
  void FillQuad(const Vertex corners[4]) override;
  void Present() override;
  void SaveBuffer(int slot) override;
  void RestoreBuffer(int slot) override;
  void FreeBuffer(int slot) override;
  bool BeginLayer(int slot) override;
  void EndLayer() override;
  bool SlotHeld(int slot) override;
  bool SaveScreenshot(const std::string& pngPath) override;
  void Resize(int width, int height) override;
  int Width() override { return width_; }
  int Height() override { return height_; }
  long FramesPresented() override { return frames_; }
  bool TextureAlive(TextureId id) override { return pictures_.Find(id) != nullptr; }
  void ForgetTextures() override;
  std::size_t TextureBytes(TextureId id) override { return pictures_.Bytes(id); }
  std::size_t DeviceTextureBytes() override;
  std::string DeviceTextureParts() override;
  void SetClip(const Rect* r) override;
  bool KeepsFrame() override { return surface_ != nullptr || frame_ != nullptr || backBufferKept_; }
  void SetCursor(TextureId tex, const Rect& where) override;

  // Headless fast runs skip all drawing; screenshots switch it back on.
  void SetDrawingEnabled(bool on) { drawing_ = on; }
  long DrawCalls() const { return drawCalls_; }

 private:
  // A picture file as ARGB pixels, scaled down to maxEdge (0: as it is); null when unreadable.
  // opaque: the file has no transparent pixel (a photograph).
  SDL_Surface* Decode(const std::string& path, int maxEdge, bool* opaque = nullptr);
  // The pixel format the renderer draws into (the window's): a picture in it is
  // stretched straight into the frame, not converted through scratch pictures.
  Uint32 TargetFormat() const;
  void Flush();
  void Queue(SDL_Texture* tex, const Vertex corners[4]);
  SDL_Surface* ReadBack();
  // The kept frame of a window: everything is drawn into it, and Present copies
  // it to the window (the headless surface keeps its pixels by itself).
  void MakeFrame();
  // The kept frame's texture, once it is needed: starts black, or with what the window shows.
  void OpenFrame(bool fromWindow);
  bool BackBufferKept();
  void DrawCursorQuad();
  // Whether the window shows the picture scaled (a window dragged to another
  // size, full screen): the rest of the window is black bars.
  bool Letterboxed();

  SDL_Renderer* renderer_;
  SDL_Surface* surface_;  // headless target, or null
  int width_, height_;
  bool drawing_ = true;
  long frames_ = 0;
  long drawCalls_ = 0;
  using Picture = DevicePicture<SDL_Texture*>;
  TextureId AddToAtlas(SDL_Surface* img, int family);
  PictureTable<SDL_Texture*> pictures_;
  AtlasBook<SDL_Texture*> atlas_;
  SDL_Texture* batchTex_ = nullptr;
  bool batchOpen_ = false;
  // Pictures of their own with no transparent pixel, kept in the target's format:
  // drawn at full alpha they are copied, not blended (a software renderer then
  // stretches a screen-sized picture straight into the frame, with no scratch
  // pictures of a screen's size allocated, filled and freed for each).
  std::unordered_set<SDL_Texture*> opaque_;
  bool batchSolid_ = false;
  std::vector<SDL_Vertex> verts_;
  std::vector<int> indices_;
  SDL_Texture* slots_[11] = {};
  SDL_Texture* frame_ = nullptr;
  bool backBufferKept_ = false;
  bool clipped_ = false;
  SDL_Rect clip_{};
  // While a layer is drawn: the target to go back to and the clip to put back.
  bool inLayer_ = false;
  SDL_Texture* layerReturn_ = nullptr;
  bool layerClipped_ = false;
  TextureId cursorTex_ = 0;
  Rect cursorAt_;
};

}  // namespace bm

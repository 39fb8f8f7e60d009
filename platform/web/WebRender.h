// The render device on WebGL 1 (OpenGL ES 2): pictures in textures of their own
// or on shared atlas pages, consecutive quads of one texture in one draw call.
// Everything is drawn into a kept frame (a texture), which Present copies to
// the canvas with the cursor over it, so a still screen redraws only a part.
// Pictures keep their rows top first; render targets bottom-up, as GL draws them.
#pragma once
#include <GLES2/gl2.h>

#include <string>
#include <vector>

#include "platform/DevicePictures.h"
#include "platform/Platform.h"

namespace bm {

class WebRenderDevice : public RenderDevice {
 public:
  // A WebGL context on the canvas (a CSS selector); Ok() tells whether it works.
  WebRenderDevice(const char* canvas, int width, int height);
  ~WebRenderDevice() override;
  bool Ok() const { return ok_; }
  // What draws (GL_RENDERER), for the run log.
  std::string RendererName() const;

  TextureId LoadTexture(const std::string& path, int maxEdge = 0, int pageFamily = 0) override;
  TextureId CreateTexture(int width, int height, const std::uint32_t* argb) override;
  void FreeTexture(TextureId id) override;
  void Clear(Argb color) override;
  void DrawQuad(TextureId tex, const Vertex corners[4]) override;
  void FillQuad(const Vertex corners[4]) override;
  void Present() override;
  void SaveBuffer(int slot) override;
  void RestoreBuffer(int slot) override;
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
  bool KeepsFrame() override { return true; }
  void SetCursor(TextureId tex, const Rect& where) override;

  // The kept frame's pixels, RGBA, top row first.
  bool ReadFrame(std::vector<std::uint8_t>& rgba);
  // True once after the browser gave a lost context back: every picture must
  // be loaded again (ForgetTextures first).
  bool TakeRestored();
  long DrawCalls() const { return drawCalls_; }

  // The browser gave a lost context back (its listener's side).
  void OnRestored() { restored_ = true; }

 private:
  struct GpuVertex {
    float x, y, u, v;
    std::uint8_t r, g, b, a;
  };
  using Picture = DevicePicture<GLuint>;
  struct Slot {
    GLuint tex = 0;
    int w = 0, h = 0;
  };
  bool MakeObjects();
  void DropObjects();
  GLuint MakeTexture(int width, int height, const void* rgba);
  TextureId AddPicture(const std::uint8_t* rgba, int width, int height);
  void Target(GLuint fbo, int width, int height);
  void ApplyClip();
  void Queue(GLuint tex, const Vertex corners[4]);
  void Flush();
  // A render target's picture over the whole target, as it is (no blending).
  void Copy(GLuint tex);
  bool SizeSlot(Slot& s);

  std::string canvas_;
  int context_ = 0;
  bool ok_ = false, restored_ = false;
  int width_, height_;
  long frames_ = 0, drawCalls_ = 0;
  GLuint program_ = 0, vertexBuffer_ = 0, indexBuffer_ = 0, white_ = 0;
  GLint scaleAt_ = -1;
  GLuint frameTex_ = 0, frameFbo_ = 0, layerFbo_ = 0;
  int targetW_ = 0, targetH_ = 0;
  PictureTable<GLuint> pictures_;
  std::vector<GLuint> pages_;
  AtlasShelves shelves_;
  Slot slots_[11];
  GLuint batchTex_ = 0;
  std::vector<GpuVertex> verts_;
  bool clipped_ = false;
  Rect clip_;
  bool inLayer_ = false, layerClipped_ = false;
  TextureId cursorTex_ = 0;
  Rect cursorAt_;
};

}  // namespace bm

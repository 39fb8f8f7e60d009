#include "platform/web/WebRender.h"

#include <emscripten/html5.h>
#include <stb/stb_image.h>
#include <stb/stb_image_resize.h>
#include <stb/stb_image_write.h>

#include <algorithm>
#include <cstddef>

#include "platform/web/PassLoop.h"
#include "io/SafeRead.h"

extern "C" void bm_page_presented();

namespace bm {

namespace {

constexpr int kMaxQuads = 4096;  // a draw call's quads: 16-bit indices reach 16383

// Pixel positions to clip space, y downwards.
const char* const kVertexShader = R"(
attribute vec2 position;
attribute vec2 uv;
attribute vec4 color;
uniform vec2 scale;
varying vec2 vUv;
varying vec4 vColor;
void main() {
  gl_Position = vec4(position * scale + vec2(-1.0, 1.0), 0.0, 1.0);
  vUv = uv;
  vColor = color;
})";

// High precision where there is any: an atlas page is 1040 texels wide.
const char* const kFragmentShader = R"(
#ifdef GL_FRAGMENT_PRECISION_HIGH
precision highp float;
#else
precision mediump float;
#endif
uniform sampler2D picture;
varying vec2 vUv;
varying vec4 vColor;
void main() {
  gl_FragColor = texture2D(picture, vUv) * vColor;
})";

// A shader that does not compile leaves the program unlinked: the link's status tells both (each status asked is a
// wait for the browser's GPU side).
GLuint Compile(GLenum kind, const char* text) {
  GLuint s = glCreateShader(kind);
  glShaderSource(s, 1, &text, nullptr);
  glCompileShader(s);
  return s;
}

// Drawing into a lost context does nothing; saying so asks the browser to give it back.
EM_BOOL ContextLost(int, const void*, void*) { return EM_TRUE; }

EM_BOOL ContextRestored(int, const void*, void* user) {
  static_cast<WebRenderDevice*>(user)->OnRestored();
  WakePasses();
  return EM_TRUE;
}

}  // namespace

WebRenderDevice::WebRenderDevice(const char* canvas, int width, int height)
    : canvas_(canvas), width_(width), height_(height) {
  EmscriptenWebGLContextAttributes a;
  emscripten_webgl_init_context_attributes(&a);
  a.alpha = EM_FALSE;
  a.depth = EM_FALSE;
  a.stencil = EM_FALSE;
  a.antialias = EM_FALSE;
  a.premultipliedAlpha = EM_FALSE;
  a.preserveDrawingBuffer = EM_FALSE;  // the frame is kept in a texture of ours
  a.majorVersion = 1;
  a.minorVersion = 0;
  // Plain WebGL 1 draws everything: enabling every extension the browser offers holds the page's thread for a
  // tenth of a second or more before the first picture.
  a.enableExtensionsByDefault = EM_FALSE;
  context_ = emscripten_webgl_create_context(canvas, &a);
  if (context_ <= 0) return;
  emscripten_webgl_make_context_current(context_);
  emscripten_set_webglcontextlost_callback(canvas, this, EM_TRUE, ContextLost);
  emscripten_set_webglcontextrestored_callback(canvas, this, EM_TRUE, ContextRestored);
  ok_ = MakeObjects();
}

WebRenderDevice::~WebRenderDevice() {
  if (context_ <= 0) return;
  DropObjects();
  emscripten_webgl_destroy_context(context_);
}

bool WebRenderDevice::MakeObjects() {
  GLuint vs = Compile(GL_VERTEX_SHADER, kVertexShader), fs = Compile(GL_FRAGMENT_SHADER, kFragmentShader);
  program_ = glCreateProgram();
  glAttachShader(program_, vs);
  glAttachShader(program_, fs);
  glBindAttribLocation(program_, 0, "position");
  glBindAttribLocation(program_, 1, "uv");
  glBindAttribLocation(program_, 2, "color");
  glLinkProgram(program_);
  glDeleteShader(vs);
  glDeleteShader(fs);
  GLint linked = 0;
  glGetProgramiv(program_, GL_LINK_STATUS, &linked);
  if (!vs || !fs || !linked) return false;
  glUseProgram(program_);
  scaleAt_ = glGetUniformLocation(program_, "scale");
  glUniform1i(glGetUniformLocation(program_, "picture"), 0);

  std::vector<std::uint16_t> indices;
  indices.reserve(std::size_t(kMaxQuads) * 6);
  for (int q = 0; q < kMaxQuads; ++q)
    for (int k : {0, 1, 2, 0, 2, 3}) indices.push_back(std::uint16_t(q * 4 + k));
  glGenBuffers(1, &indexBuffer_);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer_);
  glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(indices.size() * 2), indices.data(), GL_STATIC_DRAW);
  glGenBuffers(1, &vertexBuffer_);
  glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer_);
  const GLsizei stride = sizeof(GpuVertex);
  glEnableVertexAttribArray(0);
  glEnableVertexAttribArray(1);
  glEnableVertexAttribArray(2);
  glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(offsetof(GpuVertex, x)));
  glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<void*>(offsetof(GpuVertex, u)));
  glVertexAttribPointer(2, 4, GL_UNSIGNED_BYTE, GL_TRUE, stride, reinterpret_cast<void*>(offsetof(GpuVertex, r)));

  const std::uint8_t white[4] = {255, 255, 255, 255};
  white_ = MakeTexture(1, 1, white);
  glGenFramebuffers(1, &frameFbo_);
  glGenFramebuffers(1, &layerFbo_);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_CULL_FACE);
  // Alpha blending as the desktop's renderer does it, the target's alpha included.
  glEnable(GL_BLEND);
  glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
  Resize(width_, height_);
  return glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
}

void WebRenderDevice::DropObjects() {
  for (GLuint t : pictures_.OwnTextures()) glDeleteTextures(1, &t);
  for (GLuint p : pages_) glDeleteTextures(1, &p);
  for (Slot& s : slots_) {
    if (s.tex) glDeleteTextures(1, &s.tex);
    s = {};
  }
  pictures_.Clear();
  pages_.clear();
  shelves_.Clear();
  for (GLuint t : {white_, frameTex_}) glDeleteTextures(1, &t);
  for (GLuint f : {frameFbo_, layerFbo_}) glDeleteFramebuffers(1, &f);
  for (GLuint b : {vertexBuffer_, indexBuffer_}) glDeleteBuffers(1, &b);
  glDeleteProgram(program_);
  white_ = frameTex_ = frameFbo_ = layerFbo_ = vertexBuffer_ = indexBuffer_ = program_ = 0;
  verts_.clear();
  batchTex_ = 0;
  inLayer_ = false;
}

std::string WebRenderDevice::RendererName() const {
  auto text = [](GLenum name) {
    const GLubyte* s = glGetString(name);
    return s ? std::string(reinterpret_cast<const char*>(s)) : std::string("?");
  };
  return context_ > 0 ? text(GL_RENDERER) + ", " + text(GL_VERSION) : "none";
}

GLuint WebRenderDevice::MakeTexture(int width, int height, const void* rgba) {
  GLuint t = 0;
  glGenTextures(1, &t);
  glBindTexture(GL_TEXTURE_2D, t);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  return t;
}

TextureId WebRenderDevice::AddPicture(const std::uint8_t* rgba, int width, int height) {
  if (width > kAtlasMaxPicture || height > kAtlasMaxPicture)
    return pictures_.Add(Picture::Own(MakeTexture(width, height, rgba), width, height));
  AtlasSpot spot = shelves_.Place(width, height);
  if (spot.newPage) pages_.push_back(MakeTexture(kAtlasEdge, kAtlasEdge, nullptr));  // WebGL starts it clear
  shelves_.Take(spot);
  glBindTexture(GL_TEXTURE_2D, pages_.back());
  glTexSubImage2D(GL_TEXTURE_2D, 0, spot.x, spot.y, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
  return pictures_.Add(Picture::OnPage(pages_.back(), spot, width, height));
}

TextureId WebRenderDevice::LoadTexture(const std::string& path, int maxEdge, int) {
  // Through the safe reader: a FIFO or folder in a picture's place is refused at once.
  ReadResult file = ReadFileBounded(path, kPictureFileMaxBytes);
  if (!file.ok() || !ok_) return 0;
  int w = 0, h = 0, channels = 0;
  stbi_uc* pixels = stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(file.bytes.data()),
                                          int(file.bytes.size()), &w, &h, &channels, 4);
  if (!pixels) return 0;
  const std::uint8_t* use = pixels;
  std::vector<std::uint8_t> small;
  if (maxEdge > 0 && (w > maxEdge || h > maxEdge)) {
    double f = double(maxEdge) / std::max(w, h);
    int sw = std::max(1, int(w * f)), sh = std::max(1, int(h * f));
    small.resize(std::size_t(sw) * std::size_t(sh) * 4);
    if (stbir_resize_uint8_generic(pixels, w, h, 0, small.data(), sw, sh, 0, 4, 3, 0, STBIR_EDGE_CLAMP,
                                   STBIR_FILTER_TRIANGLE, STBIR_COLORSPACE_LINEAR, nullptr)) {
      use = small.data();
      w = sw;
      h = sh;
    }
  }
  Flush();
  TextureId id = AddPicture(use, w, h);
  stbi_image_free(pixels);
  return id;
}

TextureId WebRenderDevice::CreateTexture(int width, int height, const std::uint32_t* argb) {
  if (!ok_ || width <= 0 || height <= 0) return 0;
  std::vector<std::uint8_t> rgba(std::size_t(width) * std::size_t(height) * 4);
  for (std::size_t i = 0; i < rgba.size() / 4; ++i) {
    std::uint32_t c = argb[i];
    rgba[i * 4] = std::uint8_t(c >> 16);
    rgba[i * 4 + 1] = std::uint8_t(c >> 8);
    rgba[i * 4 + 2] = std::uint8_t(c);
    rgba[i * 4 + 3] = std::uint8_t(c >> 24);
  }
  Flush();
  return pictures_.Add(Picture::Own(MakeTexture(width, height, rgba.data()), width, height));
}

void WebRenderDevice::FreeTexture(TextureId id) {
  const Picture* p = pictures_.Find(id);
  if (!p) return;
  Flush();
  // Atlas space is not reclaimed: only backgrounds come and go, and they have their own textures.
  if (p->owned) glDeleteTextures(1, &p->tex);
  pictures_.Erase(id);
}

// Binds a render target (0: the canvas) and fits the drawing to it.
void WebRenderDevice::Target(GLuint fbo, int width, int height) {
  glBindFramebuffer(GL_FRAMEBUFFER, fbo);
  glViewport(0, 0, width, height);
  targetW_ = width;
  targetH_ = height;
  glUniform2f(scaleAt_, 2.0f / float(std::max(width, 1)), -2.0f / float(std::max(height, 1)));
  ApplyClip();
}

void WebRenderDevice::ApplyClip() {
  if (!clipped_) {
    glDisable(GL_SCISSOR_TEST);
    return;
  }
  glEnable(GL_SCISSOR_TEST);
  // GL counts rows from the bottom.
  glScissor(clip_.left, targetH_ - clip_.bottom, std::max(0, clip_.right - clip_.left),
            std::max(0, clip_.bottom - clip_.top));
}

void WebRenderDevice::SetClip(const Rect* r) {
  Flush();
  clipped_ = r != nullptr;
  if (r) clip_ = *r;
  ApplyClip();
}

// A clear keeps to the clip rectangle, as a partial redraw wants.
void WebRenderDevice::Clear(Argb color) {
  Flush();
  glClearColor(float((color >> 16) & 255) / 255, float((color >> 8) & 255) / 255, float(color & 255) / 255, 1);
  glClear(GL_COLOR_BUFFER_BIT);
}

// Consecutive quads of one texture go to the GPU in one draw call.
void WebRenderDevice::Queue(GLuint tex, const Vertex corners[4]) {
  if (tex != batchTex_) Flush();
  batchTex_ = tex;
  for (int i = 0; i < 4; ++i) {
    const Vertex& c = corners[i];
    verts_.push_back({c.x, c.y, c.u, c.v, std::uint8_t(c.color >> 16), std::uint8_t(c.color >> 8),
                      std::uint8_t(c.color), std::uint8_t(c.color >> 24)});
  }
  if (verts_.size() >= std::size_t(kMaxQuads) * 4) Flush();
}

void WebRenderDevice::Flush() {
  if (verts_.empty()) return;
  glBindTexture(GL_TEXTURE_2D, batchTex_);
  glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(verts_.size() * sizeof(GpuVertex)), verts_.data(), GL_STREAM_DRAW);
  glDrawElements(GL_TRIANGLES, GLsizei(verts_.size() / 4 * 6), GL_UNSIGNED_SHORT, nullptr);
  ++drawCalls_;
  verts_.clear();
}

void WebRenderDevice::DrawQuad(TextureId tex, const Vertex corners[4]) {
  const Picture* p = pictures_.Find(tex);
  if (!p) return;
  Vertex v[4];
  p->OnPart(corners, v);
  Queue(p->tex, v);
}

void WebRenderDevice::FillQuad(const Vertex corners[4]) { Queue(white_, corners); }

// A target's rows are bottom-up: its top is at v = 1.
void WebRenderDevice::Copy(GLuint tex) {
  Flush();
  float w = float(targetW_), h = float(targetH_);
  const Vertex v[4] = {{0, 0, 0, 1, 0xFFFFFFFF}, {w, 0, 1, 1, 0xFFFFFFFF}, {w, h, 1, 0, 0xFFFFFFFF},
                       {0, h, 0, 0, 0xFFFFFFFF}};
  glDisable(GL_BLEND);
  Queue(tex, v);
  Flush();
  glEnable(GL_BLEND);
}

void WebRenderDevice::SetCursor(TextureId tex, const Rect& where) {
  cursorTex_ = tex;
  cursorAt_ = where;
}

void WebRenderDevice::Present() {
  Flush();
  if (clipped_) SetClip(nullptr);
  int cw = 0, ch = 0;
  emscripten_get_canvas_element_size(canvas_.c_str(), &cw, &ch);
  Target(0, cw, ch);
  // Pixel for pixel when the canvas has the frame's size; filtered when it does not.
  GLint filter = cw == width_ && ch == height_ ? GL_NEAREST : GL_LINEAR;
  glBindTexture(GL_TEXTURE_2D, frameTex_);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
  Copy(frameTex_);
  // The cursor goes over the canvas's picture only, never into the kept frame.
  if (pictures_.Find(cursorTex_)) {
    float l = float(cursorAt_.left), t = float(cursorAt_.top), r = float(cursorAt_.right), b = float(cursorAt_.bottom);
    const Vertex v[4] = {{l, t, 0, 0, 0xFFFFFFFF}, {r, t, 1, 0, 0xFFFFFFFF}, {r, b, 1, 1, 0xFFFFFFFF},
                         {l, b, 0, 1, 0xFFFFFFFF}};
    DrawQuad(cursorTex_, v);
    Flush();
  }
  Target(frameFbo_, width_, height_);
  ++frames_;
  bm_page_presented();
}

bool WebRenderDevice::SizeSlot(Slot& s) {
  if (s.tex && s.w == width_ && s.h == height_) return false;
  if (s.tex) glDeleteTextures(1, &s.tex);
  s.tex = MakeTexture(width_, height_, nullptr);
  s.w = width_;
  s.h = height_;
  return true;
}

void WebRenderDevice::SaveBuffer(int slot) {
  if (slot < 0 || slot > 10 || !ok_) return;
  Flush();
  Slot& s = slots_[slot];
  SizeSlot(s);
  glBindTexture(GL_TEXTURE_2D, s.tex);
  glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, width_, height_);
}

void WebRenderDevice::RestoreBuffer(int slot) {
  if (slot < 0 || slot > 10 || !slots_[slot].tex) return;
  Copy(slots_[slot].tex);
}

bool WebRenderDevice::BeginLayer(int slot) {
  if (slot < 0 || slot > 10 || inLayer_ || !ok_) return false;
  Flush();
  Slot& s = slots_[slot];
  bool fresh = SizeSlot(s);
  glBindFramebuffer(GL_FRAMEBUFFER, layerFbo_);
  glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, s.tex, 0);
  if (fresh && glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
    Target(frameFbo_, width_, height_);
    return false;
  }
  layerClipped_ = clipped_;
  clipped_ = false;
  inLayer_ = true;
  Target(layerFbo_, width_, height_);
  return true;
}

void WebRenderDevice::EndLayer() {
  if (!inLayer_) return;
  Flush();
  inLayer_ = false;
  clipped_ = layerClipped_;
  Target(frameFbo_, width_, height_);
}

bool WebRenderDevice::SlotHeld(int slot) {
  if (slot < 0 || slot > 10) return false;
  const Slot& s = slots_[slot];
  return s.tex && s.w == width_ && s.h == height_;
}

bool WebRenderDevice::ReadFrame(std::vector<std::uint8_t>& rgba) {
  if (!ok_) return false;
  Flush();
  std::size_t row = std::size_t(width_) * 4;
  std::vector<std::uint8_t> up(row * std::size_t(height_));
  glBindFramebuffer(GL_FRAMEBUFFER, frameFbo_);
  glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, up.data());
  glBindFramebuffer(GL_FRAMEBUFFER, inLayer_ ? layerFbo_ : frameFbo_);
  rgba.resize(up.size());
  for (int y = 0; y < height_; ++y)
    std::copy_n(up.begin() + std::ptrdiff_t(row * std::size_t(height_ - 1 - y)), row,
                rgba.begin() + std::ptrdiff_t(row * std::size_t(y)));
  return true;
}

bool WebRenderDevice::SaveScreenshot(const std::string& pngPath) {
  std::vector<std::uint8_t> rgba;
  return ReadFrame(rgba) && stbi_write_png(pngPath.c_str(), width_, height_, 4, rgba.data(), width_ * 4) != 0;
}

void WebRenderDevice::Resize(int width, int height) {
  Flush();
  width_ = width;
  height_ = height;
  if (frameTex_) glDeleteTextures(1, &frameTex_);
  frameTex_ = MakeTexture(width, height, nullptr);
  glBindFramebuffer(GL_FRAMEBUFFER, frameFbo_);
  glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, frameTex_, 0);
  inLayer_ = false;
  Target(frameFbo_, width, height);
  glDisable(GL_SCISSOR_TEST);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  ApplyClip();
}

void WebRenderDevice::ForgetTextures() {
  // After a lost context every name is dead: everything is made afresh.
  DropObjects();
  ok_ = MakeObjects();
}

bool WebRenderDevice::TakeRestored() {
  bool r = restored_;
  restored_ = false;
  return r;
}

std::size_t WebRenderDevice::DeviceTextureBytes() {
  std::size_t screen = std::size_t(width_) * std::size_t(height_) * 4;
  std::size_t n = pages_.size() * kAtlasPageBytes + pictures_.OwnBytes() + screen;  // and the kept frame
  for (const Slot& s : slots_)
    if (s.tex) n += std::size_t(s.w) * std::size_t(s.h) * 4;
  return n;
}

std::string WebRenderDevice::DeviceTextureParts() {
  std::size_t copies = 0;
  for (const Slot& s : slots_)
    if (s.tex) copies += std::size_t(s.w) * std::size_t(s.h) * 4;
  return DeviceTexturePartsText(int(pages_.size()), pictures_.OwnBytes(), copies, std::size_t(width_) * std::size_t(height_) * 4);
}

}  // namespace bm

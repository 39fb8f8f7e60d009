// A render device that keeps what it is asked to draw: each quad with its
// picture, box and colour, and each text with the box its ink covers and the
// rectangle it was set in. It hands every call on to the device it wraps
// (whose own drawing may be off), so the checks of every screen read exact
// figures without looking at pixels.
#pragma once
#include <set>
#include <string>
#include <vector>

#include "platform/Platform.h"

namespace bm {

struct DrawnQuad {
  TextureId tex = 0;  // 0: untextured
  Rect box;           // the corners' bounding box
  Argb color = 0;     // the top-left corner's
};

struct DrawnText {
  std::string text;
  Rect box;     // where its glyphs' ink lies
  Rect target;  // the rectangle it was set in
  Argb color = 0;
};

struct DrawJournal {
  std::vector<DrawnQuad> quads;
  std::vector<DrawnText> texts;
  void Clear() {
    quads.clear();
    texts.clear();
  }
};

class JournalDevice : public RenderDevice {
 public:
  explicit JournalDevice(RenderDevice& inner) : d_(inner) {}
  // What the screen shows: since its last Clear, or the last opaque picture over all of it.
  DrawJournal journal;
  std::set<TextureId> hidden;  // pictures kept in the journal but not drawn (a state without its texts)

  TextureId LoadTexture(const std::string& path, int maxEdge, int pageFamily) override {
    return d_.LoadTexture(path, maxEdge, pageFamily);
  }
  TextureId LoadTextureParts(const std::string& path, const std::vector<PicturePart>& parts) override {
    return d_.LoadTextureParts(path, parts);
  }
  TextureId CreateTexture(int w, int h, const std::uint32_t* argb) override { return d_.CreateTexture(w, h, argb); }
  void FreeTexture(TextureId id) override { d_.FreeTexture(id); }
  void Clear(Argb color) override;
  void DrawQuad(TextureId tex, const Vertex corners[4]) override;
  void FillQuad(const Vertex corners[4]) override;
  void NoteText(const std::string& text, const Rect& box, const Rect& target, Argb color) override;
  void Present() override {
    clipped_ = false;
    d_.Present();
  }
  void SaveBuffer(int slot) override { d_.SaveBuffer(slot); }
  void RestoreBuffer(int slot) override { d_.RestoreBuffer(slot); }
  void FreeBuffer(int slot) override { d_.FreeBuffer(slot); }
  // Layers are not kept: whatever would go into one is drawn on the screen.
  bool BeginLayer(int) override { return false; }
  bool SlotHeld(int) override { return false; }
  bool SaveScreenshot(const std::string& pngPath) override { return d_.SaveScreenshot(pngPath); }
  void Resize(int w, int h) override { d_.Resize(w, h); }
  int Width() override { return d_.Width(); }
  int Height() override { return d_.Height(); }
  long FramesPresented() override { return d_.FramesPresented(); }
  bool TextureAlive(TextureId id) override { return d_.TextureAlive(id); }
  void ForgetTextures() override { d_.ForgetTextures(); }
  void SetClip(const Rect* r) override;
  bool KeepsFrame() override { return false; }

 private:
  void Keep(const DrawnQuad& q);
  RenderDevice& d_;
  bool clipped_ = false;
  Rect clip_{};  // a text's ink is kept as far as it shows inside it
};

}  // namespace bm

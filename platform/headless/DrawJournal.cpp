#include "platform/headless/DrawJournal.h"

#include <algorithm>
#include <cmath>

namespace bm {

namespace {
DrawnQuad QuadOf(TextureId tex, const Vertex c[4]) {
  float l = c[0].x, t = c[0].y, r = c[0].x, b = c[0].y;
  for (int i = 1; i < 4; ++i) {
    l = std::min(l, c[i].x), r = std::max(r, c[i].x);
    t = std::min(t, c[i].y), b = std::max(b, c[i].y);
  }
  return {tex, {int(std::floor(l)), int(std::floor(t)), int(std::ceil(r)), int(std::ceil(b))}, c[0].color};
}
}  // namespace

void JournalDevice::Keep(const DrawnQuad& q) {
  // An opaque picture over the whole screen (a background) hides whatever was there.
  if ((q.color >> 24) == 0xFF && q.box.left <= 0 && q.box.top <= 0 && q.box.right >= Width() &&
      q.box.bottom >= Height())
    journal.Clear();
  journal.quads.push_back(q);
}

void JournalDevice::Clear(Argb color) {
  journal.Clear();
  d_.Clear(color);
}

void JournalDevice::DrawQuad(TextureId tex, const Vertex corners[4]) {
  if (tex) Keep(QuadOf(tex, corners));
  if (hidden.count(tex)) return;
  d_.DrawQuad(tex, corners);
}

void JournalDevice::FillQuad(const Vertex corners[4]) {
  Keep(QuadOf(0, corners));
  d_.FillQuad(corners);
}

void JournalDevice::SetClip(const Rect* r) {
  clipped_ = r != nullptr;
  if (r) clip_ = *r;
  d_.SetClip(r);
}

void JournalDevice::NoteText(const std::string& text, const Rect& box, const Rect& target, Argb color) {
  Rect shown = box;
  if (clipped_) {
    shown = {std::max(box.left, clip_.left), std::max(box.top, clip_.top), std::min(box.right, clip_.right),
             std::min(box.bottom, clip_.bottom)};
    if (shown.left >= shown.right || shown.top >= shown.bottom) return;  // wholly outside: not seen
  }
  journal.texts.push_back({text, shown, target, color});
}

}  // namespace bm

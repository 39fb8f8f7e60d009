#include "render/DialogDraw.h"

#include <algorithm>

namespace bm {

DialogLayout LayoutTwoButtonDialog(const ScreenMetrics& m, double leftPercent, double topPercent) {
  const double w = 44, h = 30;
  double l = leftPercent < 0 ? (100 - w) / 2 : leftPercent;
  double t = topPercent < 0 ? (100 - h) / 2 : topPercent;
  l = std::clamp(l, 0.0, 100 - w);
  t = std::clamp(t, 0.0, 100 - h);
  DialogLayout d;
  d.frame = m.PercentRect(l, t, l + w, t + h);
  d.buttons[0] = m.PercentRect(l + 4, t + h - 10, l + w / 2 - 2, t + h - 3);
  d.buttons[1] = m.PercentRect(l + w / 2 + 2, t + h - 10, l + w - 4, t + h - 3);
  // 11 % of the height, so that a fingertip finds them on a phone (a button of 7 % is 27 of 390 CSS pixels).
  d.hits[0] = m.PercentRect(l + 3, t + h - 11, l + w / 2 - 1, t + h);
  d.hits[1] = m.PercentRect(l + w / 2 + 1, t + h - 11, l + w - 3, t + h);
  return d;
}

int DialogButtonAt(const DialogLayout& d, double x, double y) {
  for (int i = 0; i < 2; ++i)
    if (d.hits[i].Contains(x, y)) return i + 1;
  return 0;
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t p = 0;
  for (;;) {
    std::size_t bar = text.find('|', p);
    lines.push_back(text.substr(p, bar == std::string::npos ? std::string::npos : bar - p));
    if (bar == std::string::npos) break;
    p = bar + 1;
  }
  return lines;
}

void DrawTextButton(Canvas& c, Font& font, const IRect& r, const std::string& label, int state, double size) {
  // Wood plaque: a light rim, a dark body that lights up under the pointer and sinks when pressed.
  Argb rim = state == 0 ? 0xFFC8A060 : 0xFFFFE6A0;
  Argb top = state == 2 ? 0xFF4A2A10 : state == 1 ? 0xFF9A6030 : 0xFF7A4A22;
  Argb bottom = state == 2 ? 0xFF6A4020 : 0xFF4A2A10;
  c.Fill(r.left - 2, r.top - 2, r.right + 2, r.bottom + 2, rim);
  c.FillGradient(r.left, r.top, r.right, r.bottom, top, bottom);
  IRect t = r;
  if (state == 2) t.top += 2, t.bottom += 2;
  font.Draw(c, label, t, size, 0xFF000000, state == 1 ? 0xFFFFFFFF : 0xFFFFE6A0, Align::Center);
}

void DrawParchment(Canvas& c, const IRect& f) {
  TextureId frame = c.Tex("red/tipformA.png");
  if (!frame) {
    c.Fill(f.left - 3, f.top - 3, f.right + 3, f.bottom + 3, 0xFFC8A060);
    c.FillGradient(f.left, f.top, f.right, f.bottom, 0xF0183A58, 0xF00A1C2E);
    return;
  }
  // The picture's parchment spans columns 32..480 and rows 62..450 of its 512:
  // the picture is laid larger so that the parchment covers the frame.
  double w = (f.right - f.left) / 448.0, h = (f.bottom - f.top) / 388.0;
  c.Image(frame, f.left - 32 * w, f.top - 62 * h, f.right + 32 * w, f.bottom + 62 * h);
}

void DrawTwoButtonDialog(Canvas& c, Font& font, const DialogLayout& d, const std::string& message,
                         const std::string& first, const std::string& second, int hover, int focus, int pressed) {
  const IRect& f = d.frame;
  DrawParchment(c, f);
  std::vector<std::string> lines = SplitLines(message);
  const ScreenMetrics& m = c.metrics;
  double lineH = 42 * m.YScale;
  double textTop = f.top + 4 * m.YPercent;
  double textBottom = d.buttons[0].top - 1 * m.YPercent;
  double y = (textTop + textBottom) / 2 - lineH * double(lines.size()) / 2;
  for (const std::string& line : lines) {
    IRect r{f.left + int(2 * m.XPercent), int(y), f.right - int(2 * m.XPercent), int(y + lineH)};
    font.Draw(c, line, r, 0.42, 0xFF000000, kParchmentInk, Align::Center);
    y += lineH;
  }
  const std::string* labels[2] = {&first, &second};
  for (int i = 0; i < 2; ++i) {
    int state = pressed == i + 1 ? 2 : hover == i + 1 ? 1 : 0;
    DrawTextButton(c, font, d.buttons[i], *labels[i], state);
    if (focus == i + 1) {
      const IRect& b = d.buttons[i];
      // The keyboard focus: a bright ring just outside the plaque.
      c.Fill(b.left - 6, b.top - 6, b.right + 6, b.top - 3, 0xFFFFFFFF);
      c.Fill(b.left - 6, b.bottom + 3, b.right + 6, b.bottom + 6, 0xFFFFFFFF);
      c.Fill(b.left - 6, b.top - 3, b.left - 3, b.bottom + 3, 0xFFFFFFFF);
      c.Fill(b.right + 3, b.top - 3, b.right + 6, b.bottom + 3, 0xFFFFFFFF);
    }
  }
}

void DrawFramedBackdrop(Canvas& c, double bottomPercent) {
  c.device.Clear(0xFF06203A);
  TextureId back = c.Tex("red/menu/main0-new2.jpg");
  if (back) c.FullScreen(back);
  DrawParchment(c, c.metrics.PercentRect(8, 6, 92, bottomPercent));
}

}  // namespace bm

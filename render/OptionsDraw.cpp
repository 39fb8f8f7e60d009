#include "render/OptionsDraw.h"

#include <algorithm>
#include <cmath>

#include "lang/Tr.h"
#include "render/DialogDraw.h"
#include "render/GlyphTable.h"

namespace bm {

namespace {
struct ItemPlace {
  int item;
  double l, t, r, b;  // percent of the screen
};
const ItemPlace kPlaces[] = {
    {opt::CheckBox, 14, 34, 22, 40},        {opt::CheckMark, 15, 34, 20, 40},   {opt::FullScreenLabel, 23, 34, 47, 40},
    {opt::ResolutionLabel, 16, 42, 47, 48}, {opt::ResPrev, 48, 42, 53, 48},     {opt::ResName, 55, 42, 78, 48},
    {opt::ResNext, 79, 42, 84, 48},         {opt::SoundLabel, 16, 52, 47, 58},  {opt::SoundDown, 48, 52, 53, 58},
    {opt::SoundSlider, 55, 52, 78, 57},     {opt::SoundUp, 79, 52, 84, 58},     {opt::MusicLabel, 16, 60, 47, 66},
    {opt::MusicDown, 48, 60, 53, 66},       {opt::MusicSlider, 55, 60, 78, 65}, {opt::MusicUp, 79, 60, 84, 66},
    {opt::LanguageLabel, 16, 68, 47, 74},   {opt::LanguagePrev, 48, 68, 53, 74}, {opt::LanguageName, 55, 68, 78, 74},
    {opt::LanguageNext, 79, 68, 84, 74},    {opt::Ok, 16, 76, 24, 82}};

// One label: a shadow, then the text lifted up and to the left; items not under
// the pointer float twice as high, in the parchment's ink (white lights them up).
void DrawOptionLabel(Canvas& c, Font& font, const IRect& r, bool hovered, const std::string& text, Align align,
                     double size, double lift) {
  // Our glyphs run wider than these rectangles: every item text at 0.8 of its size,
  // and smaller still where it would not fit.
  size = font.FitSize(text, size * 0.8, c.metrics.XScale, r.right - r.left);
  font.Draw(c, text, r, size, 0x40000000, 0x40000000, align);
  Argb colour = hovered ? 0xFFFFFFFF : kParchmentInk;
  double g = hovered ? lift : 2 * lift;
  const ScreenMetrics& m = c.metrics;
  int dx = int(g * 0.3 * m.XPercent), dy = int(g * 0.4 * m.YPercent);
  IRect up{r.left - dx, r.top - dy, r.right - dx, r.bottom - dy};
  font.Draw(c, text, up, size, colour, colour, align);
}

// The bar runs green to yellow across a full slider; one long edge is darker.
void DrawVolumeBar(Canvas& c, const IRect& s, double v, bool on) {
  double w = s.right - s.left;
  int mid = int(std::lround(s.left + w * v / 2)), end = int(std::lround(s.left + w * v));
  int I = on ? 255 : 128, A = on ? 255 : 128;
  auto colour = [&](double x, double k) {
    double f = w > 0 ? (x - s.left) / w : 0;
    return MakeArgb(A, int(std::lround(I * f * k)), int(std::lround(I * k)), 0);
  };
  auto quad = [&](int l, int r) {
    if (r <= l) return;
    Vertex q[4] = {{float(l), float(s.top), 0, 0, colour(l, 1)},
                   {float(r), float(s.top), 0, 0, colour(r, 1)},
                   {float(r), float(s.bottom), 0, 0, colour(r, 0.75)},
                   {float(l), float(s.bottom), 0, 0, colour(l, 0.75)}};
    c.device.FillQuad(q);
  };
  quad(s.left, mid);
  quad(mid, end);
}
}  // namespace

OptionRectTable OptionRects(const ScreenMetrics& m) {
  OptionRectTable t{};
  for (const ItemPlace& p : kPlaces) t[std::size_t(p.item)] = m.PercentRect(p.l, p.t, p.r, p.b);
  return t;
}

int OptionItemAt(const OptionRectTable& rects, double x, double y) {
  for (int i = 0; i < opt::Count; ++i)
    if (rects[std::size_t(i)].Contains(x, y)) return i;
  return -1;
}

double SliderValue(const IRect& s, double x) {
  if (s.right <= s.left) return 0;
  return std::clamp((x - s.left) / double(s.right - s.left), 0.0, 1.0);
}

// TRANSLATORS: Options: value on a volume slider while that sound is off, size 0.72, shrinks to fit. Room: plenty
// (twice the English length or more).
std::string VolumeText(double volume, bool on) { return on ? std::to_string(int(volume * 100 + 1e-9)) : Tr("Mute"); }

std::string OptionHint(int item, double soundVolume, bool soundOn, double musicVolume, bool musicOn) {
  if (!soundOn && (item == opt::SoundSlider || item == opt::SoundLabel))
    return Format(item == opt::SoundSlider
                      // TRANSLATORS: Options: hint box over the pointer, size 0.3, the box grows with the text (at
                      // most the screen's width). Shown over the sound slider while the sound is off. %d is the
                      // volume in percent. "|" starts a new line. 'Sound Volume' is the row label: use its
                      // translation. Room: plenty (twice the English length or more); at most 2 lines. Shown as:
                      // Background sound volume is 75|to turn SOUND ON - click 'Sound Volume' label
                      ? Tr("Background sound volume is %d|to turn SOUND ON - click 'Sound Volume' label")
                      // TRANSLATORS: Options: hint box over the pointer, size 0.3, grows with the text. Shown over
                      // the 'Sound Volume' label while the sound is off. %d is the volume in percent. Room: plenty
                      // (twice the English length or more); at most 2 lines.
                      : Tr("Background sound volume is %d|to turn SOUND ON - click here"),
                  {VolumeText(soundVolume, true)});
  if (!musicOn && (item == opt::MusicSlider || item == opt::MusicLabel))
    return Format(item == opt::MusicSlider
                      // TRANSLATORS: Options: hint box over the pointer, size 0.3, the box grows with the text (at
                      // most the screen's width). Shown over the music slider while the music is off. %d is the
                      // volume in percent. "|" starts a new line. 'Music Volume' is the row label: use its
                      // translation. Room: plenty (twice the English length or more); at most 2 lines. Shown as:
                      // Background music volume is 75|to turn MUSIC ON - click 'Music Volume' label
                      ? Tr("Background music volume is %d|to turn MUSIC ON - click 'Music Volume' label")
                      // TRANSLATORS: Options: hint box over the pointer, size 0.3, grows with the text. Shown over
                      // the 'Music Volume' label while the music is off. %d is the volume in percent. Room: plenty
                      // (twice the English length or more); at most 2 lines.
                      : Tr("Background music volume is %d|to turn MUSIC ON - click here"),
                  {VolumeText(musicVolume, true)});
  return "";
}

void DrawOptionsScreen(Canvas& c, Font& font, const OptionsView& v) {
  const ScreenMetrics& m = c.metrics;
  c.device.Clear(0xFF06203A);
  TextureId back = c.Tex("red/menu/main0-new2.jpg"), panel = c.Tex("red/menu/options-new.jpg");
  if (back) c.FullScreen(back);
  else c.FillGradient(0, 0, m.Width, m.Height, 0xFF0B3D5C, 0xFF041826);
  if (panel) c.FullScreen(panel);
  // TRANSLATORS: Options: screen title, size 1.7, not shrunk. Room: plenty (twice the English length or more).
  const char* title = TrC("screen title", "OPTIONS");
  font.Draw(c, title, m.PercentRect(11, 19, 91, 31), 1.7, 0x40000000, 0x40000000, Align::Center);
  font.Draw(c, title, m.PercentRect(10, 18, 90, 30), 1.7, 0xFFFFFFFF, 0xFFFFFFFF, Align::Center);
  OptionRectTable r = OptionRects(m);
  auto label = [&](int item, const std::string& text, Align a, double size, double lift = 1.0) {
    DrawOptionLabel(c, font, r[std::size_t(item)], v.hover == item, text, a, size, lift);
  };
  label(opt::CheckBox, std::string(1, kCheckBoxGlyph), Align::Left, 1.5);
  if (v.fullScreen)
    DrawOptionLabel(c, font, r[opt::CheckMark], true, "^", Align::Left, 1.3, v.hover == opt::CheckBox ? 1.0 : 2.0);
  // TRANSLATORS: Options: row label, size 0.8, shrinks to fit. Room: up to about 25% longer than the English (it is
  // set smaller to fit, down to three quarters of its size).
  label(opt::FullScreenLabel, Tr("Full Screen"), Align::Left, 1.0);
  // TRANSLATORS: Options: row label, size 0.8, shrinks to fit. Room: up to about 75% longer than the English (it is
  // set smaller to fit, down to three quarters of its size).
  label(opt::ResolutionLabel, Tr("Resolution"), Align::Left, 1.0);
  label(opt::ResPrev, "<", Align::Center, 1.5);
  label(opt::ResName, v.resolutionName, Align::Center, 1.0);
  label(opt::ResNext, ">", Align::Center, 1.5);
  // TRANSLATORS: Options: row label, size 0.8, shrinks to fit. Clicking it switches the sound on and off; the hint
  // "to turn SOUND ON - click 'Sound Volume' label" names it: use the same words there. Room: up to about 35% longer
  // than the English (it is set smaller to fit, down to three quarters of its size).
  label(opt::SoundLabel, Tr("Sound Volume"), Align::Left, 1.0);
  label(opt::SoundDown, "<", Align::Center, 1.5);
  label(opt::SoundUp, ">", Align::Center, 1.5);
  // TRANSLATORS: Options: row label, size 0.8, shrinks to fit. The hint "to turn MUSIC ON - click 'Music Volume'
  // label" names it: use the same words there. Room: up to about 40% longer than the English (it is set smaller to
  // fit, down to three quarters of its size).
  label(opt::MusicLabel, Tr("Music Volume"), Align::Left, 1.0);
  label(opt::MusicDown, "<", Align::Center, 1.5);
  label(opt::MusicUp, ">", Align::Center, 1.5);
  // TRANSLATORS: Options: button: the options' OK label (size 0.8 in a 102-px box, shrinks), the players screen, the
  // name box, the reset question. Room: up to about 75% longer than the English (it is set smaller to fit, down to
  // three quarters of its size).
  // TRANSLATORS: Options: row label, size 0.8, shrinks to fit; the language's own name stands beside it. Room: up to
  // about 75% longer than the English.
  label(opt::LanguageLabel, Tr("Language"), Align::Left, 1.0);
  label(opt::LanguagePrev, "<", Align::Center, 1.5);
  label(opt::LanguageName, v.languageName, Align::Center, 1.0);
  label(opt::LanguageNext, ">", Align::Center, 1.5);
  // TRANSLATORS: Options: button: the options' OK label (size 0.8 in a 102-px box, shrinks), the players screen, the
  // name box, the reset question. Room: up to about 75% longer than the English (it is set smaller to fit, down to
  // three quarters of its size).
  label(opt::Ok, TrC("button", "OK"), Align::Left, 1.0);
  if (v.keyRow >= 0 && v.keyRow < opt::Count) {
    // The keyboard's mark: a gold bar under the row's label.
    const IRect& q = r[std::size_t(v.keyRow)];
    c.Fill(q.left, q.bottom + 1, q.right, q.bottom + 1 + std::max(3, int(4 * m.YScale)), 0xFFFFD040);
  }
  struct Slider {
    int item;
    double volume;
    bool on, drag;
  } sliders[] = {{opt::SoundSlider, v.soundVolume, v.soundOn, v.soundDrag},
                 {opt::MusicSlider, v.musicVolume, v.musicOn, v.musicDrag}};
  for (const Slider& s : sliders) {
    const IRect& q = r[std::size_t(s.item)];
    c.Fill(q.left - 2, q.top - 2, q.right + 2, q.bottom + 2, 0xFFFFFFFF);
    Argb body = s.drag ? 0xFF000000 : v.hover == s.item ? 0xFF202020 : 0xFF404040;
    c.Fill(q.left, q.top, q.right, q.bottom, body);
    DrawVolumeBar(c, q, s.volume, s.on);
    DrawOptionLabel(c, font, q, true, VolumeText(s.volume, s.on), Align::Center, 0.9, 0);
  }
  DrawHintBox(c, font, OptionHint(v.hover, v.soundVolume, v.soundOn, v.musicVolume, v.musicOn), v.pointer);
}

IRect PlaceHintBox(const ScreenMetrics& m, double textW, double textH, PointD p) {
  int w = int(std::lround(textW + 16 * m.XScale)), h = int(std::lround(textH + 6 * m.YScale));
  double px = p.x;
  int y = int(std::lround(p.y - h - 10 * m.YScale));
  // Moved in sideways to stay on screen; the top is not limited.
  if (std::floor(px + w / 2.0) > m.Width) px = m.Width - w / 2.0 - 1;
  if (std::floor(px - w / 2.0) < 0) px = w / 2.0 + 1;
  return {int(std::floor(px - w / 2.0)), y, int(std::floor(px + w / 2.0)), y + h};
}

void DrawHintBox(Canvas& c, Font& font, const std::string& text, PointD p) {
  if (text.empty()) return;
  const ScreenMetrics& m = c.metrics;
  std::vector<std::string> lines = SplitLines(text);
  const double size = 0.3, lineH = 30 * m.YScale;
  double textW = 0;
  for (const std::string& l : lines) textW = std::max(textW, font.Measure(l, size, m.XScale));
  IRect box = PlaceHintBox(m, textW, lineH * double(lines.size()), p);
  c.Fill(box.left - 1, box.top - 1, box.right + 1, box.bottom + 1, 0x40FFFFFF);
  c.Fill(box.left, box.top, box.right, box.bottom, 0x80800000);
  double ty = box.top + 3 * m.YScale;
  for (const std::string& line : lines) {
    font.Draw(c, line, IRect{box.left, int(ty), box.right, int(ty + lineH)}, size, 0xFFFFFFFF, 0xFFFFFFFF,
              Align::Center);
    ty += lineH;
  }
}

}  // namespace bm

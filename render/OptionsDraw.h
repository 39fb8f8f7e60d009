// The options screen's picture: its items, the two volume sliders and the hint
// box. What the screen shows comes in as plain values; shell/OptionsScreen.h
// runs it.
#pragma once
#include <array>
#include <string>

#include "board/ScreenMetrics.h"
#include "platform/Platform.h"
#include "render/Canvas.h"
#include "render/Font.h"

namespace bm {

// Item numbers of the options screen.
namespace opt {
inline constexpr int CheckBox = 0, ResolutionLabel = 1, SoundLabel = 2, MusicLabel = 3, FullScreenLabel = 4, Ok = 5,
                     ResPrev = 6, ResNext = 7, SoundDown = 8, SoundUp = 9, MusicDown = 10, MusicUp = 11,
                     CheckMark = 12, ResName = 14, SoundSlider = 15, MusicSlider = 16, LanguageLabel = 17,
                     LanguagePrev = 18, LanguageName = 19, LanguageNext = 20;
inline constexpr int Count = 23;  // 13, 21 and 22 stay empty and are never hit
}  // namespace opt

using OptionRectTable = std::array<IRect, opt::Count>;
OptionRectTable OptionRects(const ScreenMetrics& m);
// The first item under (x, y) in number order, -1 for none.
int OptionItemAt(const OptionRectTable& rects, double x, double y);

// A slider's volume for a pointer x: the fraction of the slider's width, 0..1.
double SliderValue(const IRect& slider, double x);
// The value text: the whole percent, or "Mute" while the switch is off.
std::string VolumeText(double volume, bool on);
// The hover text of an item, empty for most.
std::string OptionHint(int item, double soundVolume, bool soundOn, double musicVolume, bool musicOn);

struct OptionsView {
  bool fullScreen = false;
  std::string resolutionName;
  std::string languageName;  // in its own language
  double soundVolume = 0, musicVolume = 0;
  bool soundOn = true, musicOn = true;
  int hover = -1;  // item under the pointer, or the keyboard's item
  bool soundDrag = false, musicDrag = false;
  PointD pointer{-1, -1};  // where the hint box follows the pointer
  int keyRow = -1;         // the row the keys rest on (a gold bar under it), -1 while the pointer leads
  bool operator==(const OptionsView& o) const {
    return keyRow == o.keyRow && fullScreen == o.fullScreen && resolutionName == o.resolutionName &&
           languageName == o.languageName && soundVolume == o.soundVolume &&
           musicVolume == o.musicVolume && soundOn == o.soundOn && musicOn == o.musicOn && hover == o.hover &&
           soundDrag == o.soundDrag && musicDrag == o.musicDrag && pointer.x == o.pointer.x && pointer.y == o.pointer.y;
  }
};

void DrawOptionsScreen(Canvas& c, Font& font, const OptionsView& v);

// A box with the text ("|" separates lines) centred above the pointer, kept on
// the screen sideways; nothing for an empty text.
void DrawHintBox(Canvas& c, Font& font, const std::string& text, PointD pointer);
// Where the hint box for text of that size stands: centred 10 design pixels
// above the point, moved in sideways so it never leaves the screen.
IRect PlaceHintBox(const ScreenMetrics& m, double textW, double textH, PointD point);

}  // namespace bm

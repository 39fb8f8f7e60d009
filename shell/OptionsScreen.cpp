#include "shell/OptionsScreen.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <memory>

#include "diag/LogTags.h"
#include "lang/Language.h"
#include "lang/Tr.h"
#include "shell/DialogScreen.h"
#include "storage/GameSettings.h"
#include "shell/DisplayMode.h"
#include "shell/Services.h"

namespace bm {

namespace {

// The rows the keyboard walks through, top to bottom.
constexpr int kRows[] = {opt::FullScreenLabel, opt::ResolutionLabel, opt::SoundLabel, opt::MusicLabel,
                         opt::LanguageLabel, opt::Ok};

void SetSoundVolume(SettingsRecord& st, SoundFx& sfx, double v) {
  st.SoundVolume = std::clamp(v, 0.0, 1.0);
  sfx.ApplySoundVolume(st.SoundVolume, st.SoundOn != 0);
}

// Steps a volume by one percent; the music tick picks up the music volume itself.
void StepVolume(SettingsRecord& st, SoundFx& sfx, bool sound, int dir) {
  if (sound) SetSoundVolume(st, sfx, std::round((st.SoundVolume + 0.01 * dir) * 100) / 100);
  else st.MusicVolume = std::clamp(std::round((st.MusicVolume + 0.01 * dir) * 100) / 100, 0.0, 1.0);
}

void ToggleFullScreen(SettingsRecord& st, Window& window) {
  st.FullScreen = st.FullScreen ? 0 : -1;
  // The new mode may not offer the old size.
  st.Resolution = ChangeResolution(st.Resolution, 0, st.FullScreen != 0, DisplayOf(window));
}

void ChangeRes(SettingsRecord& st, Window& window, int step) {
  st.Resolution = ChangeResolution(st.Resolution, step, st.FullScreen != 0, DisplayOf(window));
}

void ToggleSound(SettingsRecord& st, SoundFx& sfx) {
  st.SoundOn = st.SoundOn ? 0 : -1;
  sfx.ApplySoundVolume(st.SoundVolume, st.SoundOn != 0);
}

// The next or previous language in the list, in use at once and kept in "settings.ini".
void StepLanguage(Services& s, int dir) {
  const int n = int(kLanguages.size());
  int at = 0;
  for (int i = 0; i < n; ++i)
    if (CurrentLanguage() == kLanguages[std::size_t(i)].code) at = i;
  const std::string code = kLanguages[std::size_t((at + dir + n) % n)].code;
  LoadLanguage(s.options.gameDir, code, s.logs);
  GameSettings kept = LoadGameSettings(s.options.dataDir, s.logs);
  kept.Language = code;
  SaveGameSettings(s.options.dataDir, kept, s.logs);
}

const char* LanguageName(const std::string& code) {
  for (const LanguageInfo& l : kLanguages)
    if (code == l.code) return l.name;
  return kLanguages[0].name;
}

bool IsArrow(int item) { return item >= opt::SoundDown && item <= opt::MusicUp; }

}  // namespace

Next OptionsScreen::Enter(Stage&) {
  Services& s = services_;
  s.logs.WriteRunPoint(logtag::kOptionsLoop, "Begin");
  rects_ = OptionRects(s.look.metrics);
  Input& in = s.in();
  if (in.ButtonDown(1)) s.loop.Input.ClickLatch = true;
  heldAtEntry_ = s.loop.Input.ClickLatch;
  s.settings = LoadSettings(s.options.dataDir, s.logs);
  tmrMenu_.interval = 500;
  up_ = KeyEdge(vk::Up, in), down_ = KeyEdge(vk::Down, in), left_ = KeyEdge(vk::Left, in);
  right_ = KeyEdge(vk::Right, in), enter_ = KeyEdge(vk::Enter, in), space_ = KeyEdge(vk::Space, in);
  tab_ = KeyEdge(vk::Tab, in);
  return Next::Stay();
}

Next OptionsScreen::Pass(Stage&) {
  Services& s = services_;
  Input& in = s.in();
  InputRouter& input = s.loop.Input;
  SettingsRecord& st = s.settings;
  if (EscapePressed(input, in)) return Next::Pop(Leave(s));
  if (ScreenMinimised(s)) return Next::Stay(s.Now() + 100);
  double now = s.Now();
  PointD p = in.Pointer();
  bool active = s.loop.AppActive;
  bool held = active && in.ButtonDown(1);
  if (PointerMoved(lastPointer_, p)) keyRow_ = -1;  // the pointer leads again

  // Slider drags follow the pointer until the button is released. A pointer
  // that left the window (it reads -1, -1 then) leaves the volume as it was.
  bool inWindow = p.x >= 0 && p.y >= 0;
  if (soundDrag_) {
    if (!in.ButtonDown(1)) soundDrag_ = false;
    if (inWindow) SetSoundVolume(s.settings, s.sound.sfx, SliderValue(rects_[opt::SoundSlider], p.x));
  }
  if (musicDrag_) {
    if (!in.ButtonDown(1)) musicDrag_ = false;
    if (inWindow) st.MusicVolume = SliderValue(rects_[opt::MusicSlider], p.x);
  }
  int hover = soundDrag_ || musicDrag_ ? -1 : OptionItemAt(rects_, p.x, p.y);
  HoverSound(s.sound.sfx, hover != -1);
  if (held && !heldAtEntry_) {
    if (hover == opt::SoundSlider && !musicDrag_) soundDrag_ = true, input.ClickLatch = true;
    if (hover == opt::MusicSlider && !soundDrag_) musicDrag_ = true, input.ClickLatch = true;
  }

  // One press acts once; only the volume arrows repeat while held.
  int click = held && !input.ClickLatch ? hover : -1;
  if (click >= 0) input.ClickLatch = true;
  tmrMenu_.Update(now);
  if (IsArrow(hover)) {
    tmrMenu_.enabled = true;
    bool repeat = held && tmrMenu_.tag == "End";
    if (click == hover || repeat) {
      if (click == hover) tmrMenu_.Start(now, 500);
      tmrMenu_.tag.clear();
      bool sound = hover == opt::SoundDown || hover == opt::SoundUp;
      StepVolume(s.settings, s.sound.sfx, sound, hover == opt::SoundUp || hover == opt::MusicUp ? +1 : -1);
    }
  }
  if (click == opt::ResPrev) ChangeRes(s.settings, s.window(), -1);
  if (click == opt::ResNext || click == opt::ResolutionLabel || click == opt::ResName) ChangeRes(s.settings, s.window(), +1);
  if (click == opt::CheckBox || click == opt::FullScreenLabel || click == opt::CheckMark) ToggleFullScreen(s.settings, s.window());
  if (click == opt::SoundLabel) ToggleSound(s.settings, s.sound.sfx);
  if (click == opt::MusicLabel) st.MusicOn = st.MusicOn ? 0 : -1;
  if (click == opt::LanguagePrev) StepLanguage(s, -1);
  if (click == opt::LanguageNext || click == opt::LanguageLabel || click == opt::LanguageName) StepLanguage(s, +1);
  bool ok = click == opt::Ok;

  // The keyboard: Up/Down pick a row, Left/Right change it, Enter/Space act.
  int rows = int(std::size(kRows));
  if (up_.Take(in)) keyRow_ = keyRow_ <= 0 ? rows - 1 : keyRow_ - 1;
  if (down_.Take(in) || tab_.Take(in)) keyRow_ = keyRow_ < 0 || keyRow_ >= rows - 1 ? 0 : keyRow_ + 1;
  int row = keyRow_ >= 0 ? kRows[keyRow_] : -1;
  bool l = left_.Take(in), r = right_.Take(in);
  if (row == opt::ResolutionLabel && (l || r)) ChangeRes(s.settings, s.window(), l ? -1 : +1);
  if (row == opt::FullScreenLabel && (l || r)) ToggleFullScreen(s.settings, s.window());
  if (row == opt::LanguageLabel && (l || r)) StepLanguage(s, l ? -1 : +1);
  if (row == opt::SoundLabel || row == opt::MusicLabel) {
    bool sound = row == opt::SoundLabel;
    int dir = in.KeyDown(vk::Left) ? -1 : in.KeyDown(vk::Right) ? +1 : 0;
    keyRepeat_.Update(now);
    if (l || r) {
      StepVolume(s.settings, s.sound.sfx, sound, l ? -1 : +1);
      keyRepeat_.Start(now, 500);
    } else if (dir != 0 && keyRepeat_.enabled && keyRepeat_.tag == "End") {
      keyRepeat_.tag.clear();
      StepVolume(s.settings, s.sound.sfx, sound, dir);
    }
    if (dir == 0) keyRepeat_.enabled = false;
  }
  if (TakeAny(in, enter_, space_)) {
    if (row == opt::FullScreenLabel) ToggleFullScreen(s.settings, s.window());
    if (row == opt::ResolutionLabel) ChangeRes(s.settings, s.window(), +1);
    if (row == opt::SoundLabel) ToggleSound(s.settings, s.sound.sfx);
    if (row == opt::MusicLabel) st.MusicOn = st.MusicOn ? 0 : -1;
    if (row == opt::LanguageLabel) StepLanguage(s, +1);
    if (row == opt::Ok || row < 0) ok = true;
  }

  OptionsView v;
  v.fullScreen = st.FullScreen != 0;
  v.resolutionName = Tr(ResolutionName(st.Resolution));
  v.languageName = LanguageName(CurrentLanguage());
  v.soundVolume = st.SoundVolume;
  v.musicVolume = st.MusicVolume;
  v.soundOn = st.SoundOn != 0;
  v.musicOn = st.MusicOn != 0;
  v.hover = hover >= 0 ? hover : row;
  v.keyRow = hover >= 0 ? -1 : row;
  v.soundDrag = soundDrag_;
  v.musicDrag = musicDrag_;
  // The pointer matters to the picture only where a hint box follows it.
  bool hinted = !OptionHint(v.hover, v.soundVolume, v.soundOn, v.musicVolume, v.musicOn).empty();
  v.pointer = hinted ? p : PointD{};
  // Led by the keys, the hint box stands over the row they rest on.
  if (hinted && hover < 0 && row >= 0) {
    const IRect& q = rects_[std::size_t(row)];
    v.pointer = {(q.left + q.right) / 2.0, double(q.top)};
  }
  if (ok) return Confirm(v);
  if (!in.ButtonDown(1) && input.ClickLatch) {
    input.ClickLatch = false;
    tmrMenu_.enabled = false;
    tmrMenu_.interval = 500;
    heldAtEntry_ = false;
  }
  if (!drawnOnce_ || s.loop.Redraw || !(v == shown_)) {
    drawnOnce_ = true;
    s.loop.Redraw = false;
    shown_ = v;
    if (s.look.drawing) DrawOptionsScreen(s.look.canvas, s.look.font, v);
    s.loop.SceneDirty = true;
  }
  double wake = now + 1000;
  if (held && tmrMenu_.enabled) wake = tmrMenu_.lastTick + tmrMenu_.interval;
  if (keyRepeat_.enabled) wake = std::min(wake, keyRepeat_.lastTick + keyRepeat_.interval);
  return Next::Stay(wake);
}

Next OptionsScreen::Confirm(const OptionsView& shown) {
  Services& s = services_;
  SettingsRecord stored = LoadSettings(s.options.dataDir, s.logs);
  if (NeedsDeviceReset(s.settings, stored)) {
    // The dialog stands on the screen as it was when "OK" was pressed.
    shown_ = shown;
    return Next::Push(std::make_unique<DialogScreen>(DialogFor(Question::KeepDisplayChanges), this));
  }
  return Resume(s, DisplayAnswer::Apply);
}

Next OptionsScreen::Resume(Stage&, Answer answer) {
  Services& s = services_;
  if (answer == DisplayAnswer::Apply && ApplySettings(s.options.dataDir, s.settings, s.logs)) ApplyDisplayMode(s);
  return Next::Pop(Leave(s));
}

OnScreen OptionsScreen::Shows(const ScreenMetrics&) const {
  OnScreen o{ScreenKind::Options};
  o.Add(ButtonMeaning::Ok, rects_[opt::Ok]);
  return o;
}

void OptionsScreen::DrawBehind(Stage& s) { DrawOptionsScreen(s.look.canvas, s.look.font, shown_); }

Answer OptionsScreen::Leave(Stage& s) {
  s.loop.Redraw = true;
  return {};
}

}  // namespace bm

#include "shell/OptionsScreen.h"

#include <algorithm>
#include <cmath>

#include "render/OptionsDraw.h"
#include "shell/Dialog.h"
#include "shell/DisplayMode.h"
#include "shell/Game.h"
#include "shell/Loop.h"
#include "shell/ScreenKit.h"

namespace bm {

namespace {

// The rows the keyboard walks through, top to bottom.
constexpr int kRows[] = {opt::FullScreenLabel, opt::ResolutionLabel, opt::SoundLabel, opt::MusicLabel, opt::Ok};

struct OptionsState {
  OptionRectTable rects;
  bool heldAtEntry = false;
  bool soundDrag = false, musicDrag = false;
  MenuRepeatTimer tmrMenu;  // the volume arrows held down
  MenuRepeatTimer keyRepeat;  // Left/Right held on a volume row
  int keyRow = -1;            // index into kRows, -1 while the pointer leads
  PointD lastPointer{-1, -1};
  bool leave = false;
};

void SetSoundVolume(Game& g, double v) {
  g.settings.SoundVolume = std::clamp(v, 0.0, 1.0);
  g.sfx.ApplySoundVolume(g.settings.SoundVolume, g.settings.SoundOn != 0);
}

// Steps a volume by one percent; the music tick picks up the music volume itself.
void StepVolume(Game& g, bool sound, int dir) {
  if (sound) SetSoundVolume(g, std::round((g.settings.SoundVolume + 0.01 * dir) * 100) / 100);
  else g.settings.MusicVolume = std::clamp(std::round((g.settings.MusicVolume + 0.01 * dir) * 100) / 100, 0.0, 1.0);
}

void ToggleFullScreen(Game& g) {
  g.settings.FullScreen = g.settings.FullScreen ? 0 : -1;
  // The new mode may not offer the old size.
  g.settings.Resolution = ChangeResolution(g.settings.Resolution, 0, g.settings.FullScreen != 0, DisplayOf(g.window()));
}

void ChangeRes(Game& g, int step) {
  g.settings.Resolution = ChangeResolution(g.settings.Resolution, step, g.settings.FullScreen != 0, DisplayOf(g.window()));
}

void ToggleSound(Game& g) {
  g.settings.SoundOn = g.settings.SoundOn ? 0 : -1;
  g.sfx.ApplySoundVolume(g.settings.SoundVolume, g.settings.SoundOn != 0);
}

// "OK": write the settings; a change of the display mode asks first.
void Confirm(Game& g, const OptionsView& shown) {
  SettingsRecord stored = LoadSettings(g.options.dataDir, g.logs);
  if (NeedsDeviceReset(g.settings, stored)) {
    DialogRequest q;
    q.message = "You have made changes|If you want to keep changes|Click Apply";
    q.first = "Apply";
    q.second = "Exit";
    q.leftPercent = 10;
    q.topPercent = 55;
    q.background = [&g, shown] { DrawOptionsScreen(g.canvas, g.font, shown); };
    if (TwoButtonDialog(g, q) != 1) return;
  }
  if (ApplySettings(g.options.dataDir, g.settings, g.logs)) ApplyDisplayMode(g);
}

bool IsArrow(int item) { return item >= opt::SoundDown && item <= opt::MusicUp; }

}  // namespace

void OptionsLoop(Game& g) {
  g.logs.WriteRunPoint("OptionsLoop", "Begin");
  OptionsState s;
  s.rects = OptionRects(g.metrics);
  Input& in0 = g.in();
  if (in0.ButtonDown(1)) g.input.ClickLatch = true;
  s.heldAtEntry = g.input.ClickLatch;
  g.settings = LoadSettings(g.options.dataDir, g.logs);
  s.tmrMenu.interval = 500;
  KeyEdge up(vk::Up, in0), down(vk::Down, in0), left(vk::Left, in0), right(vk::Right, in0), enter(vk::Enter, in0),
      space(vk::Space, in0), tab(vk::Tab, in0);
  OptionsView shown;
  bool drawnOnce = false;
  double botAt = g.Now() + 400;
  RunLoop(g, [&](Game& g) -> Pass {
    Input& in = g.in();
    if (EscapePressed(g.input, in)) return {true, 0};
    if (ScreenMinimised(g)) return {false, g.Now() + 100};
    if (g.botInput) BotPress(g, s.rects[opt::Ok], botAt);
    double now = g.Now();
    PointD p = in.Pointer();
    bool active = g.flags.AppActive;
    bool held = active && in.ButtonDown(1);
    if (PointerMoved(s.lastPointer, p)) s.keyRow = -1;  // the pointer leads again

    // Slider drags follow the pointer until the button is released.
    if (s.soundDrag) {
      if (!in.ButtonDown(1)) s.soundDrag = false;
      SetSoundVolume(g, SliderValue(s.rects[opt::SoundSlider], p.x));
    }
    if (s.musicDrag) {
      if (!in.ButtonDown(1)) s.musicDrag = false;
      g.settings.MusicVolume = SliderValue(s.rects[opt::MusicSlider], p.x);
    }
    int hover = s.soundDrag || s.musicDrag ? -1 : OptionItemAt(s.rects, p.x, p.y);
    HoverSound(g, hover != -1);
    if (held && !s.heldAtEntry) {
      if (hover == opt::SoundSlider && !s.musicDrag) s.soundDrag = true, g.input.ClickLatch = true;
      if (hover == opt::MusicSlider && !s.soundDrag) s.musicDrag = true, g.input.ClickLatch = true;
    }

    // One press acts once; only the volume arrows repeat while held.
    int click = held && !g.input.ClickLatch ? hover : -1;
    if (click >= 0) g.input.ClickLatch = true;
    s.tmrMenu.Update(now);
    if (IsArrow(hover)) {
      s.tmrMenu.enabled = true;
      bool repeat = held && s.tmrMenu.tag == "End";
      if (click == hover || repeat) {
        if (click == hover) s.tmrMenu.Start(now, 500);
        s.tmrMenu.tag.clear();
        bool sound = hover == opt::SoundDown || hover == opt::SoundUp;
        StepVolume(g, sound, hover == opt::SoundUp || hover == opt::MusicUp ? +1 : -1);
      }
    }
    if (click == opt::ResPrev) ChangeRes(g, -1);
    if (click == opt::ResNext || click == opt::ResolutionLabel || click == opt::ResName) ChangeRes(g, +1);
    if (click == opt::CheckBox || click == opt::FullScreenLabel || click == opt::CheckMark) ToggleFullScreen(g);
    if (click == opt::SoundLabel) ToggleSound(g);
    if (click == opt::MusicLabel) g.settings.MusicOn = g.settings.MusicOn ? 0 : -1;
    bool ok = click == opt::Ok;

    // The keyboard: Up/Down pick a row, Left/Right change it, Enter/Space act.
    int rows = int(std::size(kRows));
    if (up.Take(in)) s.keyRow = s.keyRow <= 0 ? rows - 1 : s.keyRow - 1;
    if (down.Take(in) || tab.Take(in)) s.keyRow = s.keyRow < 0 || s.keyRow >= rows - 1 ? 0 : s.keyRow + 1;
    int row = s.keyRow >= 0 ? kRows[s.keyRow] : -1;
    bool l = left.Take(in), r = right.Take(in);
    if (row == opt::ResolutionLabel && (l || r)) ChangeRes(g, l ? -1 : +1);
    if (row == opt::FullScreenLabel && (l || r)) ToggleFullScreen(g);
    if (row == opt::SoundLabel || row == opt::MusicLabel) {
      bool sound = row == opt::SoundLabel;
      int dir = in.KeyDown(vk::Left) ? -1 : in.KeyDown(vk::Right) ? +1 : 0;
      s.keyRepeat.Update(now);
      if (l || r) {
        StepVolume(g, sound, l ? -1 : +1);
        s.keyRepeat.Start(now, 500);
      } else if (dir != 0 && s.keyRepeat.enabled && s.keyRepeat.tag == "End") {
        s.keyRepeat.tag.clear();
        StepVolume(g, sound, dir);
      }
      if (dir == 0) s.keyRepeat.enabled = false;
    }
    if (enter.Take(in) | space.Take(in)) {
      if (row == opt::FullScreenLabel) ToggleFullScreen(g);
      if (row == opt::ResolutionLabel) ChangeRes(g, +1);
      if (row == opt::SoundLabel) ToggleSound(g);
      if (row == opt::MusicLabel) g.settings.MusicOn = g.settings.MusicOn ? 0 : -1;
      if (row == opt::Ok || row < 0) ok = true;
    }

    OptionsView v;
    v.fullScreen = g.settings.FullScreen != 0;
    v.resolutionName = ResolutionName(g.settings.Resolution);
    v.soundVolume = g.settings.SoundVolume;
    v.musicVolume = g.settings.MusicVolume;
    v.soundOn = g.settings.SoundOn != 0;
    v.musicOn = g.settings.MusicOn != 0;
    v.hover = hover >= 0 ? hover : row;
    v.keyRow = hover >= 0 ? -1 : row;
    v.soundDrag = s.soundDrag;
    v.musicDrag = s.musicDrag;
    // The pointer matters to the picture only where a hint box follows it.
    bool hinted = !OptionHint(v.hover, v.soundVolume, v.soundOn, v.musicVolume, v.musicOn).empty();
    v.pointer = hinted ? p : PointD{};
    // Led by the keys, the hint box stands over the row they rest on.
    if (hinted && hover < 0 && row >= 0) {
      const IRect& q = s.rects[std::size_t(row)];
      v.pointer = {(q.left + q.right) / 2.0, double(q.top)};
    }
    if (ok) {
      Confirm(g, v);
      return {true, 0};
    }
    if (!in.ButtonDown(1) && g.input.ClickLatch) {
      g.input.ClickLatch = false;
      s.tmrMenu.enabled = false;
      s.tmrMenu.interval = 500;
      s.heldAtEntry = false;
    }
    if (!drawnOnce || g.flags.Redraw || !(v == shown)) {
      drawnOnce = true;
      g.flags.Redraw = false;
      shown = v;
      if (g.drawing) DrawOptionsScreen(g.canvas, g.font, v);
      g.flags.SceneDirty = true;
    }
    double wake = now + 1000;
    if (held && s.tmrMenu.enabled) wake = s.tmrMenu.lastTick + s.tmrMenu.interval;
    if (s.keyRepeat.enabled) wake = std::min(wake, s.keyRepeat.lastTick + s.keyRepeat.interval);
    if (double b = BotWake(g, botAt); b > 0) wake = std::min(wake, b);
    return {false, wake};
  });
  g.flags.Redraw = true;
}

}  // namespace bm

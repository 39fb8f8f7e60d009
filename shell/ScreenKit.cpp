#include "shell/ScreenKit.h"

#include <algorithm>
#include <cmath>

#include "board/LevelState.h"
#include "progress/Stages.h"
#include "render/AssetGroups.h"
#include "render/PlayScreen.h"
#include "shell/LoadingScreen.h"
#include "shell/Services.h"

namespace bm {

bool ClickEdge::Take(Stage& s) {
  bool down = s.loop.AppActive && s.in().ButtonDown(1);
  bool fresh = down && !latch;
  latch = down;
  return fresh;
}

void SkipPress::Arm(Input& in) {
  escape = KeyEdge(vk::Escape, in), enter = KeyEdge(vk::Enter, in), space = KeyEdge(vk::Space, in);
  buttonHeld = in.ButtonDown(1);
}

bool SkipPress::Take(Stage& s) {
  Input& in = s.in();
  bool down = s.loop.AppActive && in.ButtonDown(1);
  bool click = down && !buttonHeld;
  buttonHeld = down;
  bool keys = TakeAny(in, escape, enter, space);
  return click || keys;
}

bool SequenceShown(Stage& s) { return s.look.drawing && !s.platform.headless; }

bool PointerMoved(PointD& last, PointD now) {
  bool moved = last.x >= 0 && now.x >= 0 && (std::abs(now.x - last.x) > 2 || std::abs(now.y - last.y) > 2);
  if (now.x >= 0 && (moved || last.x < 0)) last = now;
  return moved;
}

int FocusStep(const std::vector<PointD>& spots, int from, int dx, int dy) {
  if (spots.empty()) return -1;
  if (from < 0 || from >= int(spots.size())) return 0;
  const PointD c = spots[std::size_t(from)];
  int best = from;
  double bestScore = 0;
  for (int i = 0; i < int(spots.size()); ++i) {
    double ahead = (spots[std::size_t(i)].x - c.x) * dx + (spots[std::size_t(i)].y - c.y) * dy;
    double aside = std::abs((spots[std::size_t(i)].x - c.x) * dy) + std::abs((spots[std::size_t(i)].y - c.y) * dx);
    if (i == from || ahead <= 1) continue;
    // Off to the side counts double: Down from the end of a row goes down, not round the corner.
    double score = ahead + 2 * aside;
    if (best == from || score < bestScore) best = i, bestScore = score;
  }
  return best;
}

bool ScreenMinimised(Stage& s) {
  if (s.window().IsMinimised()) {
    s.sound.music.PauseMusAll();
    return true;
  }
  s.sound.music.ResumeMusAll();
  return false;
}

void HoverSound(SoundFx& sfx, bool overItem) {
  if (overItem) sfx.PlaySfxOnce("ev_menu_over");
  else sfx.RearmSfx("ev_menu_over");
}

Answer HandBack(Stage& s) {
  s.loop.Input.ClickLatch = s.in().ButtonDown(1);
  s.loop.Redraw = true;
  return {};
}

void ClickSound(SoundFx& sfx) {
  sfx.PlaySfxOnce("ev_menu_click");
  sfx.RearmSfx("ev_menu_click");
}

Next StayForInput(Stage& s) { return Next::Stay(s.Now() + 1000); }


void UseMenuPictures(Stage& s) {
  s.look.textures.Use(asset_group::Menu);
  // The play screen's still layer waits for the next level.
  s.render().FreeBuffer(kStillLayerSlot);
  s.look.stillLayer.valid = false;
  if (s.look.drawing) s.look.textures.Load(MenuPictures());
}

void UseLevelPictures(Stage& s, const LevelState& level) {
  int stage = StageOfLevel(level.Number);
  s.look.textures.Use(asset_group::Play | StageGroup(stage));
  if (!s.look.drawing) return;
  s.look.textures.Load(LevelPicturesAhead(stage, level.JewelKinds));
  // The stage and level over the board: its glyphs too, on a screen that sets it large.
  s.look.textures.Load(s.look.font.PagesOf(StageLevelLabel(level.Number), kStageLabelSize, s.look.metrics.XScale));
}

void UseMapPictures(Stage& s, int nextLevel) {
  s.look.textures.Use(asset_group::Between | StageGroup(StageOfLevel(nextLevel)));
  s.render().FreeBuffer(kStillLayerSlot);
  s.look.stillLayer.valid = false;
  if (s.look.drawing) s.look.textures.Load(MapPicturesAhead());
}

void LoadNextStagePicture(Stage& s, int nextLevel) {
  if (s.look.drawing) s.look.textures.Load({LevelPicturesAhead(StageOfLevel(nextLevel), {}).front()});
}

}  // namespace bm

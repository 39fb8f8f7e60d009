#include "shell/BetweenLevelsScreen.h"

#include <algorithm>

#include "diag/LogTags.h"
#include "progress/MapView.h"
#include "progress/Stages.h"
#include "render/BetweenLevelsDraw.h"
#include "render/ShopDraw.h"
#include "match/Carryover.h"
#include "shell/PlaySide.h"
#include "shell/SaveHooks.h"
#include "shell/ScreenKit.h"
#include "shell/Services.h"
#include "shell/ShopView.h"

namespace bm {

namespace {

// The level points, read once a run: "apo.dat" of the data folder, else the
// shipped one; without either they are laid out on a plain grid.
void LoadMapPointsOnce(Saves& s, BetweenLevelsMemory& between) {
  if (between.pointsLoaded) return;
  between.pointsLoaded = true;
  MapPoints points;
  LoadMapPointsOf(s, points);
  between.points = points.point;
  for (int n = 1; n <= kLastLevel; ++n)
    if (points.point[std::size_t(n)].X != 0 || points.point[std::size_t(n)].Y != 0) return;
  s.logs.WriteRunLog(logtag::kMapPoints, "No map points; the level points are laid out on a grid");
  for (int n = 1; n <= kLastLevel; ++n)
    between.points[std::size_t(n)] = {140 + (n - 1) % 13 * 80, 150 + (n - 1) / 13 * 150};
}

void StopAmbience(SoundFx& sfx) {
  for (int st = 1; st <= kStageCount; ++st) sfx.StopSfx(StageAmbience(st));
}

}  // namespace

// One frame of the map view.
void BetweenLevelsScreen::MapFrameStep(Stage& s, double frameFactor, bool restartMarker) {
  BetweenLevelsMemory& between = play_.between;
  // Hidden cheat keys: Up and Down change the level to be played, once per press.
  if (s.loop.Input.CheatMode) {
    for (int dir : {+1, -1}) {
      int key = dir > 0 ? vk::Up : vk::Down;
      bool down = s.in().KeyDown(key);
      bool& held = dir > 0 ? between.upHeld : between.downHeld;
      if (down && !held) level_ = std::clamp(level_ + dir, 1, kLastLevel);
      held = down;
    }
  }
  level_ = std::clamp(level_, 1, kLastLevel);
  if (StepMap(between.map, frameFactor, restartMarker)) s.sound.sfx.PlaySfx("ev_map_current");
  s.sound.sfx.PlaySfx(StageAmbience(StageOfLevel(level_)), true);
  if (!s.look.drawing) return;
  MapFrame f;
  f.points = &between.points;
  f.current = level_;
  f.marker = PlaceMarker(between.points, level_, between.map.markerProgress);
  f.pulsing = between.map.markerProgress <= 0;
  f.pulse = PulseRingOf(between.map.pulse);
  DrawMapView(s.look.canvas, s.look.font, f);
}

void SaveItemStatusOnLeaving(Saves& s, PlaySide& play) {
  // The match takes the shop's outcome (its chances rebuilt for the next level), then the files.
  SetShopState(play.match, play.between.shopStatus, play.match.itemSlot, s.Now());
  SaveShopOnLeaving(s, play.match);
}

Next BetweenLevelsScreen::Enter(Stage& s) {
  s.logs.WriteRunLog(logtag::kBetweenLevels, "Level " + std::to_string(level_));
  s.sound.sfx.UseSounds(SoundPlace::Between, StageOfLevel(level_));
  UseMapPictures(s, level_);
  LoadMapPointsOnce(saves_, play_.between);
  last_ = s.Now();
  wasDown_ = MouseDown(s.in(), s.loop.AppActive);
  // The shop works on its own copy; the match takes it on leaving.
  play_.between.shopStatus = play_.match.items;
  Input& in = s.in();
  kLeft_ = KeyEdge(vk::Left, in), kRight_ = KeyEdge(vk::Right, in), kUp_ = KeyEdge(vk::Up, in);
  kDown_ = KeyEdge(vk::Down, in), kTab_ = KeyEdge(vk::Tab, in), kEnter_ = KeyEdge(vk::Enter, in);
  kSpace_ = KeyEdge(vk::Space, in);
  mapFocus_ = int(BetweenButton::Continue);
  play_.between.shop.keyboard = false;
  play_.between.shop.focusKind = ShopMemory::Spot::None;
  return Next::Stay();
}

Next BetweenLevelsScreen::Pass(Stage& s) {
  const ScreenMetrics& m = s.look.metrics;
  ShopMemory& shop = play_.between.shop;
  double now = s.Now();
  double frameFactor = (now - last_) / 35.0;
  last_ = now;
  if (++passes_ == 2) LoadNextStagePicture(s, level_);
  s.loop.AppActive = s.window().IsForeground();
  bool down = MouseDown(s.in(), s.loop.AppActive);
  bool released = wasDown_ && !down;
  if (down && !wasDown_) pressSeen_ = true;
  wasDown_ = down;
  Input& in = s.in();
  ScreenKeys keys;
  keys.dx = (kRight_.Take(in) ? 1 : 0) - (kLeft_.Take(in) ? 1 : 0);
  // On the map Up and Down belong to the hidden level keys.
  bool up = kUp_.Take(in), dn = kDown_.Take(in);
  if (view_ == BetweenView::Shop) keys.dy = (dn ? 1 : 0) - (up ? 1 : 0);
  keys.tab = kTab_.Take(in);
  keys.enter = TakeAny(in, kEnter_, kSpace_);
  PointD p = in.Pointer();
  if (PointerMoved(lastPointer_, p)) mapKeyboard_ = false;
  if (s.look.drawing) s.render().Clear(0xFF000000);
  int keyButton = -1;  // a bottom button pressed by keys
  bool escapeTaken = false;
  if (view_ == BetweenView::Map) {
    MapFrameStep(s, frameFactor, releasedLastPass_);
    if (keys.dx || keys.tab) {
      mapFocus_ = (mapFocus_ + (keys.dx < 0 ? kBetweenButtonCount - 1 : 1)) % kBetweenButtonCount;
      mapKeyboard_ = true;
    }
    if (keys.enter) keyButton = mapFocus_;
  } else {
    keys.escape = in.KeyDown(vk::Escape) && !s.loop.Input.EscLatch;
    keyButton = ShopFrame(s, play_, keys, escapeTaken);
    if (escapeTaken) s.loop.Input.EscLatch = true;
  }
  releasedLastPass_ = released;

  int over = BetweenButtonAt(m, p.x, p.y);
  int focused = view_ == BetweenView::Map ? (mapKeyboard_ ? mapFocus_ : -1)
                : shop.keyboard && shop.focusKind == ShopMemory::Spot::Button ? shop.focusIndex
                                                                               : -1;
  if (s.look.drawing) {
    for (int b = 0; b < kBetweenButtonCount; ++b)
      DrawBetweenButton(s.look.canvas, s.look.font, BetweenButton(b), b == over ? (down ? 2 : 1) : b == focused ? 1 : 0);
    if (focused >= 0) DrawFocusFrame(s.look.canvas, BetweenButtonRect(m, BetweenButton(focused)));
  }
  s.loop.SceneDirty = true;

  bool leave = EscapePressed(s.loop.Input, in);
  int act = released && pressSeen_ ? over : -1;
  if (keyButton >= 0) act = keyButton;
  if (act >= 0) {
    switch (BetweenButton(act)) {
      case BetweenButton::Map:
      case BetweenButton::Shop: {
        s.sound.sfx.PlaySfx("ev_map_paper");
        BetweenView next = act == int(BetweenButton::Map) ? BetweenView::Map : BetweenView::Shop;
        if (next != view_) ShopViewChanged(play_);
        view_ = next;
        // The keys carry on from the button just pressed.
        mapFocus_ = act;
        if (next == BetweenView::Shop && keyButton >= 0) ShopFocusFirst(s, play_);
        break;
      }
      case BetweenButton::Continue: leave = true; break;
    }
  }
  if (released) pressSeen_ = false;
  if (!leave) return Next::Stay();
  StopAmbience(s.sound.sfx);
  ShopViewChanged(play_);
  SaveItemStatusOnLeaving(saves_, play_);
  saved_ = true;
  s.loop.Input.ClickLatch = true;
  return Next::Pop(Leave(s));
}

OnScreen BetweenLevelsScreen::Shows(const ScreenMetrics& m) const {
  OnScreen o{view_ == BetweenView::Map ? ScreenKind::Map : ScreenKind::Shop};
  o.Add(ButtonMeaning::Map, BetweenButtonRect(m, BetweenButton::Map));
  o.Add(ButtonMeaning::Shop, BetweenButtonRect(m, BetweenButton::Shop));
  o.Add(ButtonMeaning::Continue, BetweenButtonRect(m, BetweenButton::Continue));
  o.shop = &play_.between.shopStatus;
  o.shopSlot = std::clamp(play_.match.itemSlot, 0, kItemSlots - 1);
  return o;
}

Answer BetweenLevelsScreen::Leave(Stage& s) {
  StopAmbience(s.sound.sfx);
  // Closing the program here keeps what was done in the shop as well.
  if (!saved_) {
    ShopViewChanged(play_);
    SaveItemStatusOnLeaving(saves_, play_);
  }
  return {};
}

}  // namespace bm

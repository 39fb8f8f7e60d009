#include "shell/BetweenLevels.h"

#include <algorithm>
#include <optional>

#include "progress/MapView.h"
#include "progress/Stages.h"
#include "render/BetweenLevelsDraw.h"
#include "shell/BotHand.h"
#include "shell/BotInput.h"
#include "shell/Game.h"
#include "render/ShopDraw.h"
#include "shell/Loop.h"
#include "shell/ScreenKit.h"
#include "shell/ShopScreen.h"
#include "match/Carryover.h"
#include "shell/SaveHooks.h"

namespace bm {

namespace {

// The level points, read once a run: "apo.dat" of the data folder, else the
// shipped one; without either they are laid out on a plain grid.
void LoadMapPointsOnce(Game& g) {
  if (g.between.pointsLoaded) return;
  g.between.pointsLoaded = true;
  MapPoints points;
  LoadMapPointsOf(g, points);
  g.between.points = points.point;
  for (int n = 1; n <= kLastLevel; ++n)
    if (points.point[std::size_t(n)].X != 0 || points.point[std::size_t(n)].Y != 0) return;
  g.logs.WriteRunLog("LoadMapPoints()", "No map points; the level points are laid out on a grid");
  for (int n = 1; n <= kLastLevel; ++n)
    g.between.points[std::size_t(n)] = {140 + (n - 1) % 13 * 80, 150 + (n - 1) / 13 * 150};
}

void StopAmbience(Game& g) {
  for (int s = 1; s <= kStageCount; ++s) g.sfx.StopSfx(StageAmbience(s));
}

// One frame of the map view.
void MapFrameStep(Game& g, int& currentLevel, double frameFactor, bool restartMarker) {
  // Hidden cheat keys: Up and Down change the level to be played, once per press.
  if (g.input.CheatMode) {
    for (int dir : {+1, -1}) {
      int key = dir > 0 ? vk::Up : vk::Down;
      bool down = g.in().KeyDown(key);
      bool& held = dir > 0 ? g.between.upHeld : g.between.downHeld;
      if (down && !held) currentLevel = std::clamp(currentLevel + dir, 1, kLastLevel);
      held = down;
    }
  }
  currentLevel = std::clamp(currentLevel, 1, kLastLevel);
  if (StepMap(g.between.map, frameFactor, restartMarker)) g.sfx.PlaySfx("ev_map_current");
  g.sfx.PlaySfx(StageAmbience(StageOfLevel(currentLevel)), true);
  if (!g.drawing) return;
  MapFrame f;
  f.points = &g.between.points;
  f.current = currentLevel;
  f.marker = PlaceMarker(g.between.points, currentLevel, g.between.map.markerProgress);
  f.pulsing = g.between.map.markerProgress <= 0;
  f.pulse = PulseRingOf(g.between.map.pulse);
  DrawMapView(g.canvas, g.font, f);
}

// The bot looks at the map a moment, spends what it can in the shop, and goes on.
void BotBetweenLevels(Game& g, BetweenView view, bool& botVisitedShop) {
  if (!g.botInput) return;
  if (g.between.hand.Idle()) {
    const ScreenMetrics& m = g.metrics;
    auto centre = [&](BetweenButton b) {
      IRect r = BetweenButtonRect(m, b);
      return PointD{(r.left + r.right) / 2.0, (r.top + r.bottom) / 2.0};
    };
    if (view == BetweenView::Map && !botVisitedShop) {
      g.between.hand.Wait(g.plat.headless ? 400 : 1500);
      PointD p = centre(BetweenButton::Shop);
      g.between.hand.Click(p.x, p.y);
      botVisitedShop = true;
    } else if (view == BetweenView::Shop && PlanShopMoves(g, g.between.hand)) {
      // the hand has the next drops to make
    } else {
      PointD p = centre(BetweenButton::Continue);
      g.between.hand.Wait(g.plat.headless ? 200 : 800);
      g.between.hand.Click(p.x, p.y);
    }
  }
  g.botInput->Feed(g.between.hand.Step(g.Now()));
}

}  // namespace

void SaveItemStatusOnLeaving(Game& g) {
  // The match takes the shop's outcome (its chances rebuilt for the next level), then the files.
  SetShopState(g.match, g.between.shopStatus, g.match.itemSlot, g.Now());
  SaveShopOnLeaving(g);
}

void BetweenLevelsScreen(Game& g, int& currentLevel) {
  g.logs.WriteRunLog("BetweenLevelsScreen()", "Level " + std::to_string(currentLevel));
  LoadMapPointsOnce(g);
  BetweenView view = BetweenView::Map;
  double last = g.Now();
  bool wasDown = MouseDown(g.in(), g.flags.AppActive);
  bool pressSeen = false;  // a press that began on this screen
  bool releasedLastPass = true;  // entering counts as opening the map: the marker travels
  bool botVisitedShop = false;
  g.between.hand.Clear();
  // The shop works on its own copy; the match takes it on leaving.
  g.between.shopStatus = g.match.items;
  bool saved = false;
  // Keys: on the map Left/Right (or Tab) pick a button, Enter or Space presses
  // it ("Continue" at first); in the shop the focus walks the keys, stars,
  // items and buttons.
  Input& in = g.in();
  KeyEdge kLeft(vk::Left, in), kRight(vk::Right, in), kUp(vk::Up, in), kDown(vk::Down, in), kTab(vk::Tab, in),
      kEnter(vk::Enter, in), kSpace(vk::Space, in);
  int mapFocus = int(BetweenButton::Continue);
  bool mapKeyboard = true;  // the frame shows on "Continue" until the mouse moves
  PointD lastPointer{-1, -1};
  g.between.shop.keyboard = false;
  g.between.shop.focusKind = ShopMemory::Spot::None;
  RunLoop(g, [&](Game& g) -> Pass {
    double now = g.Now();
    double frameFactor = (now - last) / 35.0;
    last = now;
    BotBetweenLevels(g, view, botVisitedShop);
    g.flags.AppActive = g.window().IsForeground();
    bool down = MouseDown(g.in(), g.flags.AppActive);
    bool released = wasDown && !down;
    if (down && !wasDown) pressSeen = true;
    wasDown = down;
    Input& in = g.in();
    ScreenKeys keys;
    keys.dx = (kRight.Take(in) ? 1 : 0) - (kLeft.Take(in) ? 1 : 0);
    // On the map Up and Down belong to the hidden level keys.
    bool up = kUp.Take(in), dn = kDown.Take(in);
    if (view == BetweenView::Shop) keys.dy = (dn ? 1 : 0) - (up ? 1 : 0);
    keys.tab = kTab.Take(in);
    keys.enter = kEnter.Take(in) | kSpace.Take(in);
    PointD p = in.Pointer();
    if (PointerMoved(lastPointer, p)) mapKeyboard = false;
    if (g.drawing) g.render().Clear(0xFF000000);
    int keyButton = -1;  // a bottom button pressed by keys
    bool escapeTaken = false;
    if (view == BetweenView::Map) {
      MapFrameStep(g, currentLevel, frameFactor, releasedLastPass);
      if (keys.dx || keys.tab) {
        mapFocus = (mapFocus + (keys.dx < 0 ? kBetweenButtonCount - 1 : 1)) % kBetweenButtonCount;
        mapKeyboard = true;
      }
      if (keys.enter) keyButton = mapFocus;
    } else {
      keys.escape = in.KeyDown(vk::Escape) && !g.input.EscLatch;
      keyButton = ShopFrame(g, frameFactor, keys, escapeTaken);
      if (escapeTaken) g.input.EscLatch = true;
    }
    releasedLastPass = released;

    int over = BetweenButtonAt(g.metrics, p.x, p.y);
    int focused = view == BetweenView::Map ? (mapKeyboard ? mapFocus : -1)
                  : g.between.shop.keyboard && g.between.shop.focusKind == ShopMemory::Spot::Button
                      ? g.between.shop.focusIndex
                      : -1;
    if (g.drawing) {
      for (int b = 0; b < kBetweenButtonCount; ++b)
        DrawBetweenButton(g.canvas, g.font, BetweenButton(b), b == over ? (down ? 2 : 1) : b == focused ? 1 : 0);
      if (focused >= 0) DrawFocusFrame(g.canvas, BetweenButtonRect(g.metrics, BetweenButton(focused)));
    }
    g.flags.SceneDirty = true;

    bool leave = EscapePressed(g.input, in);
    int act = released && pressSeen ? over : -1;
    if (keyButton >= 0) act = keyButton;
    if (act >= 0) {
      switch (BetweenButton(act)) {
        case BetweenButton::Map:
        case BetweenButton::Shop: {
          g.sfx.PlaySfx("ev_map_paper");
          BetweenView next = act == int(BetweenButton::Map) ? BetweenView::Map : BetweenView::Shop;
          if (next != view) ShopViewChanged(g, next == BetweenView::Shop);
          view = next;
          // The keys carry on from the button just pressed.
          mapFocus = act;
          if (next == BetweenView::Shop && keyButton >= 0) ShopFocusFirst(g);
          break;
        }
        case BetweenButton::Continue: leave = true; break;
      }
    }
    if (released) pressSeen = false;
    if (!leave) return {false, 0};
    StopAmbience(g);
    ShopViewChanged(g, false);
    SaveItemStatusOnLeaving(g);
    saved = true;
    g.input.ClickLatch = true;
    return {true, 0};
  });
  StopAmbience(g);
  // Closing the program here keeps what was done in the shop as well.
  if (!saved) {
    ShopViewChanged(g, false);
    SaveItemStatusOnLeaving(g);
  }
  if (g.botInput) g.botInput->Feed({-1, -1, false, false});
}

}  // namespace bm

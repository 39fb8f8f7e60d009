#include "shell/ShopView.h"

#include <algorithm>
#include "lang/Tr.h"

#include "bonus/ShopCatalogue.h"
#include "bonus/Spawn.h"
#include "progress/MapView.h"
#include "progress/ShopRules.h"
#include "render/ShopDraw.h"
#include "shell/PlaySide.h"
#include "shell/Services.h"
#include "shell/ScreenKit.h"
#include "shell/ShopFocus.h"

namespace bm {

namespace {

// The current player's shop (the screen's working copy of the match's).
ShopSlot Shop(PlaySide& play) {
  ItemStatus& st = play.between.shopStatus;
  const std::size_t slot = std::size_t(std::clamp(play.match.itemSlot, 0, kItemSlots - 1));
  return {st.items[slot], st.stars[slot], st.grades[slot]};
}

// Pressed since the last frame (once per press).
bool Pressed(bool down, bool& held) {
  bool edge = down && !held;
  held = down;
  return edge;
}

void CheatKeys(Input& in, PlaySide& play, ShopSlot& s) {
  ShopMemory& mem = play.between.shop;
  const int fkeys[4] = {vk::F1, vk::F2, vk::F3, vk::F4};
  for (int i = 0; i < 4; ++i)
    if (Pressed(in.KeyDown(fkeys[i]), mem.cheatHeld[std::size_t(i)]))
      CheatStar(s, i >= 2, i % 2 == 1, [&](int n) { return play.fxRng.Below(n); });
  for (int k = 1; k <= kShopItems; ++k)
    if (Pressed(in.KeyDown('0' + k % 10), mem.digitHeld[std::size_t(k - 1)])) CheatToggleKey(s, k);
}

}  // namespace

std::pair<std::string, Argb> ShopItemText(PlaySide& play, int item, double y) {
  const ShopSlot s = Shop(play);
  int slot = std::clamp(play.match.itemSlot, 0, kItemSlots - 1);
  if (ItemLocked(s, item)) {
    bool holds = HoldsKeyFor(s, item);
    return {LockedText(play.between.shopStatus, slot, item), holds ? 0xFFFF7060 : 0xFFA0A0A0};
  }
  if (!OnLowerHalf(item, y)) return {Tr(kShopCatalogue[std::size_t(item - 1)].description), 0xFFFFE6A0};
  // The chance shown is the one the next refill would use.
  BonusChanceTable chance{};
  RecomputeBonusChances(chance, &play.between.shopStatus, slot);
  const double percent = ItemChancePercent(chance, item);
  return {ChanceText(item, percent, s.grades.PowerGrade[std::size_t(item)]), 0xFFFFFFFF};
}

int ShopFrame(Stage& sv, PlaySide& ps, const ScreenKeys& keys, bool& escapeTaken) {
  using Spot = ShopMemory::Spot;
  SoundFx& sfx = sv.sound.sfx;
  Input& in = sv.in();
  escapeTaken = false;
  for (int st = 1; st <= kStageCount; ++st) sfx.StopSfx(StageAmbience(st));
  ShopSlot s = Shop(ps);
  ShopMemory& mem = ps.between.shop;
  if (sv.loop.Input.CheatMode) CheatKeys(in, ps, s);
  PointD p = in.Pointer();
  if (PointerMoved(mem.lastPointer, p)) mem.keyboard = false;
  double x = p.x / sv.look.metrics.XScale, y = p.y / sv.look.metrics.YScale;
  bool down = MouseDown(in, sv.loop.AppActive);
  bool pressed = down && !mem.wasDown, released = !down && mem.wasDown;
  mem.wasDown = down;
  auto play = [&](const char* cue) {
    if (cue) sfx.PlaySfx(cue);
  };
  int button = ShopKeysStep(sv, mem, s, keys, escapeTaken);
  if (!HandCarries(s)) mem.keyCarry = false;
  if (pressed) {
    mem.keyCarry = false;
    mem.keyboard = false;
    if (int k = KeyAt(s.items, x, y)) play(TakeKey(s, k));
    else if (int star = StarAt(s.stars, x, y)) play(TakeStar(s, star));
  }
  if (down) CarryTo(s, x, y);
  // A hand filled by keys follows the focus over the items.
  if (mem.keyCarry && mem.focusKind == Spot::Item)
    CarryTo(s, ShopItemX(mem.focusIndex), ShopItemY(mem.focusIndex));
  bool byKeys = mem.keyboard && mem.focusKind == Spot::Item;
  int hovered = byKeys ? mem.focusIndex : mem.keyboard ? 0 : ShopItemAt(x, y);
  double textY = byKeys ? ShopItemY(hovered) + (mem.chanceShown ? 20 : -20) : y;
  if (released && !mem.keyCarry) {
    const char* cue = Release(s, ShopItemAt(x, y));
    play(cue);
  }
  // A right click on a grade mark only plays its sound.
  bool right = sv.loop.AppActive && in.ButtonDown(2);
  if (Pressed(right, mem.rightWasDown) && hovered && s.grades.ChanceGrade[std::size_t(hovered)] > 0)
    sfx.PlaySfx("ev_shop_stars_back");
  if (!sv.look.drawing) return button;
  ShopPicture pic;
  pic.items = &s.items;
  pic.stars = &s.stars;
  pic.grades = &s.grades;
  for (int i = 1; i <= kShopItems; ++i) pic.itemCodes[i] = kShopCatalogue[std::size_t(i - 1)].code;
  pic.hovered = hovered;
  if (hovered) std::tie(pic.hoverText, pic.hoverColor) = ShopItemText(ps, hovered, textY);
  pic.pointerX = x;
  pic.pointerY = y;
  pic.clockMs = sv.Now();
  if (mem.keyboard) ShopFocusRect(s, mem, pic);
  DrawShop(sv.look.canvas, sv.look.font, pic);
  return button;
}

void ShopFocusFirst(Stage& s, PlaySide& play) {
  ShopSlot slot = Shop(play);
  FocusFirstSpot(s.look.metrics, play.between.shop, slot);
}

void ShopViewChanged(PlaySide& play) {
  ShopSlot s = Shop(play);
  // Whatever the hand still carries goes home quietly.
  Release(s, 0);
  ShopMemory& mem = play.between.shop;
  mem.wasDown = false;
  mem.keyCarry = false;
  mem.chanceShown = false;
}

}  // namespace bm

#include "shell/ShopFocus.h"

#include <vector>

#include "render/BetweenLevelsDraw.h"
#include "shell/Services.h"
#include "shell/ScreenKit.h"

namespace bm {

namespace {

struct Target {
  ShopMemory::Spot kind;
  int index;
  PointD at;  // design pixels
};

// What the keyboard's focus can rest on: with the hand full only the items,
// else the keys found, the stars held, the items and the three buttons below.
std::vector<Target> Targets(const ScreenMetrics& m, const ShopSlot& s) {
  using Spot = ShopMemory::Spot;
  std::vector<Target> out;
  bool carrying = HandCarries(s);
  if (!carrying) {
    for (int k = 1; k <= kShopItems; ++k)
      if (const PlacedObject& o = Key(s.items, k); o.Flag != 0) out.push_back({Spot::Key, k, {o.HomeX, o.HomeY}});
    for (int i = 1; i <= kGoldStarLast; ++i)
      if (const PlacedObject& o = s.stars.Object[std::size_t(i)]; (IsBlueStar(i) || IsGoldStar(i)) && o.Flag != 0)
        out.push_back({Spot::Star, i, {o.HomeX, o.HomeY}});
  }
  for (int i = 1; i <= kShopItems; ++i) out.push_back({Spot::Item, i, {ShopItemX(i), ShopItemY(i)}});
  if (!carrying)
    for (int b = 0; b < kBetweenButtonCount; ++b) {
      IRect r = BetweenButtonRect(m, BetweenButton(b));
      out.push_back({Spot::Button, b, {(r.left + r.right) / 2.0 / m.XScale, (r.top + r.bottom) / 2.0 / m.YScale}});
    }
  return out;
}

int FindTarget(const std::vector<Target>& t, ShopMemory::Spot kind, int index) {
  for (int i = 0; i < int(t.size()); ++i)
    if (t[std::size_t(i)].kind == kind && t[std::size_t(i)].index == index) return i;
  return -1;
}

// Where a key or star just picked up is most likely wanted: the first item it
// would open or raise, else the first item.
int FirstUse(const ShopSlot& s, int key, int star) {
  for (int item = 1; item <= kShopItems; ++item) {
    if (key && ItemLocked(s, item) && KeyOpens(s, key, item)) return item;
    if (star && StarRaises(s, star, item)) return item;
  }
  return 1;
}

}  // namespace

int ShopKeysStep(Stage& sv, ShopMemory& mem, ShopSlot& s, const ScreenKeys& keys, bool& escapeTaken) {
  using Spot = ShopMemory::Spot;
  auto play = [&](const char* cue) {
    if (cue) sv.sound.sfx.PlaySfx(cue);
  };
  if (keys.escape && HandCarries(s)) {
    play(Release(s, 0));
    mem.keyCarry = false;
    escapeTaken = true;
  }
  if (!keys.dx && !keys.dy && !keys.tab && !keys.enter) return -1;
  mem.keyboard = true;
  std::vector<Target> t = Targets(sv.look.metrics, s);
  int cur = FindTarget(t, mem.focusKind, mem.focusIndex);
  auto focus = [&](int i) {
    mem.focusKind = t[std::size_t(i)].kind;
    mem.focusIndex = t[std::size_t(i)].index;
  };
  if (cur < 0) {
    // The first press only shows where the focus is.
    focus(0);
    return -1;
  }
  if (keys.dx || keys.dy) {
    std::vector<PointD> at;
    for (const Target& x : t) at.push_back(x.at);
    focus(FocusStep(at, cur, keys.dx, keys.dy));
    mem.chanceShown = false;
    return -1;
  }
  if (keys.tab) {
    focus((cur + 1) % int(t.size()));
    mem.chanceShown = false;
    return -1;
  }
  const Target& f = t[std::size_t(cur)];
  switch (f.kind) {
    case Spot::Key:
      play(TakeKey(s, f.index));
      mem.keyCarry = true;
      mem.focusKind = Spot::Item;
      mem.focusIndex = FirstUse(s, f.index, 0);
      break;
    case Spot::Star:
      play(TakeStar(s, f.index));
      mem.keyCarry = true;
      mem.focusKind = Spot::Item;
      mem.focusIndex = FirstUse(s, 0, f.index);
      break;
    case Spot::Item:
      if (HandCarries(s)) {
        play(Release(s, f.index));
        mem.keyCarry = false;
      } else {
        mem.chanceShown = !mem.chanceShown;
      }
      break;
    case Spot::Button: return f.index;
    case Spot::None: break;
  }
  return -1;
}

void ShopFocusRect(const ShopSlot& s, const ShopMemory& mem, ShopPicture& pic) {
  using Spot = ShopMemory::Spot;
  double x = 0, y = 0, hw = 0, hh = 0;
  switch (mem.focusKind) {
    case Spot::Key: {
      const PlacedObject& o = Key(s.items, mem.focusIndex);
      x = o.PosX, y = o.PosY, hw = 40, hh = 40;
      break;
    }
    case Spot::Star: {
      const PlacedObject& o = s.stars.Object[std::size_t(mem.focusIndex)];
      x = o.PosX, y = o.PosY, hw = 31, hh = 31;
      break;
    }
    case Spot::Item:
      x = ShopItemX(mem.focusIndex), y = ShopItemY(mem.focusIndex), hw = 84, hh = 86;
      break;
    default: return;
  }
  pic.focusOn = true;
  pic.focusLeft = x - hw, pic.focusTop = y - hh, pic.focusRight = x + hw, pic.focusBottom = y + hh;
}

bool HandCarries(const ShopSlot& s) { return s.items.Dragged != 0 || s.stars.Dragged != 0; }

void FocusFirstSpot(const ScreenMetrics& m, ShopMemory& mem, const ShopSlot& s) {
  std::vector<Target> t = Targets(m, s);
  mem.keyboard = true;
  mem.focusKind = t.front().kind;
  mem.focusIndex = t.front().index;
}

}  // namespace bm

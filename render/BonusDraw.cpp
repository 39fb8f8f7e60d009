#include "render/BonusDraw.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <unordered_set>

#include "bonus/BonusKinds.h"
#include "bonus/Effects.h"
#include "bonus/Rewards.h"
#include "bonus/StockButtons.h"
#include "render/Canvas.h"
#include "render/Font.h"
#include "render/ItemPictures.h"

namespace bm {

namespace {

constexpr const char* kFlame = "256/fire.png";
constexpr const char* kSpark = "256/eff.png";

constexpr int kCrowdedEffects = 150;

Argb Alpha(Argb c, int a) { return (c & 0x00FFFFFFu) | (Argb(std::clamp(a, 0, 255)) << 24); }

const char* ButtonPicture(StockButton b) {
  switch (b) {
    case StockButton::ShowFree: return "hint";
    case StockButton::Parrot: return "parrot";
    case StockButton::Shuffle: return "shuffle";
    case StockButton::Hook: return "hook";
    case StockButton::Sun: return "sun";
    case StockButton::None: break;
  }
  return "";
}

}  // namespace

void DrawEffects(Canvas& cv, const BonusState& b) {
  if (b.EffectsAlive == 0) return;
  const ScreenMetrics& m = cv.metrics;
  TextureId flame = cv.Tex(kFlame), spark = cv.Tex(kSpark), ray = cv.Tex(ItemPicture(item::SeismicRay)),
            ball = cv.Tex(ItemPicture(item::Cannonball));
  const double tile = 96 * m.XScale;
  // A crowded sky (chains of bonuses) is drawn plainer: one small sprite an
  // object, no glow, so a busy moment costs about what a quiet one does.
  if (b.EffectsAlive > kCrowdedEffects) {
    // Objects on top of one another (shots of one cannonball, flights of one
    // gun) are drawn once.
    // Objects off the screen are not drawn at all.
    std::unordered_set<std::uint64_t> drawn;
    drawn.reserve(std::size_t(b.EffectsAlive));
    const double grid = std::max(1.0, tile / 16);
    int left = b.EffectsAlive;
    for (const EffectObject& e : b.Effects) {
      if (left == 0) break;
      if (!e.Active) continue;
      --left;
      double edge = tile * (e.Kind == EffectKind::Bomb ? 0.4 : 0.18);
      if (e.X < -edge || e.Y < -edge || e.X > m.Width + edge || e.Y > m.Height + edge) continue;
      std::uint64_t key = (std::uint64_t(std::uint32_t(int(e.X / grid))) << 32) ^
                          (std::uint64_t(std::uint32_t(int(e.Y / grid))) << 3) ^ std::uint64_t(e.Kind);
      if (!drawn.insert(key).second) continue;
      TextureId t = e.Kind == EffectKind::Core ? ball : e.Kind == EffectKind::Rainbow ? ray : flame;
      if (t) cv.Sprite(t, e.X, e.Y, edge, edge, 0, Alpha(0xFFFFFFFF, EffectAlpha(e)));
    }
    return;
  }
  int left = b.EffectsAlive;
  for (const EffectObject& e : b.Effects) {
    if (left == 0) break;
    if (!e.Active) continue;
    --left;
    int a = EffectAlpha(e);
    switch (e.Kind) {
      case EffectKind::Bomb: {
        double turn = e.Turn * std::numbers::pi / 180;
        if (spark) cv.Sprite(spark, e.X, e.Y, tile * 1.4, tile * 1.4, -turn, 0xC0FFFFFF);
        if (flame) cv.Sprite(flame, e.X, e.Y, tile * 0.9, tile * 0.9, turn * 2, 0xFFFFFFFF);
        else cv.Fill(e.X - 12, e.Y - 12, e.X + 12, e.Y + 12, 0xFFFFFFFF);
        break;
      }
      case EffectKind::Rainbow:
        if (spark) cv.Sprite(spark, e.X, e.Y, tile, tile, e.Spin, Alpha(e.Color, 200));
        if (ray) cv.Sprite(ray, e.X, e.Y, tile * 0.6, tile * 0.6, e.Spin, 0xFFFFFFFF);
        else cv.Fill(e.X - 8, e.Y - 8, e.X + 8, e.Y + 8, e.Color);
        break;
      case EffectKind::Core:
        if (ball) cv.Sprite(ball, e.X, e.Y, tile * 0.55, tile * 0.55, e.Progress * 8, Alpha(0xFFFFFFFF, a));
        else cv.Fill(e.X - 8, e.Y - 8, e.X + 8, e.Y + 8, Alpha(0xFF202020, a));
        break;
      case EffectKind::Gun:
        if (spark) cv.Sprite(spark, e.X, e.Y, tile * 0.8, tile * 0.8, e.Progress * 6, 0xE0FFE080);
        if (flame) cv.Sprite(flame, e.X, e.Y, tile * 0.4, tile * 0.4, e.Progress * 12, 0xFFFFFFFF);
        else cv.Fill(e.X - 6, e.Y - 6, e.X + 6, e.Y + 6, 0xFFFFE080);
        break;
      case EffectKind::None: break;
    }
  }
}

void DrawPopups(Canvas& cv, Font& font, const BonusState& b) {
  if (b.PopupsAlive == 0) return;
  const ScreenMetrics& m = cv.metrics;
  for (const RewardPopup& p : b.Popups) {
    if (!p.Active) continue;
    double t = std::clamp(p.T, 0.0, 1.0);
    if (!p.Text.empty()) {
      // Rises, then fades over its last third.
      int a = t < 0.66 ? 255 : int((1 - t) / 0.34 * 255);
      IRect r{int(p.X - 200 * m.XScale), int(p.Y - 24 * m.YScale), int(p.X + 200 * m.XScale), int(p.Y + 24 * m.YScale)};
      font.Draw(cv, ShownPopupText(p.Text), r, 0.36, Alpha(0xFF000000, a), Alpha(p.Color, a), Align::Center);
      continue;
    }
    TextureId pic = cv.Tex(ItemPicture(p.Code));
    double tile = 80 * m.XScale;
    if (p.Button != StockButton::None) {
      // A stock bonus shrinks a little on its way to the button.
      double edge = tile * (1.1 - 0.5 * t);
      TextureId spark = cv.Tex("256/eff.png");
      if (spark) cv.Sprite(spark, p.X, p.Y, edge * 1.6, edge * 1.6, t * 6, Alpha(p.Color, 220));
      if (pic) cv.Sprite(pic, p.X, p.Y, edge, edge, 0, 0xFFFFFFFF);
      continue;
    }
    // The other items swell and fade where they were taken.
    double edge = tile * (1 + 0.8 * t);
    int a = int((1 - t) * 255);
    if (pic) cv.Sprite(pic, p.X, p.Y, edge, edge, 0, Alpha(0xFFFFFFFF, a));
    TextureId spark = cv.Tex("256/eff.png");
    if (spark) cv.Sprite(spark, p.X, p.Y, edge * 1.5, edge * 1.5, t * 4, Alpha(p.Color, a));
  }
}

void DrawStockButtons(Canvas& cv, Font& font, const BoardPlayer& player, const BoardState& st, const BonusState& b,
                      const StockButtonsView& view) {
  const ScreenMetrics& m = cv.metrics;
  for (StockButton btn : {StockButton::Parrot, StockButton::Shuffle, StockButton::Hook, StockButton::Sun,
                          StockButton::ShowFree}) {
    int count = StockCount(player, btn);
    IRect hit = StockButtonRect(m, btn);
    bool over = StockButtonHitRect(m, btn).Contains(view.pointerX, view.pointerY);
    bool armed = (btn == StockButton::Hook && st.AnchorArmed) || (btn == StockButton::Sun && st.SunArmed) ||
                 (btn == StockButton::Parrot && st.ParrotShowing) || (btn == StockButton::ShowFree && b.ShowFreeActive);
    int state = over ? (view.leftDown ? 2 : 1) : 0;
    if (armed) state = 2;
    if (count == 0 && !armed) state = 3;
    if (btn == StockButton::ShowFree) state = std::min(state, 2);
    double x = 0, y = 0;
    StockButtonPos(m, btn, x, y);
    std::string path = std::string("256/buttons/") + ButtonPicture(btn) + std::to_string(state) + ".png";
    TextureId t = cv.Tex(path);
    double w = 256 * 0.35 * m.XScale, h = 256 * 0.35 * m.YScale;
    if (t) cv.Image(t, x, y, x + w, y + h);
    else cv.Fill(hit.left, hit.top, hit.right, hit.bottom, state == 3 ? 0x80404040 : 0xC0C09040);
    if (count < 0) continue;
    // The count on a small dark plate at the button's lower right.
    double cx = hit.right - 6 * m.XScale, cy = hit.bottom - 6 * m.YScale;
    double r = 15 * m.XScale;
    cv.Fill(cx - r, cy - r * 0.8, cx + r, cy + r * 0.8, 0xC0101820);
    IRect box{int(cx - r), int(cy - r), int(cx + r), int(cy + r)};
    font.Draw(cv, std::to_string(count), box, 0.3, 0xFF000000, count > 0 ? 0xFFFFE6A0 : 0xFF909090, Align::Center);
  }
}

}  // namespace bm

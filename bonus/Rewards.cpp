#include "bonus/Rewards.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "board/ItemCodes.h"
#include "bonus/Effects.h"
#include "bonus/ShopItems.h"
#include "bonus/StockButtons.h"

namespace bm {

namespace {

constexpr const char* kKeyNames[10] = {"Red",   "Orange", "Yellow", "Lettuce", "Green",
                                       "Cyan",  "Blue",   "Purple", "Magenta", "Tan"};
constexpr std::uint32_t kKeyColours[10] = {0xFFFFC0C0, 0xFFFFE0A0, 0xFFFFFFA0, 0xFFC0FFA0, 0xFFA0FFA0,
                                           0xFFA0FFFF, 0xFFA0C0FF, 0xFFC0A0FF, 0xFFFFA0FF, 0xFFFFC0A0};

std::uint32_t RandomColour(Rng& rng) {
  int r = rng.Below(256), g = rng.Below(256), b = rng.Below(256);
  return 0xFF000000u | std::uint32_t(r << 16) | std::uint32_t(g << 8) | std::uint32_t(b);
}

std::string Lower(std::string s) {
  for (char& ch : s) ch = char(std::tolower(static_cast<unsigned char>(ch)));
  return s;
}

const char* CollectSound(int code, int bombGrade) {
  static const char* kBomb[4] = {"bon_bomb1", "bon_bomb2", "bon_bomb3", "bon_bomb4"};
  switch (code) {
    case item::Chest: return "bon_treasure";
    case item::Life: return "bon_life";
    case item::Clock: return "bon_clock";
    case item::Bomb: return kBomb[std::clamp(bombGrade, 0, 3)];
    case item::SeismicGem: return "bon_reso";
    case item::Shuffle: case item::Parrot: case item::GoldenSun: return "bon_pick";
    case item::Rum: return "bon_rum";
    case item::Cannonball: return "bon_push";
    case item::PirateGun: return "bon_gun";
    case item::Anchor: return "bon_anc";
    case item::BlueStar: return "bon_coin_blue";
    case item::GoldStar: return "bon_coin_gold";
    default: break;
  }
  return IsKey(code) ? "bon_key" : nullptr;
}

int TipOfButton(StockButton b) {
  switch (b) {
    case StockButton::Shuffle: return 7;
    case StockButton::Parrot: return 8;
    case StockButton::Hook: return 10;
    case StockButton::Sun: return 11;
    default: return -1;
  }
}

// The reward of an ended popup: points and time from its text, a stock bonus
// from its code.
void PayPopup(BoardCtx& c, const RewardPopup& p, bool withTime = true) {
  std::string t = Lower(p.Text);
  static const struct {
    const char* text;
    int points, seconds;
  } kPaid[] = {{"+1000 points", 1000, 0}, {"+2000 points", 2000, 0}, {"+4000 points", 4000, 0},
               {"+8000 points", 8000, 0}, {"+30 seconds", 0, 30},    {"+1 minute", 0, 60},
               {"+90 seconds", 0, 90},    {"+2 minutes", 0, 120}};
  for (const auto& k : kPaid) {
    if (t != k.text) continue;
    c.st.Score += k.points;
    if (k.seconds && withTime) AddTime(c.level, k.seconds);
  }
  switch (p.Code) {
    case item::Shuffle: ++c.player.shuffleCount; break;
    case item::Parrot: ++c.player.parrotCount; break;
    case item::Anchor: ++c.player.anchorCount; break;
    case item::GoldenSun: ++c.player.sunCount; break;
    case item::Rum:
      c.player.rumCount = 30;
      c.bonus->RumFlag = true;
      c.bonus->RumTimer = c.now;
      break;
    default: break;
  }
  int tip = TipOfButton(p.Button);
  if (tip >= 0) OfferTip(c.st.Events, c.player, tip, TipPlaceOfButton(p.Button));
}

void Place(RewardPopup& p) {
  double t = std::clamp(p.T, 0.0, 1.0);
  if (p.Button != StockButton::None) {
    // Flies to its button, easing in.
    double e = t * t * (3 - 2 * t);
    p.X = p.FromX + (p.ToX - p.FromX) * e;
    p.Y = p.FromY + (p.ToY - p.FromY) * e;
  } else {
    p.X = p.FromX + (p.ToX - p.FromX) * t;
    p.Y = p.FromY + (p.ToY - p.FromY) * std::sqrt(t);
  }
}

}  // namespace

std::string ChestText(int grade) { return "+" + std::to_string(1000 << std::clamp(grade, 0, 3)) + " Points"; }

std::string ClockText(int grade) {
  switch (std::clamp(grade, 0, 3)) {
    case 1: return "+1 minute";
    case 2: return "+90 seconds";
    case 3: return "+2 minutes";
    default: return "+30 seconds";
  }
}

void AddTime(LevelState& level, double seconds) {
  if (seconds <= 0 || level.TimeLimit + seconds <= 0) return;
  level.SandLeft = (level.SandLeft * level.TimeLimit + seconds) / (level.TimeLimit + seconds);
  level.TimeLimit += seconds;
}

StockButton ButtonOfCode(int code) {
  switch (code) {
    case item::Shuffle: return StockButton::Shuffle;
    case item::Parrot: return StockButton::Parrot;
    case item::Anchor: return StockButton::Hook;
    case item::GoldenSun: return StockButton::Sun;
    default: return StockButton::None;
  }
}

void ShowItemReward(BoardCtx& c, int code, int cell) {
  bool bonusCode = code >= 41 && code <= 60;
  if (!c.bonus || !(bonusCode || IsKey(code)) || cell < 0 || cell >= kCellCount) return;
  BonusState& b = *c.bonus;
  ++b.Figures.used[std::size_t(code)];
  ScreenMetrics m = MetricsOf(c);
  const Cell& at = c.cells[cell];

  RewardPopup p;
  p.Active = true;
  p.Start = c.now;
  p.Code = code;
  p.FromX = p.X = p.ToX = m.CellScreenX(at.Pos.CurX);
  p.FromY = p.Y = m.CellScreenY(at.Pos.CurY);
  p.ToY = p.FromY - 60 * m.YScale;

  int bombGrade = PowerGrade(c, 1);
  switch (code) {
    case item::Chest:
      p.Text = ChestText(PowerGrade(c, 4));
      p.Color = 0xFFFFFF80;
      break;
    case item::Life:
      if (c.lives) *c.lives += 1;
      p.Text = "+1 LIFE";
      p.Color = 0xFFFF80FF;
      break;
    case item::Clock:
      p.Text = ClockText(PowerGrade(c, 3));
      p.Color = 0xFF80FFFF;
      break;
    case item::Bomb:
      p.Color = 0xFF80FFFF;
      StartEffect(c, cell, EffectKind::Bomb, bombGrade);
      break;
    case item::SeismicGem:
      p.Color = RandomColour(c.rng);
      StartEffect(c, cell, EffectKind::Rainbow);
      break;
    case item::Cannonball:
      p.Color = RandomColour(c.rng);
      StartEffect(c, cell, EffectKind::Core);
      break;
    case item::PirateGun:
      p.Color = RandomColour(c.rng);
      StartEffect(c, cell, EffectKind::Gun, PowerGrade(c, 2));
      break;
    case item::BlueStar:
    case item::GoldStar:
      p.Color = RandomColour(c.rng);
      if (TakeStar(c, code == item::GoldStar)) ++b.Figures.starsFound;
      break;
    case item::Rum:
      p.Color = RandomColour(c.rng);
      OfferTip(c.st.Events, c.player, 9, cell);
      break;
    default:
      p.Color = RandomColour(c.rng);
      break;
  }
  if (IsKey(code)) {
    int k = code - item::FirstKey + 1;
    p.Text = std::string(kKeyNames[k - 1]) + " Key Revealed";
    p.Color = kKeyColours[k - 1];
    if (!KeyFound(c, k)) ++b.Figures.keysFound;
    SetKeyFound(c, k);
    OfferTip(c.st.Events, c.player, 6, cell);
  }
  p.Button = ButtonOfCode(code);
  if (p.Button != StockButton::None) {
    StockButtonCentre(m, p.Button, p.ToX, p.ToY);
  }
  // The bomb's own blast is its sound; the other items ring as they are taken.
  if (code != item::Bomb) {
    if (const char* cue = CollectSound(code, bombGrade)) QueueSfx(c.st.Events, cue);
  }

  for (RewardPopup& slot : b.Popups) {
    if (slot.Active) continue;
    slot = p;
    ++b.PopupsAlive;
    return;
  }
  // No free popup: the reward it would carry is paid at once, not lost.
  PayPopup(c, p);
}

void PayPendingPopups(BoardCtx& c) {
  if (!c.bonus) return;
  for (RewardPopup& p : c.bonus->Popups) {
    if (!p.Active) continue;
    p.Active = false;
    PayPopup(c, p, false);
  }
  c.bonus->PopupsAlive = 0;
}

void RewardPopupsStep(BoardCtx& c) {
  if (!c.bonus || c.bonus->PopupsAlive == 0) return;
  BonusState& b = *c.bonus;
  for (RewardPopup& p : b.Popups) {
    if (!p.Active) continue;
    p.T = (c.now - p.Start) / p.Lifetime;
    Place(p);
    if (p.T < 1) continue;
    p.Active = false;
    --b.PopupsAlive;
    PayPopup(c, p);
  }
}

}  // namespace bm

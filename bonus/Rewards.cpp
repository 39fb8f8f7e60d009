#include "bonus/Rewards.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include "lang/Tr.h"

#include "board/ItemCodes.h"
#include "bonus/BonusKinds.h"
#include "bonus/Effects.h"
#include "bonus/ShopItems.h"
#include "bonus/StockButtons.h"

namespace bm {

namespace {

// The keys' popups as whole texts, so that a translation can word each its own way.
constexpr const char* kKeyRevealed[] = {
    // TRANSLATORS: Playing a level: popup rising from a key, size 0.36, 400 px. A key of this colour was found.
    TrNoop("Red Key Revealed"),
    // TRANSLATORS: Playing a level: popup rising from a key, size 0.36, 400 px. A key of this colour was found.
    TrNoop("Orange Key Revealed"),
    // TRANSLATORS: Playing a level: popup rising from a key, size 0.36, 400 px. A key of this colour was found.
    TrNoop("Yellow Key Revealed"),
    // TRANSLATORS: Playing a level: popup rising from a key, size 0.36, 400 px. A key of this colour was found. Lettuce: a light yellowish green.
    TrNoop("Lettuce Key Revealed"),
    // TRANSLATORS: Playing a level: popup rising from a key, size 0.36, 400 px. A key of this colour was found.
    TrNoop("Green Key Revealed"),
    // TRANSLATORS: Playing a level: popup rising from a key, size 0.36, 400 px. A key of this colour was found.
    TrNoop("Cyan Key Revealed"),
    // TRANSLATORS: Playing a level: popup rising from a key, size 0.36, 400 px. A key of this colour was found.
    TrNoop("Blue Key Revealed"),
    // TRANSLATORS: Playing a level: popup rising from a key, size 0.36, 400 px. A key of this colour was found. The shop names this key "violet": give both one colour.
    TrNoop("Purple Key Revealed"),
    // TRANSLATORS: Playing a level: popup rising from a key, size 0.36, 400 px. A key of this colour was found.
    TrNoop("Magenta Key Revealed"),
    // TRANSLATORS: Playing a level: popup rising from a key, size 0.36, 400 px. A key of this colour was found. Tan: a light brown.
    TrNoop("Tan Key Revealed"),
};

constexpr int kRumSeconds = 30;

std::uint32_t RandomColour(Rng& rng) {
  int r = rng.Below(256), g = rng.Below(256), b = rng.Below(256);
  return 0xFF000000u | std::uint32_t(r << 16) | std::uint32_t(g << 8) | std::uint32_t(b);
}

// The points or seconds a popup's text says, read back from it.
double PaidAmount(const BonusKind& kind, const std::string& text) {
  for (int g = 0; g < 4; ++g)
    if (GradeText(kind, kind.popupText, g) == text) return kind.power.amount[std::size_t(g)];
  return 0;
}

// The reward of an ended popup: the points or the time its text says, or its
// stock bonus.
void PayPopup(BoardCtx& c, const RewardPopup& p, bool withTime = true) {
  const BonusKind* kind = FindBonusKind(p.Code);
  if (!kind) return;
  switch (kind->reward) {
    case Reward::Points: c.st.Score += int(PaidAmount(*kind, p.Text)); break;
    case Reward::Time:
      if (withTime) AddTime(c.level, PaidAmount(*kind, p.Text));
      break;
    case Reward::Stock:
      ++(c.player.*StockField(kind->button));
      OfferTip(c.st.Events, c.player, kind->tip, TipPlaceOfButton(kind->button));
      break;
    case Reward::Rum:
      c.player.rumCount = kRumSeconds;
      c.bonus->RumFlag = true;
      c.bonus->RumTimer = c.now;
      break;
    default: break;
  }
}

// What taking a kind gives at once.
void Take(BoardCtx& c, const BonusKind& kind, int grade, int cell) {
  switch (kind.reward) {
    case Reward::Life:
      if (c.lives) *c.lives += 1;
      break;
    case Reward::Effect: StartEffect(c, cell, kind.effect, kind.power.amount[std::size_t(grade)]); break;
    case Reward::BlueStar:
    case Reward::GoldStar:
      if (TakeStar(c, kind.reward == Reward::GoldStar)) ++c.bonus->Figures.starsFound;
      break;
    case Reward::Rum: OfferTip(c.st.Events, c.player, kind.tip, cell); break;
    default: break;
  }
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

std::string ShownPopupText(const std::string& text) {
  // "+N word": a number with its noun, in the language's plural form.
  int n = 0;
  char word[16] = {};
  if (std::sscanf(text.c_str(), "+%d %15s", &n, word) == 2) {
    const std::string w = word, count = std::to_string(n);
    // TRANSLATORS: Playing a level: popup rising from a chest, size 0.36, 400 px. %d is 1000, 2000, 4000 or 8000.
    // Room: plenty (twice the English length or more). Shown as: +4000 Points
    if (w == "Points") return Format(TrN("+%d Point", "+%d Points", n), {count});
    // TRANSLATORS: Playing a level: popup rising from a clock, size 0.36, 400 px. %d is 30 or 90. Room: plenty (twice
    // the English length or more). Shown as: +30 seconds
    if (w == "seconds") return Format(TrN("+%d second", "+%d seconds", n), {count});
    // TRANSLATORS: Playing a level: popup rising from a clock, size 0.36, 400 px. %d is 1 or 2. Room: plenty (twice
    // the English length or more). Shown as: +2 minutes
    if (w == "minute" || w == "minutes") return Format(TrN("+%d minute", "+%d minutes", n), {count});
  }
  for (const char* key : kKeyRevealed)
    if (text == key) return Tr(key);
  return Tr(text);
}

void AddTime(LevelState& level, double seconds) {
  if (seconds <= 0 || level.TimeLimit + seconds <= 0) return;
  level.SandLeft = (level.SandLeft * level.TimeLimit + seconds) / (level.TimeLimit + seconds);
  level.TimeLimit += seconds;
}

void ShowItemReward(BoardCtx& c, int code, int cell) {
  if (!c.bonus || !IsBonus(code) || cell < 0 || cell >= kCellCount) return;
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

  // A code between the kinds and the keys gives a popup of its own and nothing more.
  const BonusKind* kind = FindBonusKind(code);
  const KeyKind* key = FindKey(code);
  const int grade = kind ? PowerGrade(c, ShopSlotOf(*kind)) : 0;
  p.Color = kind && kind->popupColour ? kind->popupColour : RandomColour(c.rng);
  if (kind) {
    p.Text = GradeText(*kind, kind->popupText, grade);
    Take(c, *kind, grade, cell);
    p.Button = kind->button;
  }
  if (key) {
    p.Text = std::string(key->name) + " Key Revealed";
    p.Color = key->popupColour;
    if (!KeyFound(c, key->key)) ++b.Figures.keysFound;
    SetKeyFound(c, key->key);
    OfferTip(c.st.Events, c.player, kKeyTip, cell);
  }
  if (p.Button != StockButton::None) {
    StockButtonCentre(m, p.Button, p.ToX, p.ToY);
  }
  const std::string_view cue = kind ? TakenCue(*kind, grade) : key ? kKeyCue : std::string_view();
  if (!cue.empty()) QueueSfx(c.st.Events, cue);

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

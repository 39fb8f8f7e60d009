#include "bonus/StockButtons.h"

#include <cmath>
#include <numbers>

#include "board/BoardPhase.h"
#include "board/MoveSearch.h"
#include "bonus/BonusKinds.h"

namespace bm {

namespace {

constexpr double kButtonScale = 0.35;

int RoundEven(double v) { return int(std::nearbyint(v)); }

}  // namespace

int PanelSlotOf(StockButton b) {
  switch (b) {
    case StockButton::Parrot: return 1;
    case StockButton::Shuffle: return 2;
    case StockButton::Hook: return 3;
    case StockButton::Sun: return 4;
    case StockButton::ShowFree: return 5;
    case StockButton::None: break;
  }
  return 0;
}

void PanelAnchor(const ScreenMetrics& m, int slot, double& x, double& y) {
  x = m.Width - 115 * m.XScale;
  y = (114 + 111 * (slot - 1)) * m.YScale;
}

void StockButtonPos(const ScreenMetrics& m, StockButton b, double& x, double& y) {
  PanelAnchor(m, PanelSlotOf(b), x, y);
  switch (b) {
    case StockButton::ShowFree: x += 3 * m.XScale; y += 4 * m.YScale; break;
    case StockButton::Parrot:
    case StockButton::Shuffle: x += m.XScale; y -= m.YScale; break;
    case StockButton::Hook: y -= 6 * m.YScale; break;
    case StockButton::Sun: x += 3 * m.XScale; break;
    case StockButton::None: break;
  }
}

IRect StockButtonRect(const ScreenMetrics& m, StockButton b) {
  double x = 0, y = 0;
  StockButtonPos(m, b, x, y);
  double sx = kButtonScale * m.XScale, sy = kButtonScale * m.YScale;
  int left = RoundEven(x + 32 * sx), top = RoundEven(y + 32 * sy);
  return {left, top, RoundEven(left + (255 - 64) * sx), RoundEven(top + (255 - 64) * sy)};
}

void StockButtonCentre(const ScreenMetrics& m, StockButton b, double& x, double& y) {
  IRect r = StockButtonRect(m, b);
  x = (r.left + r.right) / 2.0;
  y = (r.top + r.bottom) / 2.0;
}

IRect StockButtonHitRect(const ScreenMetrics& m, StockButton b) {
  const StockButton column[] = {StockButton::Parrot, StockButton::Shuffle, StockButton::Hook, StockButton::Sun,
                                StockButton::ShowFree};
  const int n = 5, i = PanelSlotOf(b) - 1;
  double x[n], y[n];
  for (int k = 0; k < n; ++k) StockButtonCentre(m, column[k], x[k], y[k]);
  // The same midpoint for both neighbours, so that their areas meet without a gap or an overlap.
  double top = i > 0 ? (y[i - 1] + y[i]) / 2 : y[0] - (y[1] - y[0]) / 2;
  double bottom = i < n - 1 ? (y[i] + y[i + 1]) / 2 : y[n - 1] + (y[n - 1] - y[n - 2]) / 2;
  double half = 54 * m.XScale;
  return {RoundEven(x[i] - half), RoundEven(top), RoundEven(x[i] + half), RoundEven(bottom)};
}

StockButton StockButtonAt(const ScreenMetrics& m, double x, double y) {
  for (StockButton b : {StockButton::ShowFree, StockButton::Parrot, StockButton::Shuffle, StockButton::Hook,
                        StockButton::Sun})
    if (StockButtonHitRect(m, b).Contains(x, y)) return b;
  return StockButton::None;
}

int TipPlaceOfButton(StockButton b) {
  switch (b) {
    case StockButton::ShowFree: return kTipAtShowFreeButton;
    case StockButton::Parrot: return kTipAtParrotButton;
    case StockButton::Shuffle: return kTipAtShuffleButton;
    case StockButton::Hook: return kTipAtHookButton;
    case StockButton::Sun: return kTipAtSunButton;
    case StockButton::None: break;
  }
  return kTipAtShowFreeButton;
}

int BoardPlayer::*StockField(StockButton b) {
  switch (b) {
    case StockButton::Parrot: return &BoardPlayer::parrotCount;
    case StockButton::Shuffle: return &BoardPlayer::shuffleCount;
    case StockButton::Hook: return &BoardPlayer::anchorCount;
    case StockButton::Sun: return &BoardPlayer::sunCount;
    default: return nullptr;
  }
}

int StockCount(const BoardPlayer& p, StockButton b) {
  int BoardPlayer::*field = StockField(b);
  return field ? p.*field : -1;
}

bool StockButtonReady(const BoardCtx& c, StockButton b) {
  const BoardState& st = c.st;
  BoardPhase phase = PhaseOf(c.cells, st);
  switch (b) {
    case StockButton::ShowFree: return c.bonus && !c.bonus->ShowFreeActive;
    // The parrot counts the moves of a board at rest; on a busy one it would be wasted.
    case StockButton::Parrot: return c.player.parrotCount >= 1 && !st.ParrotShowing && AtRest(phase);
    // The no-moves captions end in a shuffle of their own.
    case StockButton::Shuffle:
      return c.player.shuffleCount >= 1 && phase != BoardPhase::Reshuffling && !LevelOver(phase);
    case StockButton::Hook: return c.player.anchorCount >= 1 && !st.AnchorArmed && !LevelOver(phase);
    case StockButton::Sun: return c.player.sunCount >= 1 && !st.SunArmed && !LevelOver(phase);
    case StockButton::None: break;
  }
  return false;
}

bool PressStockButton(BoardCtx& c, StockButton b) {
  if (!StockButtonReady(c, b)) return false;
  BoardState& st = c.st;
  if (c.bonus && ButtonKind(b)) {
    const std::size_t code = std::size_t(ButtonKind(b)->code);
    ++c.bonus->Figures.used[code];
    ++c.bonus->Figures.pressed[code];
  }
  switch (b) {
    case StockButton::ShowFree:
      QueueSfx(st.Events, "bon_sign");
      c.bonus->ShowFreeActive = true;
      c.bonus->ShowFreeAngle = 0;
      return true;
    case StockButton::Parrot: {
      QueueSfx(st.Events, "bon_parrot");
      int moves = CountMovesAll(c);
      st.MovesText = std::to_string(moves);
      st.MovesAvailable = moves;
      st.ParrotShowing = true;
      --c.player.parrotCount;
      return true;
    }
    case StockButton::Shuffle:
      QueueSfx(st.Events, "bon_reshuf");
      --c.player.shuffleCount;
      ShuffleBoard(c);
      return true;
    case StockButton::Hook:
      // Silent, like the sun: the hook is heard when it swaps.
      --c.player.anchorCount;
      st.AnchorArmed = true;
      st.SelectedCell = kNoCell;
      return true;
    case StockButton::Sun:
      --c.player.sunCount;
      st.SunArmed = true;
      st.SelectedCell = kNoCell;
      return true;
    case StockButton::None: break;
  }
  return false;
}

void ShowFreeStep(BonusState& b, double ff) {
  if (!b.ShowFreeActive) return;
  b.ShowFreeAngle += 36 * ff;
  if (b.ShowFreeAngle >= 720) {
    b.ShowFreeActive = false;
    b.ShowFreeAngle = 0;
  }
}

std::optional<std::uint32_t> ShowFreeTint(const BonusState& b) {
  if (!b.ShowFreeActive) return std::nullopt;
  constexpr double kDeg = std::numbers::pi / 180;
  double a = b.ShowFreeAngle * kDeg;
  auto ch = [&](double shift) { return std::uint32_t(int(127 * std::sin(a + shift * kDeg) + 128)) & 255u; };
  return 0xFF000000u | (ch(0) << 16) | (ch(120) << 8) | ch(-120);
}

}  // namespace bm

#include "match/Carryover.h"

#include <algorithm>
#include <memory>

#include "bonus/Spawn.h"
#include "match/Match.h"
#include "match/Tape.h"
#include "progress/Stages.h"
#include "storage/BoardFile.h"

namespace bm {

namespace {

TapeStep Step(char kind, double now) {
  TapeStep s;
  s.kind = kind;
  s.in.now = now;
  return s;
}

}  // namespace

void SetMatchPlayer(Match& m, const BoardPlayer& p, double now) {
  if (m.tape) {
    TapeStep s = Step('P', now);
    double tipBits = 0;
    for (std::size_t i = 0; i < p.tipSeen.size(); ++i)
      if (p.tipSeen[i]) tipBits += double(std::uint64_t(1) << i);
    s.values = {double(p.sunCount), double(p.parrotCount), double(p.shuffleCount), double(p.rumCount),
                double(p.anchorCount), p.rumSwap ? 1.0 : 0.0, p.tipsOn ? 1.0 : 0.0, tipBits};
    m.tape->Write(s);
  }
  m.player = p;
}

void SetShopState(Match& m, const ItemStatus& status, int slot, double now) {
  slot = std::clamp(slot, 0, kItemSlots - 1);
  const std::size_t at = std::size_t(slot);
  if (m.tape) {
    TapeStep s = Step('I', now);
    s.values.push_back(slot);
    for (const PlacedObject& o : status.items[at].Object) s.values.push_back(o.Flag);
    for (const PlacedObject& o : status.items[at].Object) s.values.push_back(o.Index);
    for (const PlacedObject& o : status.stars[at].Object) s.values.push_back(o.Flag);
    for (std::int16_t g : status.grades[at].ChanceGrade) s.values.push_back(g);
    for (std::int16_t g : status.grades[at].PowerGrade) s.values.push_back(g);
    m.tape->Write(s);
  }
  // The same slot before and after: what the shop opened and raised.
  if (slot == m.itemSlot) {
    for (int item = 1; item <= kShopItems; ++item) {
      const std::size_t i = std::size_t(item);
      if (Lock(m.items.items[at], item).Flag != 0 && Lock(status.items[at], item).Flag == 0) ++m.stats.shopUnlocks;
      m.stats.shopUpgrades += std::max(0, status.grades[at].ChanceGrade[i] - m.items.grades[at].ChanceGrade[i]);
      m.stats.shopUpgrades += std::max(0, status.grades[at].PowerGrade[i] - m.items.grades[at].PowerGrade[i]);
    }
  }
  m.items = status;
  m.itemSlot = slot;
  RecomputeBonusChances(m.bonus.BonusChance, &m.items, m.itemSlot);
}

void ContinueLevel(Match& m, const SavedProgress& p, double now) {
  const int level = std::clamp(p.level, 1, kLastLevel);
  if (m.tape) {
    TapeStep s = Step('C', now);
    s.values = {double(level), double(p.score), double(p.lives), p.timeLeft, p.timeTotal};
    m.tape->Write(s);
  }
  // Nothing armed on the level that was left comes back: the record's stocks are the truth.
  m.board.AnchorArmed = m.board.SunArmed = false;
  m.session = MatchSession{};
  m.session.CurrentLevel = level;
  m.session.Score = m.session.ShownScore = p.score;
  m.session.Lives = p.lives;
  StartLevel(m, now);
  m.level.SandLeft = p.timeLeft;
  if (p.timeTotal > 0) m.level.TimeLimit = p.timeTotal;
  // The hourglass goes on from here: its next grain falls a whole second later.
  m.clock.lastSandTick = now;
  m.board.Score = p.score;
}

void PutSavedBoard(Match& m, const Cells& saved, double now) {
  if (m.tape) {
    TapeStep s = Step('D', now);
    s.blob = EncodeBoard(saved);
    m.tape->Write(s);
  }
  m.cells.cell = saved.cell;
  // No fly-in and no grow-in: the board is back as it was left.
  m.board.BoardGrowIn = false;
  for (int i = 0; i < kCellSlots; ++i) {
    Cell& c = m.cells[i];
    c.IsSelected = false;
    if (c.Move) continue;  // a fall lands as it would have
    // A swap cut short is not resumed: its items go home, set down and free
    // to be played again (one being removed finishes its removal).
    c.Pos.CurX = c.Pos.X;
    c.Pos.CurY = c.Pos.Y;
    c.Front = c.Fronter = false;
    if (c.IsExists && c.Disappear == Removal::None) {
      c.Pos.Size = 0;
      c.IsAvailable = true;
    }
  }
}

}  // namespace bm

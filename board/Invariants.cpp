#include "board/Invariants.h"

#include <sstream>

#include "board/BoardPhase.h"
#include "board/ItemCodes.h"

namespace bm {

namespace {

// A fall of one row lasts 70 ms of clock time; allow plenty for slow frames.
constexpr double kFallLimitMs = 1000;
constexpr int kFallLimitFrames = 8;
// Settled frames an existing cell may stay empty before the refill counts as missed.
constexpr int kEmptyLimitFrames = 5;
constexpr std::size_t kMaxMessages = 20;

bool KnownRemovalState(Removal d) {
  switch (d) {
    case Removal::None: case Removal::Start: case Removal::Removing: case Removal::Award:
    case Removal::BurstAward: case Removal::Dropping: case Removal::DropDone: case Removal::EmptyAfterTip:
      return true;
  }
  return false;
}

bool SamePair(int a, int b, int x, int y) { return (a == x && b == y) || (a == y && b == x); }

}  // namespace

const char* InvariantName(Invariant which) {
  switch (which) {
    case Invariant::ItemInHole: return "no item in a hole";
    case Invariant::BubbleCount: return "bubble counts 0..8 around an item";
    case Invariant::GroundValue: return "gold is 0 or 1";
    case Invariant::RemovalState: return "removal states as listed";
    case Invariant::FallLands: return "every fall lands on its target";
    case Invariant::CellRefilled: return "every existing cell is refilled";
    case Invariant::ScoreMonotonic: return "the score never decreases";
    case Invariant::SwapKeepsCodes: return "a swap keeps its two items";
    case Invariant::Effects: return "effects end and never hit a hole";
    case Invariant::Count: break;
  }
  return "?";
}

void InvariantChecker::Fail(Invariant which, std::string message) {
  ++counts_[std::size_t(which)];
  ++total_;
  if (messages_.size() < kMaxMessages) messages_.push_back(std::move(message));
}

void InvariantChecker::NewLevel() {
  started_ = false;
  fallStart_.fill(0);
  fallFrames_.fill(0);
  wasMoving_.fill(false);
  emptyFrames_.fill(0);
  swapA_ = swapB_ = -1;
}

void InvariantChecker::Check(const Cells& cells, const BoardState& st, double now) {
  ++frames_;
  // Messages are built only when something fails: this runs on every frame.
  auto at = [&] { return " (frame " + std::to_string(frames_) + ")"; };
  BoardPhase phase = PhaseOf(cells, st);
  // A cell may be empty only while something is on its way to it.
  bool refilling = phase == BoardPhase::Refilling;

  for (int i = 0; i < kCellSlots; ++i) {
    const Cell& c = cells[i];
    auto cell = [i] { return "cell " + std::to_string(i); };
    if (i >= kCellCount || !c.IsExists) {
      if (c.Gem != 0 || c.Ice != 0) Fail(Invariant::ItemInHole, cell() + " is a hole holding code " + std::to_string(c.Gem) + at());
      if (i >= kCellCount) continue;
    }
    if (c.Ice < 0 || c.Ice > 8 || (c.Ice > 0 && c.Gem == 0))
      Fail(Invariant::BubbleCount, cell() + " has " + std::to_string(c.Ice) + " bubbles around code " + std::to_string(c.Gem) + at());
    if (c.Gnd != 0 && c.Gnd != 1) Fail(Invariant::GroundValue, cell() + " has Gnd " + std::to_string(c.Gnd) + at());
    if (!KnownRemovalState(c.Disappear))
      Fail(Invariant::RemovalState, cell() + " in removal state " + std::to_string(int(c.Disappear)) + at());

    std::size_t k = std::size_t(i);
    if (c.Move) {
      if (!wasMoving_[k]) {
        fallStart_[k] = now;
        fallFrames_[k] = 0;
      }
      ++fallFrames_[k];
      if (fallFrames_[k] > kFallLimitFrames && now - fallStart_[k] > kFallLimitMs) {
        Fail(Invariant::FallLands, cell() + " has been falling since " + std::to_string(fallStart_[k]) + at());
        fallStart_[k] = now;  // report a stuck fall once per second
        fallFrames_[k] = 0;
      }
    } else if (wasMoving_[k]) {
      // Landing puts the drawn position back home. (With a large frame factor
      // the item may already have fallen on from the cell below.)
      if (c.Pos.CurX != c.Pos.X || c.Pos.CurY != c.Pos.Y)
        Fail(Invariant::FallLands, cell() + " ended its fall away from home" + at());
    }
    wasMoving_[k] = c.Move;

    if (refilling && c.IsExists && c.Gem == 0) {
      if (++emptyFrames_[k] == kEmptyLimitFrames + 1)
        Fail(Invariant::CellRefilled, cell() + " stays empty on a settled board" + at());
    } else {
      emptyFrames_[k] = 0;
    }
  }

  if (started_ && st.Score < lastScore_)
    Fail(Invariant::ScoreMonotonic,
         "score went from " + std::to_string(lastScore_) + " to " + std::to_string(st.Score) + at());
  lastScore_ = st.Score;
  started_ = true;

  // The two items of a swap are exchanged or put back, never lost: checked
  // whenever the board could take a click (the swap runs alone, or it has
  // ended on a settled board), not while items are removed (the swap's own
  // line among them) or fall.
  if (st.SwapState != SwapPhase::Idle) {
    if (!SamePair(st.SwapA, st.SwapB, swapA_, swapB_)) {
      swapA_ = st.SwapA;
      swapB_ = st.SwapB;
      swapCodeA_ = cells[swapA_].Gem;
      swapCodeB_ = cells[swapB_].Gem;
    }
  }
  if (swapA_ >= 0) {
    const Cell& a = cells[swapA_];
    const Cell& b = cells[swapB_];
    if (TakesClicks(phase) && !SamePair(a.Gem, b.Gem, swapCodeA_, swapCodeB_))
      Fail(Invariant::SwapKeepsCodes, "swap of cells " + std::to_string(swapA_) + " and " + std::to_string(swapB_) +
                                          " left codes " + std::to_string(a.Gem) + ", " + std::to_string(b.Gem) +
                                          " from " + std::to_string(swapCodeA_) + ", " + std::to_string(swapCodeB_) + at());
    if (st.SwapState == SwapPhase::Idle) swapA_ = swapB_ = -1;
  }
}

std::string InvariantChecker::Report() const {
  std::ostringstream out;
  out << "board invariants: " << total_ << " violations in " << frames_ << " frames\n";
  for (std::size_t i = 0; i < counts_.size(); ++i)
    out << "  " << InvariantName(Invariant(i)) << ": " << counts_[i] << "\n";
  for (const auto& m : messages_) out << "  ! " << m << "\n";
  return out.str();
}

}  // namespace bm

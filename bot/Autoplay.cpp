#include "bot/Autoplay.h"

#include <algorithm>
#include <cmath>

#include "board/BoardPhase.h"
#include "bot/BotBonuses.h"
#include "bonus/StockButtons.h"

namespace bm {

namespace {

double CentreX(const Cells& cells, const ScreenMetrics& m, int i) { return m.CellScreenX(cells[i].CenterX); }
double CentreY(const Cells& cells, const ScreenMetrics& m, int i) { return m.CellScreenY(cells[i].CenterY); }

}  // namespace

Autoplay::Autoplay(AutoplayOptions options) : opt_(options), rng_(options.seed) {}

std::optional<MovePair> Autoplay::ChooseMove(const Cells& cells, Rng& rng, bool anyMove, double* worth) {
  MoveChooser chooser;
  return chooser.Choose(cells, rng, anyMove, worth);
}

void Autoplay::Click(double x, double y) {
  script_.push_back({x, y, false, opt_.moveMs});
  script_.push_back({x, y, true, 0});
  script_.push_back({x, y, false, 0});
}

void Autoplay::Plan(const MovePair& move, const Cells& cells, const BoardState& st, const ScreenMetrics& m) {
  int a = move.from, b = move.to, s = st.SelectedCell;
  // Clicking an old selection again clears it; otherwise it would pair up.
  if (s >= 0 && s < kCellCount && s != a && s != b) Click(CentreX(cells, m, s), CentreY(cells, m, s));
  if (s == b) std::swap(a, b);
  double ax = CentreX(cells, m, a), ay = CentreY(cells, m, a);
  double bx = CentreX(cells, m, b), by = CentreY(cells, m, b);
  bool drag = opt_.dragEvery > 0 && (moves_ + 1) % opt_.dragEvery == 0;
  if (s == a) {
    Click(bx, by);
  } else if (drag) {
    script_.push_back({ax, ay, false, opt_.moveMs});
    script_.push_back({ax, ay, true, 0});
    script_.push_back({bx, by, true, opt_.moveMs});
    script_.push_back({bx, by, false, 0});
  } else {
    Click(ax, ay);
    Click(bx, by);
  }
  ++moves_;
}

bool Autoplay::PlanBonusAction(const Cells& cells, const BoardState& st, const ScreenMetrics& m,
                               const BoardPlayer& player, double sandLeft, double bestMoveWorth) {
  BonusPlan plan = PlanBonus(cells, st, player, m, sandLeft, bestMoveWorth);
  if (plan.kind == BonusPlan::Kind::None) return false;
  int s = st.SelectedCell;
  auto at = [&](int i, double& x, double& y) {
    x = CentreX(cells, m, i);
    y = CentreY(cells, m, i);
  };
  double x = 0, y = 0;
  if (plan.kind == BonusPlan::Kind::Swap) {
    Plan({plan.a, plan.b}, cells, st, m);
    expectSwap_ = true;
    return true;
  }
  // A button first; an old selection would pair with the next click.
  if (s >= 0 && s < kCellCount) {
    at(s, x, y);
    Click(x, y);
  }
  StockButtonCentre(m, plan.button, x, y);
  Click(x, y);
  expectSwap_ = plan.kind == BonusPlan::Kind::AnchorSwap;
  if (plan.kind == BonusPlan::Kind::PressAndClick || plan.kind == BonusPlan::Kind::AnchorSwap) {
    at(plan.a, x, y);
    Click(x, y);
  }
  if (plan.kind == BonusPlan::Kind::AnchorSwap) {
    at(plan.b, x, y);
    Click(x, y);
  }
  ++bonusActions_;
  return true;
}

PointerFeed Autoplay::Step(double now, const Cells& cells, const BoardState& st, const ScreenMetrics& m) {
  return Step(now, cells, st, m, nullptr, 1.0);
}

PointerFeed Autoplay::Step(double now, const Cells& cells, const BoardState& st, const ScreenMetrics& m,
                           const BoardPlayer* player, double sandLeft) {
  if (st.SwapState != SwapPhase::Idle) sawSwap_ = true;
  bool ready = AtRest(PhaseOf(cells, st));

  if (!script_.empty()) {
    Action& act = script_.front();
    if (actionStart_ < 0) {
      actionStart_ = now;
      fromX_ = feed_.x;
      fromY_ = feed_.y;
      arrivedAt_ = -1;
      framesAtTarget_ = 0;
    }
    double t = act.travelMs > 0 ? std::min(1.0, (now - actionStart_) / act.travelMs) : 1.0;
    feed_.x = fromX_ + (act.x - fromX_) * t;
    feed_.y = fromY_ + (act.y - fromY_) * t;
    feed_.left = act.left;
    if (t >= 1 && arrivedAt_ < 0) arrivedAt_ = now;
    // A step is done once a frame has seen it at its target and it has been
    // held long enough; it then gives way to the next step in this same frame.
    if (arrivedAt_ >= 0 && framesAtTarget_ >= 1 && now - arrivedAt_ >= opt_.holdMs) {
      script_.pop_front();
      actionStart_ = -1;
      if (!ready) {
        // The swap began (or something else got the board busy): let go.
        script_.clear();
        feed_.left = false;
      }
      if (script_.empty()) {
        waitAfterScript_ = 3;
        return feed_;
      }
      return Step(now, cells, st, m, player, sandLeft);
    }
    if (arrivedAt_ >= 0) ++framesAtTarget_;
    readySince_ = -1;
    return feed_;
  }

  feed_.left = false;
  if (waitAfterScript_ > 0 && --waitAfterScript_ == 0) {
    lastMissed_ = expectSwap_ && !sawSwap_;
    if (lastMissed_) ++missed_;
  }
  if (!ready || waitAfterScript_ > 0) {
    readySince_ = -1;
    return feed_;
  }
  if (readySince_ < 0) readySince_ = now;
  if (now - readySince_ < opt_.thinkMs) return feed_;

  // After a move that did not take, any move will do: the best one may be the
  // one that keeps failing.
  double worth = 0;
  std::optional<MovePair> move = chooser_.Choose(cells, rng_, lastMissed_, &worth);
  bool retry = lastMissed_;
  sawSwap_ = false;
  lastMissed_ = false;
  if (player && !retry && PlanBonusAction(cells, st, m, *player, sandLeft, move ? worth : 0))
    return Step(now, cells, st, m, player, sandLeft);
  if (!move) return feed_;  // the board will notice there is no move and shuffle
  expectSwap_ = true;
  Plan(*move, cells, st, m);
  return Step(now, cells, st, m, player, sandLeft);
}

}  // namespace bm

#include "bonus/EffectInvariants.h"

namespace bm {

std::vector<std::string> EffectChecker::Check(const Cells& cells, const BonusState& b) {
  std::vector<std::string> out;
  // With nothing flying, a full look now and then is enough to catch a stray
  // object the counts do not know of.
  ++frames_;
  if (b.EffectsAlive == 0 && b.PopupsAlive == 0 && !tracking_ && frames_ % 32 != 0) return out;
  tracking_ = b.EffectsAlive > 0;
  int alive = 0, holding = 0;
  for (std::size_t s = 0; s < b.Effects.size(); ++s) {
    const EffectObject& e = b.Effects[s];
    if (!e.Active) {
      framesAlive_[s] = 0;
      continue;
    }
    ++alive;
    holding += e.Kind == EffectKind::Bomb || e.Kind == EffectKind::Rainbow;
    if (e.LastCell >= 0 && (e.LastCell >= kCellCount || !cells[e.LastCell].IsExists))
      out.push_back("effect " + std::to_string(s) + " hit the hole " + std::to_string(e.LastCell));
    if (++framesAlive_[s] == kEffectFrameLimit)
      out.push_back("effect " + std::to_string(s) + " has flown " + std::to_string(kEffectFrameLimit) + " frames");
  }
  if (alive != b.EffectsAlive || holding != b.HoldingAlive)
    out.push_back("effect counts " + std::to_string(b.EffectsAlive) + "/" + std::to_string(b.HoldingAlive) +
                  " for " + std::to_string(alive) + "/" + std::to_string(holding) + " active");
  int popups = 0;
  for (const RewardPopup& p : b.Popups) popups += p.Active;
  if (popups != b.PopupsAlive) out.push_back("popup count " + std::to_string(b.PopupsAlive) + " for " +
                                             std::to_string(popups) + " active");
  return out;
}

std::vector<std::string> EffectChecker::NewLevel(const BonusState& b) {
  framesAlive_.fill(0);
  std::vector<std::string> out;
  for (const EffectObject& e : b.Effects)
    if (e.Active) {
      out.push_back("an effect slot is still taken at the level start");
      break;
    }
  return out;
}

}  // namespace bm

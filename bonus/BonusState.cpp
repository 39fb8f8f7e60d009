#include "bonus/BonusState.h"

namespace bm {

void ResetBonusLevel(BonusState& b, double now) {
  for (EffectObject& e : b.effects) e.Active = false;
  for (RewardPopup& p : b.popups) p.Active = false;
  b.effectsAlive = b.holdingAlive = b.popupsAlive = 0;
  b.ShowFreeActive = false;
  b.ShowFreeAngle = 0;
  b.RumTimer = now;
}

}  // namespace bm

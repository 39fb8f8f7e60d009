#include "bonus/BonusState.h"

namespace bm {

void ResetBonusLevel(BonusState& b, double now) {
  for (EffectObject& e : b.Effects) e.Active = false;
  for (RewardPopup& p : b.Popups) p.Active = false;
  b.EffectsAlive = b.HoldingAlive = b.PopupsAlive = 0;
  b.ShowFreeActive = false;
  b.ShowFreeAngle = 0;
  b.RumTimer = now;
}

}  // namespace bm

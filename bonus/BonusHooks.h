// The bonus side's hooks into a board frame (board/BonusHooks.h), which the
// match hands to every frame of a game with bonuses.
#pragma once
#include "board/BonusHooks.h"

namespace bm {

extern const BonusHooks kBonusHooks;

}  // namespace bm

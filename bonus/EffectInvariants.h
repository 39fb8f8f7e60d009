// Promises of the flying effects, checked frame after frame beside the board's
// own: no object ever hits a hole, every object ends, and the slot counts add up.
#pragma once
#include <array>
#include <string>
#include <vector>

#include "board/Cell.h"
#include "bonus/BonusState.h"

namespace bm {

class EffectChecker {
 public:
  // Call after each frame; returns the broken promises of this frame.
  std::vector<std::string> Check(const Cells& cells, const BonusState& b);
  // A level starts: every slot must be free.
  std::vector<std::string> NewLevel(const BonusState& b);

 private:
  std::array<int, kEffectSlots> framesAlive_{};
  long frames_ = 0;
  bool tracking_ = false;  // some object was flying at the last full look
};

// The longest an effect may fly: a grade-3 bomb flame turns 385 degrees at 15
// a frame; a shot across the whole screen takes well under this.
inline constexpr int kEffectFrameLimit = 1500;

}  // namespace bm

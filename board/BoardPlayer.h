// The few bits of the current player's record that the board reads and writes.
// The shell copies them in from the player record and back out after a level.
#pragma once
#include <array>

namespace bm {

struct BoardPlayer {
  bool tipsOn = false;
  std::array<bool, 32> tipSeen{};  // indexed by tip number
  int sunCount = 0;
  int parrotCount = 0;
  int shuffleCount = 0;
  int rumCount = 0;  // seconds of rum left
  int anchorCount = 0;
  bool rumSwap = false;  // a rum swap is running

  bool WantsTip(int n) const { return tipsOn && n >= 0 && n < int(tipSeen.size()) && !tipSeen[std::size_t(n)]; }
};

}  // namespace bm

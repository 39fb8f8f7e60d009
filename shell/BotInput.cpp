#include "shell/BotInput.h"

namespace bm {

void BotInput::Feed(const PointerFeed& f) {
  // In a window the cursor follows the bot, so a person watching sees each move.
  if (moveRealPointer_ && (f.x != feed_.x || f.y != feed_.y)) window_.WarpPointer(f.x, f.y);
  feed_ = f;
}

}  // namespace bm

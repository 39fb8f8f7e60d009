#include "shell/CreditsScreen.h"

#include <algorithm>

#include "diag/LogTags.h"
#include "render/AssetGroups.h"
#include "render/CreditsDraw.h"
#include "shell/Services.h"

namespace bm {

Next CreditsScreen::Enter(Stage& s) {
  s.logs.WriteRunLog(logtag::kGameComplete, "The last level is won");
  scroll_ = kCreditsStart;
  s.look.textures.Use(asset_group::Credits);
  last_ = s.Now();
  // Enter, Space or Escape go on as the click does; a key held from the level does not.
  enter_ = KeyEdge(vk::Enter, s.in()), space_ = KeyEdge(vk::Space, s.in());
  s.loop.Input.EscLatch = s.in().KeyDown(vk::Escape);
  return Next::Stay();
}

Next CreditsScreen::Pass(Stage& s) {
  Input& in = s.in();
  InputRouter& input = s.loop.Input;
  double now = s.Now();
  // The scroll moves ten units a second, whatever the frame rate.
  scroll_ = std::min(scroll_ + (now - last_) * 0.01, kCreditsEnd);
  last_ = now;
  bool active = s.window().IsForeground();
  s.loop.AppActive = active;
  const bool escape = EscapePressed(input, in);
  const bool key = TakeAny(in, enter_, space_) || escape;
  if (key || (in.ButtonDown(1) && active && !input.ClickLatch)) {
    input.ClickLatch = true;
    return Next::Pop();
  }
  if (!in.ButtonDown(1)) input.ClickLatch = false;
  bool atRest = scroll_ >= kCreditsEnd;
  if (!atRest || !drawnAtRest_ || s.loop.Redraw) {
    s.loop.Redraw = false;
    if (s.look.drawing) DrawCredits(s.look.canvas, s.look.font, scroll_);
    s.loop.SceneDirty = true;
    drawnAtRest_ = atRest;
  }
  // At rest nothing moves: wait for the click.
  return Next::Stay(atRest ? now + 250 : 0);
}

}  // namespace bm

#include "shell/HowToPlayScreen.h"

#include <algorithm>

#include "diag/LogTags.h"
#include "render/HowToPlayDraw.h"
#include "shell/Services.h"

namespace bm {

Next HowToPlayScreen::Enter(Stage& s) {
  s.logs.WriteRunPoint(logtag::kHowToPlayLoop, "Begin");
  Input& in = s.in();
  left_ = KeyEdge(vk::Left, in), right_ = KeyEdge(vk::Right, in), enter_ = KeyEdge(vk::Enter, in);
  space_ = KeyEdge(vk::Space, in);
  latch_ = in.ButtonDown(1);
  return Next::Stay();
}

Next HowToPlayScreen::Pass(Stage& s) {
  Input& in = s.in();
  if (EscapePressed(s.loop.Input, in)) return Next::Pop(HandBack(s));
  if (ScreenMinimised(s)) return Next::Stay(s.Now() + 100);
  int target = page_ < kHowToPlayPages ? howto::Next : howto::Done;
  PointD p = in.Pointer();
  int hover = HowToPlayButtonAt(s.look.metrics, page_, p.x, p.y);
  HoverSound(s.sound.sfx, hover != 0);
  bool down = s.loop.AppActive && in.ButtonDown(1);
  int click = down && !latch_ ? hover : 0;
  latch_ = down;
  if (left_.Take(in)) --page_;
  if (right_.Take(in)) ++page_;
  if (TakeAny(in, enter_, space_)) click = target;
  if (click == howto::Prev) --page_;
  if (click == howto::Next) ++page_;
  if (click) ClickSound(s.sound.sfx);
  page_ = std::clamp(page_, 1, kHowToPlayPages);
  if (click == howto::Done) return Next::Pop(HandBack(s));
  if (s.loop.Redraw || page_ != shownPage_ || hover != shownHover_) {
    s.loop.Redraw = false;
    shownPage_ = page_;
    shownHover_ = hover;
    if (s.look.drawing)
      DrawHowToPlay(s.look.canvas, s.look.font, page_, hover, page_ < kHowToPlayPages ? howto::Next : howto::Done);
    s.loop.SceneDirty = true;
  }
  return StayForInput(s);
}

OnScreen HowToPlayScreen::Shows(const ScreenMetrics& m) const {
  OnScreen o{ScreenKind::HowToPlay};
  o.page = page_;
  if (page_ > 1) o.Add(ButtonMeaning::Prev, HowToPlayButton(m, howto::Prev));
  o.Add(ButtonMeaning::Done, HowToPlayButton(m, howto::Done));
  if (page_ < kHowToPlayPages) o.Add(ButtonMeaning::Next, HowToPlayButton(m, howto::Next));
  return o;
}

}  // namespace bm

#include "shell/NameBoxScreen.h"

#include "diag/LogTags.h"
#include "lang/Tr.h"
#include "render/RosterDraw.h"
#include "shell/Services.h"

namespace bm {

Next NameBoxScreen::Enter(Stage& s) {
  s.logs.WriteRunPoint(logtag::kNameEntryLoop, "Begin");
  Input& in = s.in();
  OpenNameEntry(box_, in, *name_, escapeAllowed_);
  // The Enter that opened the box must not close it at once.
  enter_ = KeyEdge(vk::Enter, in);
  click_ = ClickEdge(in);
  return Next::Stay();
}

Next NameBoxScreen::Pass(Stage& s) {
  Input& in = s.in();
  const ScreenMetrics& m = s.look.metrics;
  if (ScreenMinimised(s)) return Next::Stay(s.Now() + 100);
  bool enterNow = enter_.Take(in);
  // UpdateNameEntry closes on a held Enter; only a fresh press may take the name.
  std::string before = box_.text;
  UpdateNameEntry(box_, s.loop.Input, in, s.Now());
  if (box_.accepted && !enterNow) {
    box_.on = true, box_.accepted = false;  // a held Enter from before the box opened
    in.StartTextInput();
  }
  PointD p = in.Pointer();
  int hover = 0;
  for (int b : {namebox::Ok, namebox::Cancel})
    if (NameBoxButtonRect(m, b).Contains(p.x, p.y)) hover = b;
  HoverSound(s.sound.sfx, hover != 0);
  bool pressed = click_.Take(s);
  bool ok = box_.accepted || (pressed && hover == namebox::Ok) || (enterNow && box_.text.empty());
  bool cancel = box_.cancelled || (pressed && hover == namebox::Cancel);
  if (pressed && hover) ClickSound(s.sound.sfx);
  if (ok && !box_.text.empty()) {
    *name_ = box_.text;
    return Next::Pop(Leave(s, NameAnswer::Given));
  }
  // TRANSLATORS: Players, name box, high scores: hint box over OK when the name is empty, size 0.3. Room: plenty
  // (twice the English length or more).
  if (ok) warning_ = Tr("Enter your name first!");
  if (cancel) return Next::Pop(Leave(s, NameAnswer::Cancelled));
  if (box_.text != before) warning_.clear();
  if (s.loop.Redraw || box_.text != shownText_ || hover != shownHover_ || warning_ != shownWarning_) {
    s.loop.Redraw = false;
    shownText_ = box_.text;
    shownHover_ = hover;
    shownWarning_ = warning_;
    if (s.look.drawing) {
      s.render().Clear(0xFF06203A);
      TextureId back = s.look.canvas.Tex("red/menu/main0-new2.jpg");
      if (back) s.look.canvas.FullScreen(back);
      DrawNameBox(s.look.canvas, s.look.font, box_.text, hover, warning_);
    }
    s.loop.SceneDirty = true;
  }
  return StayForInput(s);
}

OnScreen NameBoxScreen::Shows(const ScreenMetrics& m) const {
  OnScreen o{ScreenKind::NameBox};
  o.text = box_.text;
  o.Add(ButtonMeaning::Ok, NameBoxButtonRect(m, namebox::Ok));
  o.Add(ButtonMeaning::Cancel, NameBoxButtonRect(m, namebox::Cancel));
  return o;
}

Answer NameBoxScreen::Leave(Stage& s, NameAnswer answer) {
  s.in().StopTextInput();
  HandBack(s);
  return answer;
}

}  // namespace bm

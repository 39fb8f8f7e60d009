#include "shell/HighScoresScreen.h"

#include <memory>

#include "diag/LogTags.h"
#include "shell/DialogScreen.h"
#include "shell/Services.h"

namespace bm {

Next HighScoresScreen::Enter(Stage& s) {
  s.logs.WriteRunPoint(logtag::kHighScoresLoop, "Begin");
  Input& in = s.in();
  left_ = KeyEdge(vk::Left, in), right_ = KeyEdge(vk::Right, in), tab_ = KeyEdge(vk::Tab, in);
  enter_ = KeyEdge(vk::Enter, in), space_ = KeyEdge(vk::Space, in);
  click_ = ClickEdge(in);
  return Next::Stay();
}

Next HighScoresScreen::Pass(Stage& s) {
  Input& in = s.in();
  if (EscapePressed(s.loop.Input, in)) return Next::Pop(HandBack(s));
  if (ScreenMinimised(s)) return Next::Stay(s.Now() + 100);
  PointD p = in.Pointer();
  hover_ = 0;
  for (int b : {scores::Back, scores::Reset})
    if (HighScoreButtonRect(s.look.metrics, b).Contains(p.x, p.y)) hover_ = b;
  HoverSound(s.sound.sfx, hover_ != 0);
  if (TakeAny(in, left_, right_, tab_)) focus_ = focus_ == scores::Back ? scores::Reset : scores::Back;
  int act = click_.Take(s) ? hover_ : 0;
  if (TakeAny(in, enter_, space_)) act = focus_;
  if (act) ClickSound(s.sound.sfx);
  if (act == scores::Back) return Next::Pop(HandBack(s));
  if (act == scores::Reset)
    return Next::Push(std::make_unique<DialogScreen>(DialogFor(Question::ResetHighScores), this));
  return Draw(s, act != 0);
}

Next HighScoresScreen::Resume(Stage& s, Answer answer) {
  if (answer == ResetAnswer::Reset) {
    if (reset_) reset_();
    else {
      ResetHighScoreEntries(table_);
      if (save_) save_();
    }
    s.logs.WriteRunLog(logtag::kHighScoresLoop, "High-score table reset");
  }
  Input& in = s.in();
  enter_ = KeyEdge(vk::Enter, in), space_ = KeyEdge(vk::Space, in);
  click_ = ClickEdge(in);
  return Draw(s, true);
}

Next HighScoresScreen::Draw(Stage& s, bool force) {
  if (s.loop.Redraw || hover_ != shownHover_ || focus_ != shownFocus_ || force) {
    s.loop.Redraw = false;
    shownHover_ = hover_;
    shownFocus_ = focus_;
    if (s.look.drawing) DrawHighScores(s.look.canvas, s.look.font, table_, hover_, focus_);
    s.loop.SceneDirty = true;
  }
  return StayForInput(s);
}

OnScreen HighScoresScreen::Shows(const ScreenMetrics& m) const {
  OnScreen o{ScreenKind::HighScores};
  o.Add(ButtonMeaning::Back, HighScoreButtonRect(m, scores::Back));
  o.Add(ButtonMeaning::Reset, HighScoreButtonRect(m, scores::Reset));
  return o;
}

void HighScoresScreen::DrawBehind(Stage& s) { DrawHighScores(s.look.canvas, s.look.font, table_, 0, 0); }

}  // namespace bm

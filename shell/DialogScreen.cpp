#include "shell/DialogScreen.h"

#include <algorithm>

#include "lang/Tr.h"
#include "shell/Services.h"

namespace bm {

DialogRequest DialogFor(Question q, const std::string& name) {
  DialogRequest r;
  r.question = q;
  switch (q) {
    case Question::ContinueOrNew:
      // TRANSLATORS: Playing a level: two-button question after Play, size 0.42, lines of 512 px. Room: up to about
      // 65% longer than the English; at most 3 lines.
      r.message = Tr("Continue saved game|or start a new one?");
      // TRANSLATORS: Playing a level: a wooden button plaque, size 0.45, not shrunk (205 px). Room: up to about 45%
      // longer than the English.
      r.first = TrC("continue question, button", "Continue");
      // TRANSLATORS: Playing a level: a wooden button plaque, size 0.45, not shrunk (205 px). Room: up to about 30%
      // longer than the English.
      r.second = TrC("continue question, button", "New Game");
      r.firstAnswer = ContinueAnswer::Continue, r.secondAnswer = ContinueAnswer::NewGame;
      // A new game throws the saved one away: Escape only closes the question.
      break;
    case Question::DeletePlayer:
      // "CANCEL" first: Enter and Escape both keep the player.
      // TRANSLATORS: Players, name box, high scores: two-button question, size 0.42, lines of 512 px. %s is the
      // player's name. 'continue' is the button CONTINUE: use its translation. Room: up to about 40% longer than the
      // English; at most 3 lines.
      r.message = Format(Tr("Click continue to delete|%s"), {name});
      // TRANSLATORS: Players, name box, high scores: a wooden button plaque, size 0.45, not shrunk (205 px). Confirms
      // deleting a player. Room: up to about 30% longer than the English.
      r.first = TrC("button", "CANCEL"), r.second = TrC("button", "CONTINUE");
      r.firstAnswer = r.escapeAnswer = DeleteAnswer::Keep;
      r.secondAnswer = DeleteAnswer::Delete;
      break;
    case Question::ResetHighScores:
      // "CANCEL" first: Enter and Escape both keep the table.
      // TRANSLATORS: Players, name box, high scores: two-button question, size 0.42, 3 lines of 512 px. 'OK' is the
      // button: use its translation. Room: up to about 60% longer than the English; at most 3 lines.
      r.message = Tr("This action will reset|the high-score table.|Click OK to continue.");
      r.first = TrC("button", "CANCEL"), r.second = TrC("button", "OK");
      r.firstAnswer = r.escapeAnswer = ResetAnswer::Keep;
      r.secondAnswer = ResetAnswer::Reset;
      break;
    case Question::KeepDisplayChanges:
      // TRANSLATORS: Options: two-button question on parchment, size 0.42, 3 lines of 512 px, not shrunk. Asked after
      // OK when the screen size or full screen changed. "|" starts a new line; at most 3 lines. Room: up to about 20%
      // longer than the English; at most 3 lines.
      r.message = Tr("You have made changes|If you want to keep changes|Click Apply");
      // TRANSLATORS: Options: a wooden button plaque, size 0.45, not shrunk (205 px). Room: plenty (twice the English
      // length or more).
      r.first = TrC("button", "Apply");
      // TRANSLATORS: Options: a wooden button plaque, size 0.45, not shrunk (205 px). Leaves the options without
      // applying the new screen size. Room: plenty (twice the English length or more).
      r.second = TrC("button", "Exit");
      r.firstAnswer = DisplayAnswer::Apply, r.secondAnswer = r.escapeAnswer = DisplayAnswer::Discard;
      r.leftPercent = 10, r.topPercent = 55;
      break;
  }
  return r;
}

Next DialogScreen::Enter(Stage& s) {
  layout_ = LayoutTwoButtonDialog(s.look.metrics, q_.leftPercent, q_.topPercent);
  Input& in = s.in();
  enter_ = KeyEdge(vk::Enter, in), space_ = KeyEdge(vk::Space, in), left_ = KeyEdge(vk::Left, in);
  right_ = KeyEdge(vk::Right, in), tab_ = KeyEdge(vk::Tab, in);
  // The press that opened the dialog must not answer it.
  latch_ = in.ButtonDown(1);
  s.loop.Redraw = true;
  return Next::Stay();
}

Next DialogScreen::Pass(Stage& s) {
  if (ScreenMinimised(s)) return Next::Stay(s.Now() + 100);
  Input& in = s.in();
  PointD p = in.Pointer();
  bool active = s.loop.AppActive;
  int hover = DialogButtonAt(layout_, p.x, p.y);
  HoverSound(s.sound.sfx, hover != 0);
  int button = 0;  // the button taken: 1 or 2
  bool down = active && in.ButtonDown(1);
  if (!down) {
    // A press taken on a button answers on its release over that button.
    if (pressed_ && !latch_ && hover == pressed_) button = pressed_;
    pressed_ = 0;
    latch_ = false;
  } else if (!latch_ && !pressed_) {
    pressed_ = hover;
    if (!pressed_) latch_ = true;  // a press beside the buttons does nothing
  }
  if (left_.Take(in)) focus_ = focus_ <= 1 ? 2 : 1;
  if (right_.Take(in) || tab_.Take(in)) focus_ = focus_ == 1 ? 2 : 1;
  if (enter_.Take(in)) button = 1;
  const bool escaped = EscapePressed(s.loop.Input, in);
  if (space_.Take(in) && focus_) button = focus_;
  if (button || escaped) {
    ClickSound(s.sound.sfx);
    s.loop.Redraw = true;
    Leave(s);
    return Next::Pop(escaped ? q_.escapeAnswer : button == 1 ? q_.firstAnswer : q_.secondAnswer);
  }
  // The pressed button shows sunk while the pointer stays on it; another one only lights up.
  int sunk = pressed_ && hover == pressed_ ? pressed_ : 0;
  int shown = hover + 3 * sunk;
  if (s.loop.Redraw || shown != shownHover_ || focus_ != shownFocus_) {
    s.loop.Redraw = false;
    shownHover_ = shown;
    shownFocus_ = focus_;
    if (s.look.drawing) {
      Canvas& c = s.look.canvas;
      if (behind_) behind_->DrawBehind(s);
      else s.render().Clear(0xFF06141F);
      c.Fill(0, 0, s.look.metrics.Width, s.look.metrics.Height, 0x50000000);
      DrawTwoButtonDialog(c, s.look.font, layout_, q_.message, q_.first, q_.second, hover, focus_, sunk);
    }
    s.loop.SceneDirty = true;
  }
  return StayForInput(s);
}

OnScreen DialogScreen::Shows(const ScreenMetrics&) const {
  OnScreen o{ScreenKind::Dialog};
  o.question = q_.question;
  o.Add(ButtonMeaning::Answer, layout_.buttons[0], q_.firstAnswer);
  o.Add(ButtonMeaning::Answer, layout_.buttons[1], q_.secondAnswer);
  return o;
}

Answer DialogScreen::Leave(Stage& s) {
  // The key or button that answered must not act on the screen below.
  s.loop.Input.ClickLatch = s.in().ButtonDown(1);
  return {};
}

}  // namespace bm

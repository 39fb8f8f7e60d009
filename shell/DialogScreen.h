// The two-button dialog: a screen pushed over another, asking one of the
// game's questions (shell/OnScreen.h: Question and its answers; DialogFor here).
//
// Use, from a screen's Pass or Resume:
//   return Next::Push(std::make_unique<DialogScreen>(DialogFor(Question::ResetHighScores), this));
// and the answer arrives in that screen's Resume:
//   if (answer == ResetAnswer::Reset) ...
//
// - Each button gives the answer the question sets for it; the answer is empty
//   when the program is ending (F12, window closed, --max-seconds) before an
//   answer: treat it as "do nothing", never as either answer.
// - Enter takes the first button; Escape gives the question's escapeAnswer
//   (empty: it only closes the question). A question whose answer throws
//   something away puts the keeping answer ("CANCEL") first and gives it to
//   Escape too, or leaves Escape without an answer ("New Game"): the
//   destructive answer always takes a click or Space on its marked button.
// - The dialog stands on the screen it is given (its DrawBehind, drawn for every
//   drawn frame before the dialog); without one it stands on a dark screen.
// - Left and Right (or Tab) move a keyboard focus between the buttons and Space
//   takes the focused one, so every answer is reachable without a mouse.
// - A mouse button or key already held when the dialog opens does nothing until
//   it is released, so the click or key that opened the dialog never answers it.
// - The hover sound plays once when the pointer comes onto a button; an answer
//   plays "ev_menu_click".
// - Headless runs work the same on the virtual clock.
// - Draws only when something on it changes; otherwise the loop sleeps until
//   the next event.
#pragma once
#include <string>

#include "render/DialogDraw.h"
#include "shell/ScreenKit.h"
#include "shell/Screen.h"

namespace bm {

struct DialogRequest {
  Question question = Question::ContinueOrNew;
  std::string message;  // "|" starts a new line
  std::string first, second;
  Answer firstAnswer, secondAnswer;
  Answer escapeAnswer;  // empty: Escape only closes the question
  double leftPercent = -1;  // top-left corner in percent of the screen; negative: centred
  double topPercent = -1;
};

// The question's texts, buttons and answers; name: the player a question is about.
DialogRequest DialogFor(Question q, const std::string& name = "");

class DialogScreen : public Screen {
 public:
  DialogScreen(DialogRequest request, Screen* behind) : q_(std::move(request)), behind_(behind) {}
  const char* Name() const override { return "Dialog"; }
  Next Enter(Stage& s) override;
  Next Pass(Stage& s) override;
  Answer Closing(Stage& s) override { return Leave(s); }
  OnScreen Shows(const ScreenMetrics& m) const override;

 private:
  Answer Leave(Stage& s);  // what runs once it ends, whichever way
  DialogRequest q_;
  Screen* behind_;
  DialogLayout layout_;
  KeyEdge enter_, space_, left_, right_, tab_;
  bool latch_ = false;
  int focus_ = 0, shownHover_ = -1, shownFocus_ = -1, pressed_ = 0;  // buttons 1 and 2, 0 none
};

}  // namespace bm

// The two-button dialog: a screen pushed over another.
//
// Use, from a screen's Pass or Resume:
//   DialogRequest q;
//   q.message = "Continue saved game|or start new one?";   // "|" starts a new line
//   q.first = "Continue";                                   // taken by a click on it or Enter
//   q.second = "New Game";                                  // taken by a click on it
//   q.escapeAnswer = 0;    // Escape closes the question and answers nothing
//   return Next::Push(std::make_unique<DialogScreen>(q, this));
// and the answer arrives in that screen's Resume.
//
// - The answer is 1 for the first button, 2 for the second, 0 when the program
//   is ending (F12, window closed, --max-seconds) before an answer: treat 0 as
//   "do nothing", never as either answer.
// - Escape gives escapeAnswer: the second button unless the question says
//   otherwise. A question whose second answer throws something away gives 0
//   there, so no destructive answer sits on Escape.
// - The dialog stands on the screen it is given (its DrawBehind, drawn for every
//   drawn frame before the dialog); without one it stands on a dark screen.
// - Left and Right (or Tab) move a keyboard focus between the buttons and Space
//   takes the focused one, so every answer is reachable without a mouse.
// - A mouse button or key already held when the dialog opens does nothing until
//   it is released, so the click or key that opened the dialog never answers it.
// - The hover sound plays once when the pointer comes onto a button; an answer
//   plays "ev_menu_click".
// - Headless runs work the same on the virtual clock; with --autoplay the bot
//   takes botAnswer a moment after the dialog opens.
// - Draws only when something on it changes; otherwise the loop sleeps until
//   the next event.
#pragma once
#include <string>

#include "render/DialogDraw.h"
#include "shell/ScreenKit.h"
#include "shell/Screen.h"

namespace bm {

struct DialogRequest {
  std::string message;
  std::string first = "OK";
  std::string second = "CANCEL";
  double leftPercent = -1;  // top-left corner in percent of the screen; negative: centred
  double topPercent = -1;
  int botAnswer = 1;  // what the autoplay bot answers
  int escapeAnswer = 2;  // what Escape answers: 1, 2, or 0 for nothing
};

class DialogScreen : public Screen {
 public:
  DialogScreen(DialogRequest request, Screen* behind) : q_(std::move(request)), behind_(behind) {}
  const char* Name() const override { return "Dialog"; }
  Next Enter(Services& s) override;
  Next Pass(Services& s) override;
  int Closing(Services& s) override { return Leave(s); }

 private:
  int Leave(Services& s);  // what runs once it ends, whichever way
  DialogRequest q_;
  Screen* behind_;
  DialogLayout layout_;
  KeyEdge enter_, space_, left_, right_, tab_;
  bool latch_ = false;
  int focus_ = 0, shownHover_ = -1, shownFocus_ = -1, pressed_ = 0;
  BotFinger bot_;
};

}  // namespace bm

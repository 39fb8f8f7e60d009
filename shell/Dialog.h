// The two-button dialog as a modal screen on the one loop shape.
//
// Use:
//   DialogRequest q;
//   q.message = "Continue saved game|or start new one?";   // "|" starts a new line
//   q.first = "Continue";                                   // taken by a click on it or Enter
//   q.second = "New Game";                                  // taken by a click on it or Escape
//   q.background = [&] { DrawWhateverIsBehind(); };         // optional, see below
//   int answer = TwoButtonDialog(g, q);                     // 1, 2, or 0 if the program is ending
//
// - Returns 1 for the first button, 2 for the second, 0 when the program is
//   ending (F12, window closed, --max-seconds) before an answer: treat 0 as "do
//   nothing", never as either answer.
// - background draws the screen the dialog stands on; it is called for every
//   drawn frame, before the dialog. Without it the dialog stands on a dark screen.
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
#include <functional>
#include <string>

namespace bm {

struct Game;

struct DialogRequest {
  std::string message;
  std::string first = "OK";
  std::string second = "CANCEL";
  std::function<void()> background;
  double leftPercent = -1;  // top-left corner in percent of the screen; negative: centred
  double topPercent = -1;
  int botAnswer = 1;  // what the autoplay bot answers
};

int TwoButtonDialog(Game& g, const DialogRequest& request);

}  // namespace bm

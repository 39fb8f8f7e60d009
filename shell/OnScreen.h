// What the screen on top shows, as plain facts a hand at the controls can act
// on: which screen it is, its buttons (what each means and where it lies), the
// question a dialog asks, the page, the name being typed, and read-only looks
// at the match in play and at the shop's shelves. A screen says it
// (Screen::Shows); an input standing in front of the real one reads it
// (shell/InputSource.h). Nothing here changes the screen.
#pragma once
#include <array>
#include <optional>
#include <string_view>

#include "board/ScreenMetrics.h"
#include "shell/Answer.h"

namespace bm {

struct Match;
struct ItemStatus;

// Every question the game asks (shell/DialogScreen.h: its texts and answers).
enum class Question {
  ContinueOrNew,       // the main menu's "Play" with a game saved: "Continue" | "New Game"
  DeletePlayer,        // the players screen's delete mark: "CANCEL" | "CONTINUE"
  ResetHighScores,     // the high-score table's "RESET": "CANCEL" | "OK"
  KeepDisplayChanges,  // the options' "OK" after a change of the display: "Apply" | "Exit"
};
inline constexpr Question kEveryQuestion[] = {Question::ContinueOrNew, Question::DeletePlayer,
                                              Question::ResetHighScores, Question::KeepDisplayChanges};
// What their buttons answer, first button first.
enum class ContinueAnswer { Continue, NewGame };
enum class DeleteAnswer { Delete, Keep };
enum class ResetAnswer { Reset, Keep };
enum class DisplayAnswer { Apply, Discard };

enum class ScreenKind {
  Other, Logo, Loading, IntroFade, NameBox, MainMenu, Options, HowToPlay, HighScores, Players, Dialog,
  FlyIn, FlyOut, Play, Away, Map, Shop, Credits,
};

// What a button does when pressed.
enum class ButtonMeaning {
  Play, Options, HowToPlay, HighScores, ChangePlayer, ExitGame,  // the main menu's items
  Ok, Cancel, Prev, Next, Done, Back, Reset, AddPlayer,          // the menu screens' buttons
  Map, Shop, Continue,                                           // between levels
  Answer,                                                        // a dialog's: gives its answer
};

struct ShownButton {
  ButtonMeaning meaning = ButtonMeaning::Ok;
  IRect rect;
  Answer answer;  // a dialog's button: the answer it gives
};

struct OnScreen {
  ScreenKind kind = ScreenKind::Other;
  long visit = 0;  // the loop numbers each screen as it first shows: a new number, a new screen
  const ScreenMetrics* metrics = nullptr;
  std::array<ShownButton, 6> buttons{};
  int buttonCount = 0;
  std::optional<Question> question;  // a dialog's
  int page = 0;                      // how to play
  std::string_view text;             // the name box's name
  const Match* match = nullptr;      // the play screen's game
  const ItemStatus* shop = nullptr;  // the shop's shelves (map and shop) ...
  int shopSlot = 0;                  // ... of this player slot

  void Add(ButtonMeaning meaning, const IRect& rect, Answer answer = {}) {
    if (buttonCount < int(buttons.size())) buttons[std::size_t(buttonCount++)] = {meaning, rect, answer};
  }
  // The button with that meaning (and answer), or null when none shows.
  const ShownButton* Find(ButtonMeaning meaning, Answer answer = {}) const {
    for (int i = 0; i < buttonCount; ++i)
      if (buttons[std::size_t(i)].meaning == meaning && buttons[std::size_t(i)].answer == answer)
        return &buttons[std::size_t(i)];
    return nullptr;
  }
};

}  // namespace bm

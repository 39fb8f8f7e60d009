// The run's course: the logo, loading, the fade into the menu, then the main
// menu and play in turn until the
// program ends. The screen at the bottom of the stack: it only ever stands
// under the screen it pushed, and goes on when that one pops.
#pragma once
#include <string>

#include "render/MenuScreen.h"
#include "shell/Screen.h"
#include "storage/SaveFolder.h"

namespace bm {

struct PlaySide;

class RunScreen : public Screen {
 public:
  explicit RunScreen(PlaySide& play) : play_(play) {}
  const char* Name() const override { return "Run"; }
  Next Enter(Services& s) override;
  Next Pass(Services& s) override;
  Next Resume(Services& s, Answer answer) override;

 private:
  enum class Stage { Logo, Loading, Intro, Naming, Menu, Playing };
  // Loading is done: the run's course begins (the cheat code, the run-point log).
  void AfterLoading(Services& s);
  // The way to the main menu, through the name box when no player has a name yet.
  Next ToMenu(Services& s);
  // --level N: a new game on level N at once, for the current player (a
  // player under the default name on a fresh folder).
  Next LevelAtOnce(Services& s);
  // Play begins: a new game or the saved one.
  Next Play(Services& s, bool continueSaved);
  // Memory logged, "Application End." written, and the stack is empty.
  Next End(Services& s);
  PlaySide& play_;
  Stage stage_ = Stage::Logo;
  SaveData players_;  // the first player's record while the name box is open
  std::string name_;
  MainMenuView menuView_;
};

}  // namespace bm

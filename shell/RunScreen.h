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
struct Services;

class RunScreen : public Screen {
 public:
  // The run's course loads, saves and opens every other screen: it is handed all of it.
  RunScreen(PlaySide& play, Services& services) : play_(play), s_(services) {}
  const char* Name() const override { return "Run"; }
  Next Enter(Stage& s) override;
  Next Pass(Stage& s) override;
  Next Resume(Stage& s, Answer answer) override;

 private:
  enum class Leg { Logo, Loading, Intro, Naming, Menu, Playing };
  // Loading is done: the run's course begins (the cheat code, the run-point log).
  void AfterLoading();
  // The way to the main menu, through the name box when no player has a name yet.
  Next ToMenu();
  // --level N: a new game on level N at once, for the current player (a
  // player under the default name on a fresh folder).
  Next LevelAtOnce();
  // Play begins: a new game or the saved one.
  Next Play(bool continueSaved);
  // Memory logged, "Application End." written, and the stack is empty.
  Next End();
  PlaySide& play_;
  Services& s_;
  Leg leg_ = Leg::Logo;
  SaveData players_;  // the first player's record while the name box is open
  std::string name_;
  MainMenuView menuView_;
};

}  // namespace bm

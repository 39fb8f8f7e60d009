// The main menu: its items, the screens they open, the question before a saved
// game is continued, and the keyboard's way through the items.
#pragma once
#include <optional>

#include "board/ScreenMetrics.h"
#include "platform/Platform.h"
#include "render/Canvas.h"
#include "render/MenuScreen.h"
#include "shell/DialogScreen.h"
#include "shell/Screen.h"
#include "storage/SaveFolder.h"

namespace bm {

struct Services;

// Up/Down (or Tab, Left/Right) move a mark over the menu items; Enter or Space
// takes the marked item. The pointer takes over again as soon as it moves.
struct MenuKeys {
  int focus = -1;  // index into the key order, or -1 while the pointer leads
  PointD lastPointer{-1, -1};
  bool keysHeld[6] = {true, true, true, true, true, true};
  bool spaceHeld = true;
  // Updates the mark; returns the item to act on (0 for none). changed is set
  // when the mark moved.
  int Update(Input& in, bool& changed);
  int Marked() const;  // the marked menu item, 0 for none
};
// Draws the keyboard's mark under an item.
void DrawMenuMark(Canvas& c, const ScreenMetrics& m, int item);

// The order the keyboard walks the items in.
inline constexpr int kMenuKeyOrder[] = {1, 2, 8, 6, 4, 3};  // Play, Options, How To Play, High Scores, Change Player, Exit

// What the main menu pops with.
enum class MenuAnswer { Exit, NewGame, Continue };

// The main menu. It pops when a game is to be played (a new one, or the saved
// one continued when the player chooses so) or the program is ending.
class MainMenuScreen : public Screen {
 public:
  // view: the props' highlights, kept from one visit to the next. services:
  // the players and high scores read and written, the options changed and kept.
  MainMenuScreen(MainMenuView& view, Services& services) : view_(view), services_(services) {}
  const char* Name() const override { return "MainMenu"; }
  Next Enter(Stage& s) override;
  Next Pass(Stage& s) override;
  Next Resume(Stage& s, Answer answer) override;
  void DrawBehind(Stage& s) override;
  Answer Closing(Stage&) override { return MenuAnswer::Exit; }
  OnScreen Shows(const ScreenMetrics& m) const override;

 private:
  // The screen of a menu item (Options, How To Play, High Scores, Change Player); Stay for an item without one.
  Next OpenItem(int item);
  MainMenuView& view_;
  Services& services_;
  int choice_ = 0;  // the item under the pointer
  double lastMenuFrame_ = -1e9;
  bool animating_ = false;
  MenuKeys keys_;
  std::optional<Question> asking_;  // the question open over the menu, if any
  // The files are the truth: each item's screen reads them afresh and writes what it changed.
  SaveFolder folder_;
  SaveData data_;
};

}  // namespace bm

// The players screen: choose, create and delete players. It edits the table it
// is handed; saving is the caller's, through the callbacks (called whenever the
// table changed and must be kept).
//
// Keys: Up/Down (or Tab) walk the lines and buttons, Enter or Space acts, Delete
// (or D) on a player's line asks to delete that player, Escape closes.
#pragma once
#include <functional>
#include <string>

#include "render/RosterDraw.h"
#include "shell/ScreenKit.h"
#include "shell/Screen.h"
#include "storage/Players.h"

namespace bm {

// Choose, create and delete players. save runs after each change that must be
// kept and on "OK"; forgetBoard(slot) clears a deleted player's saved board.
class PlayersScreen : public Screen {
 public:
  PlayersScreen(PlayerTable& players, std::function<void()> save, std::function<void(int slot)> forgetBoard = {})
      : players_(players), save_(std::move(save)), forgetBoard_(std::move(forgetBoard)) {}
  const char* Name() const override { return "Players"; }
  Next Enter(Stage& s) override;
  Next Pass(Stage& s) override;
  OnScreen Shows(const ScreenMetrics& m) const override;
  Next Resume(Stage& s, Answer answer) override;
  void DrawBehind(Stage& s) override;
  Answer Closing(Stage& s) override { return HandBack(s); }

 private:
  // The rest of a pass that acted: fresh key edges, and the screen drawn again.
  Next Acted(Stage& s);
  void FreshKeys(Input& in);  // keys and the button already held are taken from their next press
  Next Draw(Stage& s, bool force);
  PlayerTable& players_;
  std::function<void()> save_;
  std::function<void(int)> forgetBoard_;
  KeyEdge up_, down_, tab_, enter_, space_, del_, dKey_, left_, right_;
  ClickEdge click_;
  std::string message_;
  int focusIndex_ = -1;  // over the listed players, then "Add", then "OK"
  bool onDeleteMark_ = false;  // Right moves the focus from a player's line to its delete mark
  RosterHit hover_{-1, -1}, focus_{-1, -1}, shownHover_{-1, -1}, shownFocus_{-1, -1};
  std::string shownMessage_;
  PointD pointer_, lastPointer_{-1, -1};
  int askedSlot_ = 0;  // the player a question or the name box is about
  std::string newName_;
};

}  // namespace bm

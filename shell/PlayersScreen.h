// The players screen, the name entry and the high-score table. They edit the
// tables they are handed; saving is the caller's, through the callbacks
// (called whenever a table changed and must be kept).
//
// Keys: Up/Down (or Tab) walk the lines and buttons, Enter or Space acts, Delete
// (or D) on a player's line asks to delete that player, Escape closes.
#pragma once
#include <functional>
#include <string>

#include "render/RosterDraw.h"
#include "shell/InputRouter.h"
#include "shell/ScreenKit.h"
#include "shell/Screen.h"
#include "storage/HighScores.h"
#include "storage/Players.h"

namespace bm {

// A left-button click taken once per press; a press held at entry waits for its release.
struct ClickEdge {
  bool latch = true;
  ClickEdge() = default;
  explicit ClickEdge(Input& in) : latch(in.ButtonDown(1)) {}
  bool Take(Services& s);
};

// The name box; pops with 1 and the name in *name when "OK" took a non-empty
// name, else 0. Escape acts as "CANCEL" only when escapeAllowed.
class NameBoxScreen : public Screen {
 public:
  NameBoxScreen(std::string* name, bool escapeAllowed) : name_(name), escapeAllowed_(escapeAllowed) {}
  const char* Name() const override { return "NameBox"; }
  Next Enter(Services& s) override;
  Next Pass(Services& s) override;
  int Closing(Services& s) override { return Leave(s, 0); }

 private:
  int Leave(Services& s, int answer);
  std::string* name_;
  bool escapeAllowed_;
  NameEntry box_;
  KeyEdge enter_;
  ClickEdge click_;
  std::string warning_, shownText_ = "\x01", shownWarning_;
  int shownHover_ = -1;
  BotFinger bot_;
};

// Choose, create and delete players. save runs after each change that must be
// kept and on "OK"; forgetBoard(slot) clears a deleted player's saved board.
class PlayersScreen : public Screen {
 public:
  PlayersScreen(PlayerTable& players, std::function<void()> save, std::function<void(int slot)> forgetBoard = {})
      : players_(players), save_(std::move(save)), forgetBoard_(std::move(forgetBoard)) {}
  const char* Name() const override { return "Players"; }
  Next Enter(Services& s) override;
  Next Pass(Services& s) override;
  Next Resume(Services& s, int answer) override;
  void DrawBehind(Services& s) override;
  int Closing(Services& s) override { return HandBack(s); }

 private:
  // The rest of a pass that acted: fresh key edges, and the screen drawn again.
  Next Acted(Services& s);
  void FreshKeys(Input& in);  // keys and the button already held are taken from their next press
  Next Draw(Services& s, bool force);
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
  BotFinger bot_;
  enum class Asking { Nothing, Delete, Name } asking_ = Asking::Nothing;
  int askedSlot_ = 0;
  std::string newName_;
};

// The table with "BACK" and "RESET" (which asks first). reset resets and saves
// the table; without it the table is reset in memory and save is called.
class HighScoresScreen : public Screen {
 public:
  HighScoresScreen(HighScoreTable& table, std::function<void()> save, std::function<void()> reset = {})
      : table_(table), save_(std::move(save)), reset_(std::move(reset)) {}
  const char* Name() const override { return "HighScores"; }
  Next Enter(Services& s) override;
  Next Pass(Services& s) override;
  Next Resume(Services& s, int answer) override;
  void DrawBehind(Services& s) override;
  int Closing(Services& s) override { return HandBack(s); }

 private:
  Next Draw(Services& s, bool force);
  HighScoreTable& table_;
  std::function<void()> save_, reset_;
  KeyEdge left_, right_, tab_, enter_, space_;
  ClickEdge click_;
  int focus_ = scores::Back, hover_ = 0, shownHover_ = -1, shownFocus_ = -1;
  BotFinger bot_;
};

}  // namespace bm

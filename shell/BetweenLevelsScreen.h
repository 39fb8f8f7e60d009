// The screen between two levels: the island map and the Pirate Shop, with a
// button to go on to the next level.
#pragma once
#include "shell/ScreenKit.h"
#include "shell/Screen.h"

namespace bm {

struct PlaySide;

enum class BetweenView { Map, Shop };

// Runs until the player continues (button or Escape); level is then the level
// to be played next (the cheat keys on the map may change it). Leaving, by any
// way, saves the shop's state and the map points.
class BetweenLevelsScreen : public Screen {
 public:
  BetweenLevelsScreen(PlaySide& play, int& level) : play_(play), level_(level) {}
  const char* Name() const override { return "BetweenLevels"; }
  Next Enter(Services& s) override;
  Next Pass(Services& s) override;
  Answer Closing(Services& s) override { return Leave(s); }
  OnScreen Shows(const ScreenMetrics& m) const override;

 private:
  Answer Leave(Services& s);
  void MapFrameStep(Services& s, double frameFactor, bool restartMarker);
  PlaySide& play_;
  int& level_;
  BetweenView view_ = BetweenView::Map;
  double last_ = 0;
  bool wasDown_ = false;
  bool pressSeen_ = false;          // a press that began on this screen
  bool releasedLastPass_ = true;    // entering counts as opening the map: the marker travels
  bool saved_ = false;
  // Keys: on the map Left/Right (or Tab) pick a button, Enter or Space presses
  // it ("Continue" at first); in the shop the focus walks the keys, stars,
  // items and buttons.
  KeyEdge kLeft_, kRight_, kUp_, kDown_, kTab_, kEnter_, kSpace_;
  int mapFocus_ = 0;
  bool mapKeyboard_ = true;  // the frame shows on "Continue" until the mouse moves
  PointD lastPointer_{-1, -1};
};

// The shop's state and the map points go to their files on the way out.
void SaveItemStatusOnLeaving(Services& s, PlaySide& play);

}  // namespace bm

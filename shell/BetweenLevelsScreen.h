// The screen between two levels: the island map and the Pirate Shop, with a
// button to go on to the next level.
#pragma once
#include "shell/ScreenKit.h"
#include "shell/Screen.h"

namespace bm {

struct PlaySide;
struct Saves;

enum class BetweenView { Map, Shop };

// Runs until the player continues (button or Escape); level is then the level
// to be played next (the cheat keys on the map may change it). Leaving, by any
// way, saves the shop's state and the map points.
class BetweenLevelsScreen : public Screen {
 public:
  // saves: the map points read, the shop's state written on the way out.
  BetweenLevelsScreen(PlaySide& play, int& level, Saves& saves) : play_(play), level_(level), saves_(saves) {}
  const char* Name() const override { return "BetweenLevels"; }
  Next Enter(Stage& s) override;
  Next Pass(Stage& s) override;
  Answer Closing(Stage& s) override { return Leave(s); }
  OnScreen Shows(const ScreenMetrics& m) const override;

 private:
  Answer Leave(Stage& s);
  void MapFrameStep(Stage& s, double frameFactor, bool restartMarker);
  PlaySide& play_;
  int& level_;
  Saves& saves_;
  BetweenView view_ = BetweenView::Map;
  double last_ = 0;
  bool wasDown_ = false;
  bool pressSeen_ = false;          // a press that began on this screen
  bool releasedLastPass_ = true;    // entering counts as opening the map: the marker travels
  bool saved_ = false;
  int passes_ = 0;  // the next level's background loads once the map is out
  // Keys: on the map Left/Right (or Tab) pick a button, Enter or Space presses
  // it ("Continue" at first); in the shop the focus walks the keys, stars,
  // items and buttons.
  KeyEdge kLeft_, kRight_, kUp_, kDown_, kTab_, kEnter_, kSpace_;
  int mapFocus_ = 0;
  bool mapKeyboard_ = true;  // the frame shows on "Continue" until the mouse moves
  PointD lastPointer_{-1, -1};
};

// The shop's state and the map points go to their files on the way out.
void SaveItemStatusOnLeaving(Saves& saves, PlaySide& play);

}  // namespace bm

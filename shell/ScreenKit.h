// Small pieces every screen shares: the minimised pause, key presses and
// clicks taken once, the menu sounds, handing back to the screen below.
#pragma once
#include <vector>

#include "board/ScreenMetrics.h"
#include "platform/Platform.h"
#include "shell/Screen.h"

namespace bm {

struct Stage;
struct SoundFx;

// A key taken once per press. A key already held when the screen opens (the
// press that opened it) is ignored until it is released.
struct KeyEdge {
  int key = 0;
  bool held = true;
  KeyEdge() = default;
  KeyEdge(int k, Input& in) : key(k), held(in.KeyDown(k)) {}
  bool Take(Input& in) {
    bool down = in.KeyDown(key);
    bool fresh = down && !held;
    held = down;
    return fresh;
  }
};

// A left-button click taken once per press; a press held at entry waits for its release.
struct ClickEdge {
  bool latch = true;
  ClickEdge() = default;
  explicit ClickEdge(Input& in) : latch(in.ButtonDown(1)) {}
  bool Take(Stage& s);
};

// Any of the keys pressed; each one is taken, so none fires later.
template <class... Edges>
bool TakeAny(Input& in, Edges&... keys) {
  return (int(keys.Take(in)) | ...) != 0;
}

// A click or a key (Escape, Enter, Space) ends a picture sequence (the logo,
// the fade into the menu); a press held when it began counts once it has been let go.
struct SkipPress {
  KeyEdge escape, enter, space;
  bool buttonHeld = true;
  void Arm(Input& in);  // as the sequence begins
  bool Take(Stage& s);
};

// The logo and the fade into the menu are for people at a window: headless
// runs and fast runs go straight on.
bool SequenceShown(Stage& s);

// The pointer moved by hand since last (which it then follows): the keyboard's
// mark gives way. Leaving or entering the window is no move.
bool PointerMoved(PointD& last, PointD now);

// The keyboard's focus moved over spots laid out on the screen: the spot that
// lies nearest in the arrow's direction (dx, dy of -1, 0 or 1), favouring spots
// straight ahead over ones off to the side. Stays put when none lies that way;
// from -1 (no focus yet) it goes to the first spot.
int FocusStep(const std::vector<PointD>& spots, int from, int dx, int dy);

// Minimised: pauses the music and returns true (the pass draws nothing).
// Otherwise resumes it and returns false.
bool ScreenMinimised(Stage& s);

// Plays "ev_menu_over" when the pointer comes onto an item from empty space and
// re-arms it over empty space.
void HoverSound(SoundFx& sfx, bool overItem);
// "ev_menu_click" for a button or item pressed.
void ClickSound(SoundFx& sfx);
// A screen hands back to the one below: the button still held from it does
// nothing there, and that screen is drawn afresh. Returns no answer.
Answer HandBack(Stage& s);

// A screen waiting for input: looked at again a second from now, or at the next event.
Next StayForInput(Stage& s);


struct LevelState;

// Pictures by need (render/AssetGroups.h): what the menu, a level and the map
// between levels hold. Each releases the pictures (and screen copies) of the
// places left and loads ahead what the place's first frames draw.
void UseMenuPictures(Stage& s);
void UseLevelPictures(Stage& s, const LevelState& level);  // before the board flies in
void UseMapPictures(Stage& s, int nextLevel);
// The next level's background while the map shows (once its first frame is out).
void LoadNextStagePicture(Stage& s, int nextLevel);

}  // namespace bm

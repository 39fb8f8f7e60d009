// The one loop of the game. A ScreenStack holds the screens, the top one
// active; each Step is one pass: pump messages once, poll the global keys, tick
// the music, clear SceneDirty, one pass of the top screen (and whatever it
// pushes or pops), present only when something was drawn, and note when the
// next pass is due. Pace waits for the next event or that time. The program's
// run steps the stack until it is empty; a browser's frame callback would call
// Step and schedule the next call at WakeAt.
//
// A screen pushed from a pass runs at once, within the same Step; the pass
// that pushed it ends (is presented and paced) only when it has popped and the
// Resume below says Stay. A screen covered from its Enter has no pass open: its
// first pass follows at once when the one over it pops.
//
// An input standing in front of the real one (Services::inputSource) is shown
// what the screen on top shows before each pass and at the end of each step,
// and the step's next pass comes no later than the time it asks for.
//
// Exit (F12, the close box, a stop signal, --max-seconds): no screen gets
// another pass. The top screen's Closing runs instead, its answer goes to the
// Resume of the screen below, and so on until the stack is empty; a screen
// pushed on the way is closed at once the same way.
#pragma once
#include <memory>
#include <vector>

#include "shell/Screen.h"
#include "shell/Services.h"

namespace bm {

class ScreenStack {
 public:
  explicit ScreenStack(Services& s) : s_(s) {}
  ~ScreenStack();
  // Pushes a screen from outside (start-up, tests); its first pass comes with the next Step.
  void Open(std::unique_ptr<Screen> screen);
  // One pass; false once the stack is empty.
  bool Step();
  // The clock time the next pass is due.
  double WakeAt() const { return wakeAt_; }
  // Waits for the next event or WakeAt.
  void Pace();
  bool Empty() const { return stack_.empty(); }
  // The screen on top, "" when none.
  const char* Top() const;

 private:
  struct Entry {
    std::unique_ptr<Screen> screen;
    bool passOpen = false;  // its pass ran and waits for a nested screen to end
    long visit = 0;         // numbered when it first shows on top (0: not yet)
  };
  enum class Then { Pace, PassNow, Empty };
  // Carries out what a screen said, through every push, pop and resume it leads to.
  Then Settle(Next n);
  // The pass's end: the cursor, and the frame presented when something was drawn; true then.
  bool EndPass();
  void Schedule(double wakeAt, bool drew);
  // What the screen on top shows.
  OnScreen Showing();

  Services& s_;
  std::vector<Entry> stack_;
  double wakeAt_ = 0;
};

// Steps the stack until it is empty, waiting between passes. Only the program's run calls it.
void RunLoop(ScreenStack& stack);

// Pumps the window once: handles the close request and the --max-seconds limit.
void PumpMessages(Services& s);

// A music slot is still fading in or out, or waiting to start.
bool MusicFading(const MusicMod& m);

// F12 and the cheat code word; run on every pass.
void PollKeys(Services& s);

// Where "Cheat Mode" is written: the top left corner, on the play screen under
// the panel, clear of its texts.
IRect CheatCaptionRect(const ScreenMetrics& m, bool playScreen);

// Cheat mode's debug panel: the run log's last lines over a dark band.
void DrawDebugPanel(Stage& s);

// End of a drawn frame: the cheat caption (and the debug panel) and the notice
// (diag/Notices.h) over it, then present.
void RenderScene(Stage& s, std::chrono::steady_clock::time_point processStart);

// The notice shown now in the language in use, for a status line beside the
// picture (the browser page's): true, with the text put in shown, when it is
// not the text shown held ("" when there is none).
bool TakeNoticeText(std::string& shown);

inline constexpr double kFrameIntervalMs = 1000.0 / 60.0;
// The program's own wait looks again after this at most (a page's loop sleeps until input instead).
inline constexpr double kLongestWaitMs = 100;

}  // namespace bm

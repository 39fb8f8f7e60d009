// The options screen: full screen or window, resolution, sound and music
// volumes and switches, the language. Volumes and the language act at once (the
// language is kept in "settings.ini" at once); display changes take effect on
// "OK" through ApplySettings (with a question when the mode changes).
//
// Keys: Up/Down pick a row, Left/Right change it (held, the volumes repeat),
// Enter or Space toggles full screen or a sound switch and presses "OK",
// Escape leaves without writing the display settings.
#pragma once
#include "render/OptionsDraw.h"
#include "shell/InputRouter.h"
#include "shell/ScreenKit.h"
#include "shell/Screen.h"

namespace bm {

struct Services;

class OptionsScreen : public Screen {
 public:
  // services: the settings changed, kept and applied to the window and the render device.
  explicit OptionsScreen(Services& services) : services_(services) {}
  const char* Name() const override { return "Options"; }
  Next Enter(Stage& s) override;
  Next Pass(Stage& s) override;
  OnScreen Shows(const ScreenMetrics& m) const override;
  Next Resume(Stage& s, Answer answer) override;
  void DrawBehind(Stage& s) override;
  Answer Closing(Stage& s) override { return Leave(s); }

 private:
  Answer Leave(Stage& s);
  // "OK": writes the settings; a change of the display mode asks first.
  Next Confirm(const OptionsView& shown);
  Services& services_;
  OptionRectTable rects_;
  bool heldAtEntry_ = false;
  bool soundDrag_ = false, musicDrag_ = false;
  MenuRepeatTimer tmrMenu_;    // the volume arrows held down
  MenuRepeatTimer keyRepeat_;  // Left/Right held on a volume row
  int keyRow_ = -1;            // index into the rows, -1 while the pointer leads
  PointD lastPointer_{-1, -1};
  KeyEdge up_, down_, left_, right_, enter_, space_, tab_;
  OptionsView shown_;
  bool drawnOnce_ = false;
};

}  // namespace bm

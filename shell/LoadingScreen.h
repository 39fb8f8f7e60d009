// The logo with the loading bar under it, shown first at start-up while the
// slow part of loading runs one step per pass.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "shell/Screen.h"
#include "storage/ProgressBar.h"

namespace bm {

class LoadingScreen : public Screen {
 public:
  const char* Name() const override { return "Loading"; }
  // The bar's length from "pbar.val", and the logo on screen at once.
  Next Enter(Services& s) override;
  // One step (the music, the sounds, each menu picture); the bar moves (drawn at most every 30 ms).
  Next Pass(Services& s) override;
  // The rest is skipped and "pbar.val" is not written.
  Answer Closing(Services& s) override;
  OnScreen Shows(const ScreenMetrics&) const override { return {ScreenKind::Loading}; }

 private:
  void End(Services& s, bool stopped);
  std::vector<std::function<void()>> steps_;
  std::size_t next_ = 0;
  LoadProgress progress_;
  double lastDrawMs_ = -1e9;
};

// The logo and the bar at this fraction (0..1).
void DrawLoadingFrame(Services& s, double fraction);

// Pictures the menu needs at once, loaded during the pass instead of on the first menu frame.
std::vector<std::string> MenuPictures();

}  // namespace bm

// The logo with the loading bar under it, shown first at start-up while the
// slow part of loading runs one step per pass.
#pragma once
#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "shell/Options.h"
#include "shell/Screen.h"
#include "storage/ProgressBar.h"

namespace bm {

class LoadingScreen : public Screen {
 public:
  // The bar's length is kept in the data folder; the time since the program
  // started is logged once loading is done.
  explicit LoadingScreen(const RunOptions& options) : dataDir_(options.dataDir), processStart_(options.processStart) {}
  const char* Name() const override { return "Loading"; }
  // The bar's length from "pbar.val", and the logo on screen at once.
  Next Enter(Stage& s) override;
  // One step (the music, the sounds, each menu picture); the bar moves (drawn at most every 30 ms).
  Next Pass(Stage& s) override;
  // The rest is skipped and "pbar.val" is not written.
  Answer Closing(Stage& s) override;
  OnScreen Shows(const ScreenMetrics&) const override { return {ScreenKind::Loading}; }

 private:
  void End(Stage& s, bool stopped);
  std::string dataDir_;
  std::chrono::steady_clock::time_point processStart_;
  std::vector<std::function<void()>> steps_;
  std::size_t next_ = 0;
  LoadProgress progress_;
  double lastDrawMs_ = -1e9;
};

// The loading picture with its empty trough, and the same with the trough filled.
inline constexpr const char* kLoadingPicture = "red/logo/gamelogo0.jpg";
inline constexpr const char* kLoadingPictureFilled = "red/logo/gamelogo1.jpg";

// The logo and the bar at this fraction (0..1).
void DrawLoadingFrame(Stage& s, double fraction);

// Pictures the menu needs at once, loaded during the pass instead of on the first menu frame.
std::vector<std::string> MenuPictures();

}  // namespace bm

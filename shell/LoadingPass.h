// The logo with the loading bar under it, shown first at start-up while the
// slow part of loading runs step by step.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "storage/ProgressBar.h"

namespace bm {

struct Game;

struct LoadingPass {
  LoadProgress progress;
  double lastDrawMs = -1e9;
  bool stopped = false;  // the program is ending: the rest is skipped, "pbar.val" not written
};

// The logo and the bar at this fraction (0..1), presented at once.
void DrawLoadingFrame(Game& g, double fraction);

// Starts the pass: the bar's length from "pbar.val", and the logo on screen.
void BeginLoading(Game& g, LoadingPass& pass);
// One step done: the bar moves (drawn at most every 30 ms) and window messages
// run, so a close request stops the pass after the current step.
void LoadingStep(Game& g, LoadingPass& pass);
// Runs each step unless the pass was stopped; then keeps the count for the next run.
void RunLoadingSteps(Game& g, LoadingPass& pass, const std::vector<std::function<void()>>& steps);
void EndLoading(Game& g, LoadingPass& pass);

// Pictures the menu needs at once, loaded during the pass instead of on the first menu frame.
std::vector<std::string> MenuPictures();

}  // namespace bm

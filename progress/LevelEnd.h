// The two ways a level ends on the board: the level-end flip of a won level, and
// the "TIME IS UP" / "GAME OVER" caption when the hourglass runs out.
#pragma once
#include <cstdint>
#include <string>

namespace bm {

// The board flips away in 18 steps of 30 ms once every tile is gold.
inline constexpr int kFlipSteps = 18;
inline constexpr double kFlipStepMs = 30;

struct LevelEndFlip {
  bool running = false;
  int step = 1;   // 1..18
  int scale = 1;  // 1..18, the board's flip drawing
  double lastStep = 0;
};

enum class FlipEnd {
  None,
  Forward,  // ran past step 18: the tip may be offered first
  Back,     // ran below step 1 (a tip closed): straight to the outcome
};

void StartFlip(LevelEndFlip& f, double now);
// Moves the flip by k steps (1 from the board frame, -1 when a tip closes).
FlipEnd FlipStep(LevelEndFlip& f, int k, double now);
// Stopped and back at its start, for the next level.
void ResetFlip(LevelEndFlip& f);

// The caption that rises over the board when the time is up.
struct TimeUpOverlay {
  double t = 0;           // 0..2: rises from the bottom edge to the top
  bool gameOver = false;  // "GAME OVER" instead of "TIME IS UP"
};

enum class TimeUpEnd {
  None,
  Restart,        // a life is spent: the same level again
  GameOverShown,  // no life left: "GAME OVER" rises next
  GameOver,       // "GAME OVER" has risen: the game ends
};

struct TimeUpStep {
  TimeUpEnd end = TimeUpEnd::None;
  const char* cue = nullptr;  // sound to play with this step, if any
};

// One frame of the caption; lives are spent here. With three lives a game takes
// four time-ups: the one at zero lives is the last.
TimeUpStep StepTimeUp(TimeUpOverlay& o, int& lives, double frameFactor);

struct OverlayCaption {
  std::string text;
  double cx = 0, cy = 0;  // design pixels
  double scale = 1;
  std::uint32_t color = 0, shadow = 0;  // ARGB
  int alpha = 0;
};
OverlayCaption CaptionOf(const TimeUpOverlay& o);

}  // namespace bm

#include "progress/LevelEnd.h"

#include <cmath>
#include <numbers>
#include "lang/Tr.h"

namespace bm {

void StartFlip(LevelEndFlip& f, double now) {
  f.running = true;
  f.lastStep = now;
}

FlipEnd FlipStep(LevelEndFlip& f, int k, double now) {
  f.lastStep = now;
  f.step += k;
  FlipEnd end = FlipEnd::None;
  if (f.step > kFlipSteps) {
    f.step -= kFlipSteps;
    f.running = false;
    end = FlipEnd::Forward;
  } else if (f.step < 1) {
    f.step += kFlipSteps;
    f.running = false;
    end = FlipEnd::Back;
  }
  f.scale = int(std::floor(17 * std::sin((f.step - 1) * 10 * std::numbers::pi / 180))) + 1;
  return end;
}

void ResetFlip(LevelEndFlip& f) { f = LevelEndFlip{}; }

TimeUpStep StepTimeUp(TimeUpOverlay& o, int& lives, double frameFactor) {
  TimeUpStep r;
  if (lives <= 0) lives = 0;
  if (o.t == 0) r.cue = o.gameOver ? "complete_gameover" : "complete_timeisup";
  o.t += (std::sin(o.t * 1.7 * std::numbers::pi) + 1.05) * 0.05 * frameFactor;
  if (o.t <= 2) return r;
  o.t = 0;
  if (o.gameOver) {
    o.gameOver = false;
    r.end = TimeUpEnd::GameOver;
    return r;
  }
  --lives;
  if (lives < 0) {
    lives = 0;
    o.gameOver = true;
    r.end = TimeUpEnd::GameOverShown;
  } else {
    r.end = TimeUpEnd::Restart;
  }
  return r;
}

OverlayCaption CaptionOf(const TimeUpOverlay& o) {
  OverlayCaption c;
  c.text = o.gameOver ?
                        // TRANSLATORS: Playing a level: caption rising over the board, shrinks to fit 600 px. Room:
                        // up to about 30% longer than the English (it is set smaller to fit, down to three quarters
                        // of its size).
                        TrNoop("GAME OVER") :
                        // TRANSLATORS: Playing a level: caption rising over the board (render/LevelEndDraw.cpp),
                        // shrinks to fit 600 px. The hourglass ran out: a life is lost. Keep it short and loud, in
                        // capitals. Room: up to about 45% longer than the English (it is set smaller to fit, down to
                        // three quarters of its size).
                        TrNoop("TIME IS UP");
  c.scale = o.gameOver ? 3.0 : 2.0;
  c.cx = 544;
  c.cy = 1024 - 512 * o.t;
  // Fades in over the first half of the rise and out over the second.
  int a = int(std::nearbyint(o.t * 255));
  if (a > 255) a = 512 - a;
  if (a > 255) a = 255;
  if (a < 0) a = 0;
  c.alpha = a;
  std::uint32_t alpha = std::uint32_t(a) << 24;
  c.color = alpha | (o.gameOver ? 0xFF0000u : 0xA08040u);
  c.shadow = alpha;
  return c;
}

}  // namespace bm

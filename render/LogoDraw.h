// The logo sequence at start-up and the fade from the loading picture into the
// main menu: their pictures at each step.
#pragma once
#include "render/Canvas.h"
#include "render/Font.h"

namespace bm {

// The logo advances 0.005 a step of 15 ms from 1.5, and ends past 4.5.
inline constexpr double kLogoStart = 1.5, kLogoEnd = 4.5, kLogoStep = 0.005, kLogoStepMs = 15;
// The cue plays once the logo passes this point.
inline constexpr double kLogoCueAt = 2;
// The intro fade advances 0.02 a step of 15 ms, and ends past 1.
inline constexpr double kIntroStep = 0.02;

// The three layers in turn: the first fades in, the second rises and falls
// over it, the third fades in, stands, and fades out.
void DrawLogo(Canvas& c, Font& font, double p);

// The menu picture faded in over what slot holds (the loading picture), at progress 0..1.
void DrawIntroFade(Canvas& c, int slot, double progress);

}  // namespace bm

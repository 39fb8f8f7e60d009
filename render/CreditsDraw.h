// The congratulations screen after the last level: the greeting scrolls up, the
// credits follow, pause, and "Thank You" comes to rest in the middle.
#pragma once
#include "render/Font.h"

namespace bm {

inline constexpr double kCreditsStart = -20;
inline constexpr double kCreditsEnd = 280;

// The greeting's offset and the credit lines' offset (in percent of the screen
// height) at scroll value s; the credits hold still for a while at 140.
struct CreditsOffsets {
  double greeting = 0, credits = 0;
};
CreditsOffsets CreditsOffsetsAt(double s);

void DrawCredits(Canvas& c, Font& font, double s);

}  // namespace bm

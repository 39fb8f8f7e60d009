// The caption that rises over the board when the time is up or the game is over.
#pragma once
#include "progress/LevelEnd.h"
#include "render/Font.h"

namespace bm {

void DrawTimeUpCaption(Canvas& c, Font& font, const OverlayCaption& caption);

}  // namespace bm

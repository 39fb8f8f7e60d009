// The keyboard in the Pirate Shop: a focus walks the keys found, the stars
// held, the ten items and the buttons below; Enter picks up and drops.
#pragma once
#include "progress/ShopRules.h"
#include "render/ShopDraw.h"
#include "shell/ShopView.h"

namespace bm {

struct Stage;

// One pass of keys: moves the focus, picks up or drops, and with Escape puts
// back what is carried (escapeTaken). Returns the bottom button pressed, -1 for none.
int ShopKeysStep(Stage& s, ShopMemory& mem, ShopSlot& slot, const ScreenKeys& keys, bool& escapeTaken);
// The frame around the focused key, star or item, in design pixels.
void ShopFocusRect(const ShopSlot& s, const ShopMemory& mem, ShopPicture& pic);
// A key or star is in the hand.
bool HandCarries(const ShopSlot& s);
// The keys take over with the focus on the first thing there is.
void FocusFirstSpot(const ScreenMetrics& m, ShopMemory& mem, const ShopSlot& slot);

}  // namespace bm

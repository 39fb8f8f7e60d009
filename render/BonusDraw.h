// Draws what the bonuses keep: the flying flames and shots, the reward popups
// and the five stock buttons of the panel with their counts. Nothing drawn here
// feeds back into the rules.
#pragma once
#include "board/BoardPlayer.h"
#include "board/BoardState.h"
#include "bonus/BonusState.h"

namespace bm {

class Canvas;
class Font;

// Every active effect object, in screen pixels.
void DrawEffects(Canvas& canvas, const BonusState& b);

// Every active popup: its text, or the item picture of a bonus without text
// (a button bonus flies to its button this way).
void DrawPopups(Canvas& canvas, Font& font, const BonusState& b);

// The panel's bonus buttons: normal, under the pointer, pressed or armed, or
// empty when there is no stock; the count of each stock under its button.
struct StockButtonsView {
  double pointerX = -1, pointerY = -1;
  bool leftDown = false;
};
void DrawStockButtons(Canvas& canvas, Font& font, const BoardPlayer& player, const BoardState& st,
                      const BonusState& b, const StockButtonsView& view);

}  // namespace bm

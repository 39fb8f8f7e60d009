// The five bonus buttons of the play panel: show-free (no stock), parrot,
// shuffle, hook (the anchor) and sun. Each press is a plain function the play
// screen, the bot and the tests call alike; the buttons' look is the panel's.
#pragma once
#include <optional>

#include "board/BoardContext.h"
#include "board/ScreenMetrics.h"
#include "bonus/BonusState.h"

namespace bm {

// Panel slot 1..7 of each button, from the top of the right-hand column.
int PanelSlotOf(StockButton b);
// Top-left corner of panel slot k in back-buffer pixels.
void PanelAnchor(const ScreenMetrics& m, int slot, double& x, double& y);
// Where the button's picture is drawn (top-left, scale 0.35) and its face (the
// picture without a 32-pixel margin), where the count sits and tips point.
void StockButtonPos(const ScreenMetrics& m, StockButton b, double& x, double& y);
IRect StockButtonRect(const ScreenMetrics& m, StockButton b);
// Where a press reaches the button: the panel's column shared out between the
// five, each reaching halfway to its neighbours (the end ones as far outwards),
// 108 units wide. Larger than the face, so that a fingertip finds it on a phone.
IRect StockButtonHitRect(const ScreenMetrics& m, StockButton b);
void StockButtonCentre(const ScreenMetrics& m, StockButton b, double& x, double& y);
// The button under a point; None when there is none.
StockButton StockButtonAt(const ScreenMetrics& m, double x, double y);
// Where a tip about the button is shown (the tip position codes of the board events).
int TipPlaceOfButton(StockButton b);

// The player's count of the button's bonus; -1 for the show-free button (no stock).
int StockCount(const BoardPlayer& p, StockButton b);
// Where the player keeps that count; null for the show-free button.
int BoardPlayer::*StockField(StockButton b);
// Whether a press would act now.
bool StockButtonReady(const BoardCtx& c, StockButton b);

// Presses a button: uses one of its bonus and acts, or does nothing when it
// cannot. Returns whether it acted.
bool PressStockButton(BoardCtx& c, StockButton b);

// One frame of the show-free flash.
void ShowFreeStep(BonusState& b, double ff);
// The tint of the tiles not gold yet while the flash runs.
std::optional<std::uint32_t> ShowFreeTint(const BonusState& b);

}  // namespace bm

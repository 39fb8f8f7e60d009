// What an item gives when it is collected or triggered on the board, and the
// floating popups that show it. Lives, keys and stars are credited at once;
// a chest's points and a clock's time when its popup ends; a button bonus when
// its popup reaches its button on the panel.
#pragma once
#include <string>

#include "board/BoardContext.h"
#include "bonus/BonusState.h"

namespace bm {

// An item was collected or triggered at a cell; nothing for a code that is
// neither a bonus item nor a key.
void ShowItemReward(BoardCtx& c, int code, int cell);

// Advances every popup; a popup that ends pays what its text says, or credits
// its button bonus.
void RewardPopupsStep(BoardCtx& c);

// A level ends with popups still flying: their points and stock bonuses are
// paid now (the time they carry belonged to the board that is gone).
void PayPendingPopups(BoardCtx& c);

// A popup's text as the player reads it, in the language in use (the popup
// keeps the English, which decides the reward).
std::string ShownPopupText(const std::string& text);
// Seconds added to the hourglass: the glass keeps its sand and grows.
void AddTime(LevelState& level, double seconds);

}  // namespace bm

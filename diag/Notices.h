// What the player must be told on screen, in plain words: a save that failed,
// a file the game cannot read and so will not save over. Any code may raise a
// notice (no drawing here); the running loop shows the current one over
// whatever screen is up (the desktop draws it, the browser page shows the same
// text in its status line), one at a time, each for kNoticeShownMs.
//
// A notice is kept as its wording (diag/Wording.h) and put into the player's
// language where it is shown (lang/Tr.h's Tr), so it follows a language
// changed while it shows.
//
// Process-wide, like the run log's crash line: the saves raise them wherever
// they are, and the one loop shows them.
#pragma once
#include <string>

#include "diag/Wording.h"

namespace bm {

inline constexpr double kNoticeShownMs = 12000;

// Queues text unless a notice with the same key (the path or folder it is
// about) was raised before in this process: each trouble is told once.
void RaiseNotice(const std::string& key, const Wording& text);

// The notice to show now (empty when none), after moving on from one shown for
// kNoticeShownMs of the clock nowMs. True in changed when the text to show is
// not the one the last call gave (the screen must be drawn again).
Wording CurrentNotice(double nowMs, bool* changed = nullptr);
// The text the last CurrentNotice gave, without moving on (the browser page's
// status line reads this).
Wording ShownNotice();

// Forgets every notice and key (tests).
void ClearNotices();

}  // namespace bm

// The players screen, the name entry box and the high-score table. The tables
// come in as plain records; shell/PlayersScreen.h, shell/NameBoxScreen.h and
// shell/HighScoresScreen.h run the screens.
#pragma once
#include <string>

#include "board/ScreenMetrics.h"
#include "render/Canvas.h"
#include "render/Font.h"
#include "storage/HighScores.h"
#include "storage/Players.h"

namespace bm {

// Players screen hit areas. Slots 1..10 each have a line and a delete mark.
namespace roster {
inline constexpr int None = 0, Line = 1, Delete = 2, Add = 3, Ok = 4;
}
struct RosterHit {
  int kind = roster::None;
  int slot = 0;  // for Line and Delete
  bool operator==(const RosterHit&) const = default;
};
IRect RosterLineRect(const ScreenMetrics& m, int row);
IRect RosterDeleteRect(const ScreenMetrics& m, int row);
IRect RosterButtonRect(const ScreenMetrics& m, int kind);
// The used slots in the order they are listed.
std::vector<int> ListedPlayers(const PlayerTable& t);
RosterHit RosterHitAt(const ScreenMetrics& m, const PlayerTable& t, double x, double y);

// hover: under the pointer; focus: the keyboard's pick; message: the no-room text or empty.
void DrawPlayersScreen(Canvas& c, Font& font, const PlayerTable& t, const RosterHit& hover, const RosterHit& focus,
                       const std::string& message, PointD pointer);

// The name box: the typed text with "_" after it, "OK" and "CANCEL", and a warning line.
namespace namebox {
inline constexpr int Ok = 1, Cancel = 2;
}
IRect NameBoxButtonRect(const ScreenMetrics& m, int button);
void DrawNameBox(Canvas& c, Font& font, const std::string& text, int hover, const std::string& warning);

// High scores: "BACK" and "RESET".
namespace scores {
inline constexpr int Back = 1, Reset = 2;
}
IRect HighScoreButtonRect(const ScreenMetrics& m, int button);
void DrawHighScores(Canvas& c, Font& font, const HighScoreTable& t, int hover, int focus);

}  // namespace bm

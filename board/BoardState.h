// Board-wide state: input latches, the running swap, scoring, the settle flags,
// the move count with its hint and no-moves sequence, and the event queue.
// One instance per game; the cells themselves live in Cells.
#pragma once
#include <array>
#include <string>

#include "board/BoardEvents.h"
#include "board/Cell.h"
#include "board/LineRule.h"

namespace bm {

inline constexpr int kMoveListSize = 301;  // entries 1..300; entry 0 unused

// The steps of a swap, numbered as the swap rules have always numbered them.
enum class SwapPhase : int {
  Idle = 0,
  Start = 1,        // sound, front flags, start positions
  Lift = 2,         // B rises
  Exchange = 3,     // the pair slides (or, with rum, turns) into place; lines are marked
  SetDown = 4,      // B comes down, then Finish
  Finish = 5,       // bonus triggering, scoring, refill
  SetDownBack = 6,  // no line: B comes down, then SwapBack
  SwapBack = 7,     // the same two cells are exchanged again
};

struct SwapGeometry {
  double startAX = 0, startAY = 0, startBX = 0, startBY = 0;
  double midX = 0, midY = 0;
  double halfDist = 0;  // r: from the midpoint to either cell
  double radius = 0;    // current radius of the straight exchange
  double angle = 0;     // current angle of the rum turn, radians
  double startAngle = 0;
  double angleSpeed = 0;  // radians per frame
};

struct BoardState {
  // Pointer and selection.
  int HoveredCell = kNoCell;
  int SelectedCell = kNoSelection;
  int PressedCell = -1;  // cell under the pointer when the left button went down; -1 = no drag
  double PressX = 0, PressY = 0;  // where the pointer was then (back-buffer pixels)
  bool LeftHeld = false, RightHeld = false;

  // The running swap.
  SwapPhase SwapState = SwapPhase::Idle;
  int SwapA = 0, SwapB = 0;
  bool IsReturnSwap = false;
  bool AnchorArmed = false;
  bool AnchorSwap = false;
  bool SunArmed = false;
  SwapGeometry Swap;
  int SavedGemA = 0, SavedGemB = 0;

  // Scoring of the last line search.
  double MatchLines = 0;
  double GoldSum = 0;
  double Combo = 0;
  int Score = 0;

  // Settle flags, set by the board frame (board/BoardPhase.h reads them).
  bool BoardIdle = true;
  bool NoFall = true;
  bool PrevNoFall = true;
  bool AllGold = false;
  bool LevelComplete = false;
  bool BoardGrowIn = false;
  bool TimeUpFlag = false;  // set every frame while the hourglass is empty; the time-up overlay clears it

  // Move count, hints, parrot.
  std::array<int, kMoveListSize> MoveFrom{};
  std::array<int, kMoveListSize> MoveTo{};
  int ScanCursor = 0;  // cells examined in the running scan; 0 = a new scan begins
  int ScanCount = 0;   // list entries found so far in the running scan
  // The lines already on the board while a scan runs on a board at rest.
  std::vector<LineRef> ScanLines;
  bool ScanLinesKnown = false;
  int MovesFound = 0;
  int MovesAvailable = -1;
  std::string MovesText = "--";
  bool MovesCounted = false;
  int LastCountTime = 0, LastHintTime = 0;
  int HintA = 0, HintB = 0;
  bool HintVisible = false;
  bool ParrotShowing = false;

  // "NO MORE MOVES" / "RESHUFFLING".
  bool NoMovesRunning = false;
  bool NoMovesPhase = false;  // false: "NO MORE MOVES", true: "RESHUFFLING"
  double CaptionProgress = 0;

  // Presentation state kept by the rules.
  double MarkerAngle = 0;       // selection marker, degrees
  double PointsTextTime = 0;    // clock of the last points-text step
  int TilesLeft = -1;           // tiles still to gild on a board at rest; -1 while busy

  BoardEvents Events;
};

}  // namespace bm

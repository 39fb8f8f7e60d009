// A game in progress: the one owner of everything a match is made of, and the
// one way to move it on (AdvanceFrame, one call per loop pass).
//
// The play loop, the bot runs, the tests and the benchmarks all build a Match
// and feed it MatchInput values; nothing else writes its state during play.
// Whatever the match wants from the world outside (sounds, tips, log lines,
// outcomes) is queued in `events`; the caller takes them with TakeEvents after
// each call and plays, shows or writes them in order.
//
// Growing it. Each sub-system keeps its state in a named sub-struct declared
// in its own folder and held here as a member, and its per-frame work in a
// free function called from AdvanceFrame (Match.cpp) at the marked place:
//   - bonus effects, popups and stocks: bonus/ (`BonusState bonus;`), stepped
//     from the board frame's bonus hooks;
//   - level flow (level-end flip, time-up overlay, the steps between levels):
//     its state in progress/ (`FlowState flow;`), its steps in
//     match/MatchFlow.h, run from AdvanceFrame and by the screens;
//   - saving and continuing a game: saves/ reads and writes a Match (cells,
//     level, board, session, clock) and never keeps a copy of its own.
// Everything that changes the game must come from the MatchInput or from the
// match's own rng, so that a recorded run replays exactly: drawing and sound
// never draw from `rng`, and no step reads the clock except through the input.
#pragma once
#include <cstdint>
#include <string>

#include "board/BoardContext.h"
#include "board/BoardPlayer.h"
#include "board/BoardState.h"
#include "board/Cell.h"
#include "board/Invariants.h"
#include "board/LevelState.h"
#include "board/Rng.h"
#include "board/ScreenMetrics.h"
#include "bonus/BonusState.h"
#include "bonus/EffectInvariants.h"
#include "match/KeyCursor.h"
#include "match/MatchFlow.h"
#include "match/MatchInput.h"
#include "progress/LevelFlow.h"
#include "storage/ItemStatus.h"

namespace bm {

// The player's values of the game in progress.
struct MatchSession {
  int CurrentLevel = 1;
  int Lives = 3;
  int Score = 0;
  int ShownScore = 0;  // counted up on the play screen
  bool Ended = false;  // game over or complete: the match takes no more frames
};

// The frame clock and the hourglass.
struct MatchClock {
  double lastFrameTime = 0;
  double frameFactor = 1;
  double lastSandTick = 0;  // not reset by a new level: the first tick comes at once
  double sandTickPeriod = 1000.0;
  bool sandEnabled = true;
  bool framesEnabled = true;
  bool quiet = false;  // nothing moved in the last pass: the loop may sleep
  bool ornaments = false;  // the hover shimmer or selection marker still moves
  double pointerX = -1, pointerY = -1;
  double lastPointerMs = -1e9;  // the pointer last moved or a button was down
  double startMs = -1;  // clock of the first pass; -1 before it
  double lastNow = 0;   // clock of the last pass
};

// The figures of a run's report.
struct MatchStats {
  long frames = 0;  // board frames run
  int levelsPlayed = 0;
  int levelsWon = 0;
  long moves = 0;
  long lines = 0;
  int longestCascade = 0;
  int reshuffles = 0;
  long invariantViolations = 0;
  // A whole game's course: lives spent at time-ups, games lost and finished,
  // the highest level started, and what the shop opened and raised.
  int livesLost = 0;
  int gameOvers = 0;
  int gamesCompleted = 0;
  int levelsReached = 0;
  int shopUnlocks = 0;
  int shopUpgrades = 0;
};

// Key latches of the cheat keys: one action per press.
struct CheatLatches {
  bool up = false, down = false, right = false;
};

class TapeWriter;

struct Match {
  explicit Match(std::uint64_t seed = 1, std::string levelsDir = {});

  Cells cells;  // large: keep a Match on the heap in long-lived owners
  LevelState level;
  BoardState board;
  BoardPlayer player;  // tips and bonus stocks of the current player
  MatchSession session;
  MatchClock clock;
  MatchStats stats;
  Rng rng;
  ScreenMetrics metrics = ScreenMetrics::For(1280, 1024);
  std::string levelsDir;  // where StartLevel reads the level files
  bool checkInvariants = kCheckBoardEveryFrame;
  InvariantChecker invariants;
  CheatLatches cheat;
  BoardEvents events;  // for the caller; TakeEvents empties it

  // Bonuses: effects, popups, chances, the rum; the shop state they read and
  // the player slot whose records are the current player's.
  BonusState bonus;
  bool bonusesOn = true;  // off: plain jewels only (board tests)
  ItemStatus items = NewGameItemStatus();
  int itemSlot = 1;
  EffectChecker effectChecker;
  bool stockLatch = false;  // the left button went down over a stock button
  KeyCursor keyCursor;      // the keyboard's hand on the board

  // With --record: NewGame, ResumeFrames and AdvanceFrame write their calls here.
  // A sub-system that adds an entry point records it here too (match/Tape.h).
  TapeWriter* tape = nullptr;
  FlowState flow;      // how the level ends and the next begins
};


// Nothing on the board moves: a frame would draw the same board. The hover
// shimmer and the turning selection marker are ornaments, judged apart.
bool BoardStill(const Match& m);
// A hovered or selected cell shows its ornament.
bool OrnamentsShown(const Match& m);

// The ornaments move for this long after the pointer rests, at this frame interval.
inline constexpr double kOrnamentLifeMs = 1500, kOrnamentFrameMs = 66;

// A new game from level n: three lives, no score; the level is started.
void NewGame(Match& m, int level, double now);
// Loads session.CurrentLevel from levelsDir (a broken file falls back to a
// plain board and says so in a log event), then BeginLevel.
void StartLevel(Match& m, double now);
// The cells are laid out: ready-made lines are re-rolled, the items grow in.
void BeginLevel(Match& m, double now);
// The loop was away (the window lost the focus): frames resume where they were.
void ResumeFrames(Match& m, double now);

// A board frame would run in a pass at this clock.
bool FrameDue(const Match& m, double now);

// One pass: a board frame when the clock has advanced, the hourglass tick, the
// cheat keys and the outcomes. Returns true when a board frame ran.
bool AdvanceFrame(Match& m, const MatchInput& in);

// When the match next needs a pass, 0 for at once (the board moves or the
// move count runs).
double MatchWakeAt(const Match& m, double now);

// The bonus side of the match's board frames (nothing while bonuses are off).
BonusRefs BonusRefsOf(Match& m);

// The events queued since the last call, in order.
BoardEvents TakeEvents(Match& m);

// A hash of every played cell's item, bubbles and tile (FNV-1a, 64 bits): two
// runs that end on the same board print the same hash.
std::uint64_t BoardHash(const Cells& cells);

}  // namespace bm

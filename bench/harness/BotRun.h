// The autoplay bot driving a match on the rules alone, without a window: the
// one drive loop of the tests, the benchmarks and the balance trials, and a
// whole level on a generated lattice board.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bot/Autoplay.h"
#include "match/Match.h"
#include "match/MatchInput.h"

namespace bm {

struct BotDrive {
  double frameMs = 16;  // the frame interval
  // Frames vary between half and one and a half of frameMs (seeded).
  bool jitter = false;
  std::uint64_t jitterSeed = 1;
  // A quiet board sleeps until its next due time, as the game's loop does
  // (at most 100 ms); the bot's own pause ends a sleep too.
  bool sleepWhenQuiet = false;
  double limitMs = 600000;  // game time after which the drive gives up
  // What the level flow asks for runs at once, without screens.
  bool followFlow = false;
  std::vector<MatchInput>* record = nullptr;  // every frame's input is appended here
  std::function<void()> beforeFrame;               // runs before each frame (to look at the match)
  std::function<bool(const BoardEvent&)> onEvent;  // each event after a frame; true ends the drive
};

// Plays the match from clock `start`, one pass a frame, with the bot's pointer
// as the input; returns the clock at the end.
double DriveBot(Match& m, Autoplay& bot, double start, const BotDrive& drive);

struct BotRunOptions {
  std::uint64_t seed = 1;
  double frameMs = 16;        // mean frame time; frames vary between half and one and a half of it
  double limitMs = 600000;    // give up after this much game time
  std::string holes;          // cells that do not exist, e.g. "0 5 110"
  std::string bubbles;        // "cell:count" pairs, e.g. "40:2 62:1"
  int kinds = 5;              // jewel kinds 1..kinds
  bool checkInvariants = true;
  AutoplayOptions bot;
  bool bonusesOn = true;
  bool unlockAll = false;     // every shop item open at its top grades: every bonus can appear
  std::vector<MatchInput>* record = nullptr;  // every frame's input is appended here
};

struct BotRunResult {
  bool won = false;
  double gameMs = 0;
  long frames = 0;
  int moves = 0;
  int missed = 0;
  int shuffles = 0;
  int score = 0;
  int violations = 0;
  std::uint64_t boardHash = 0;  // of the board the run ended on
  std::string report;  // the invariant report
  long bonusesSpawned = 0, bonusesUsed = 0;
  int effectsPeak = 0;
  int bonusActions = 0;  // the bot's own bonus swaps and button presses
};

BotRunResult RunBotOnLattice(const BotRunOptions& options);

// The match such a run starts from, at clock kLatticeStartMs: a replay of its
// recorded inputs on it repeats the run.
inline constexpr double kLatticeStartMs = 1000;
std::unique_ptr<Match> LatticeMatch(const BotRunOptions& options);

}  // namespace bm

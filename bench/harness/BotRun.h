// A whole level played by the autoplay bot on the rules alone, on a generated
// lattice board: for tests, benchmarks and quick checks without a window.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "bot/Autoplay.h"
#include "match/Match.h"
#include "match/MatchInput.h"

namespace bm {

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

// One level played as a player meets it in a whole game: the bot at a given
// pace, the hourglass running, the lives a player has (a time-up costs one and
// the level starts over), bonuses on and the shop state of a player who
// arrives there. The balance runs (bench/balance.cpp) and their short soak in
// the tests are made of these.
#pragma once
#include <cstdint>
#include <string>

namespace bm {

struct LevelTrialOptions {
  int level = 1;
  std::uint64_t seed = 1;
  std::string levelsDir;     // where the compiled levels are
  double thinkMs = 1500;     // the bot's pause on a board ready for a move
  int lives = 3;             // a time-up with none left ends the game
  bool bonusesOn = true;
  bool arrivalShop = true;   // else every item locked
  bool checkInvariants = false;
  double frameMs = 1000.0 / 60;  // the game's frame interval
  // The hourglass stands still: one attempt, played until it is won or this
  // much game time has passed; finishSeconds says how long it took.
  bool untimed = false;
  double untimedLimitS = 1800;
};

struct LevelTrialResult {
  bool won = false;
  int attempts = 0;            // levels started, the won one included
  double finishSeconds = -1;   // untimed: game seconds to the win; -1 when not won
  double firstShare = -1;      // hourglass used on a won first attempt (0..1); -1 otherwise
  double timeLimit = 0;        // the level's hourglass, seconds
  int cells = 0, bubbles = 0, kinds = 0;  // the level's board as loaded
  int plainAtTimeUp = 0;       // tiles still plain when the hourglass ran out, over all lost attempts
  int reshuffles = 0;          // "NO MORE MOVES" shuffles over all attempts
  long bonusesUsed = 0;        // bonus items, keys and stars collected or set off
  long bonusesSpawned = 0;
  int moves = 0;
  double gameMs = 0;
  long frames = 0;
  int violations = 0;
};

LevelTrialResult RunLevelTrial(const LevelTrialOptions& options);

}  // namespace bm

// A recorded match: the seed, then every call that moved the match, one a
// line of text. Playing the tape on a fresh match repeats the game exactly, so
// a player who meets a fault can send the file, and a failing tape can be cut
// down into a test.
//
//   brinemoor-tape 1
//   seed 12345 invariants 1
//   N <level> <now> <w> <h>                  NewGame on a screen of w x h
//   R <now>                                  ResumeFrames
//   F <now> <x> <y> <buttons> <keys> <w> <h> AdvanceFrame (buttons: 1 left, 2 right, 4 in client, 8 over game)
// The screens around the board hand the match their outcome (match/Carryover.h,
// match/MatchFlow.h):
//   P <now> <sun> <parrot> <shuffle> <rum> <anchor> <rumSwap> <tipsOn> <tipBits>   SetMatchPlayer
//   I <now> <slot> <22 key/lock flags> <22 indices> <22 star flags> <11 chance> <11 power>   SetShopState
//   C <now> <level> <score> <lives> <timeLeft> <timeTotal>   ContinueLevel
//   D <now> <board file bytes in hex>                        PutSavedBoard
//   L <now>            LeaveLevel (after the fly-out)
//   B <now> <level>    BetweenLevelsDone (the level chosen on the map)
//   S <now>            EnterLevel (the level start after the screens)
//   T <now>            FlipTipClosed
//   O <now>            EndLostGame
//   E <now>            EndFinishedGame
#pragma once
#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "board/BoardEvents.h"
#include "io/AtomicWrite.h"
#include "match/MatchInput.h"

namespace bm {

struct Match;

struct TapeStep {
  char kind = 'F';  // 'N', 'R', 'F' or one of the screens' kinds above
  int level = 0;    // for 'N'
  MatchInput in;    // all but 'F' use only in.now ('N' also the screen size)
  std::vector<double> values;  // the screens' kinds: the numbers after <now>
  std::string blob;            // 'D': the saved board's bytes
};

// How many numbers follow <now> on a line of this kind; -1 for a kind that is
// not one of the screens'.
int TapeValueCount(char kind);

struct Tape {
  std::uint64_t seed = 1;
  bool invariants = false;
  std::vector<TapeStep> steps;
};

// Writes a tape as the match is played: the entry points of the match append
// their own lines once Match::tape points here. The file appears under its
// name only when Close succeeds (io/AtomicWrite.h).
class TapeWriter {
 public:
  TapeWriter() = default;
  ~TapeWriter();
  TapeWriter(const TapeWriter&) = delete;
  TapeWriter& operator=(const TapeWriter&) = delete;

  bool Open(const std::string& path, std::uint64_t seed, bool invariants, std::string* error);
  void Write(const TapeStep& step);
  bool Close(std::string* error);

 private:
  AtomicFile file_;
};

// Reads a whole tape; false with a message on a missing, short or garbled file.
bool ReadTape(const std::string& path, Tape& tape, std::string* error);
// The same from text.
bool ParseTape(const std::string& text, Tape& tape, std::string* error);

// Writes the step to the match's tape when it has one.
void RecordStep(Match& m, const TapeStep& step);

// Plays the tape on m (built with the tape's seed and the level folder),
// handing each event the match queues to onEvent.
void PlayTape(Match& m, const Tape& tape, const std::function<void(const BoardEvent&)>& onEvent = {});

}  // namespace bm

// Checks that the board rules keep their promises, frame after frame. Checked
// every frame in tests, in debug builds and when the shell asks for a report;
// each broken promise is counted, and the first few are described.
#pragma once
#include <array>
#include <string>
#include <vector>

#include "board/BoardState.h"
#include "board/Cell.h"

namespace bm {

#ifdef NDEBUG
inline constexpr bool kCheckBoardEveryFrame = false;
#else
inline constexpr bool kCheckBoardEveryFrame = true;
#endif

enum class Invariant {
  ItemInHole,        // a cell that does not exist holds an item or bubbles
  BubbleCount,       // bubbles outside 0..8, or bubbles around no item
  GroundValue,       // Gnd other than 0 or 1
  RemovalState,      // Disappear outside its listed states
  FallLands,         // a fall that never arrives, or lands off its target
  CellRefilled,      // an existing cell left empty on a settled board
  ScoreMonotonic,    // the score went down within a level
  SwapKeepsCodes,    // a swap lost or duplicated one of its two items
  Effects,           // a flying effect hit a hole, never ended, or a slot count is off
  Count
};

const char* InvariantName(Invariant which);

class InvariantChecker {
 public:
  // Call after each GameFrame with the frame's clock.
  void Check(const Cells& cells, const BoardState& st, double now);
  // A new level starts: the score may restart and all tracking is dropped.
  void NewLevel();
  // A broken promise found by a checker outside the board (the effects').
  void Report(Invariant which, std::string message) { Fail(which, std::move(message)); }

  int Violations() const { return total_; }
  int Count(Invariant which) const { return counts_[std::size_t(which)]; }
  const std::vector<std::string>& Messages() const { return messages_; }
  long FramesChecked() const { return frames_; }
  // One line per invariant with its count, then the first messages.
  std::string Report() const;

 private:
  void Fail(Invariant which, std::string message);

  std::array<int, std::size_t(Invariant::Count)> counts_{};
  int total_ = 0;
  std::vector<std::string> messages_;
  long frames_ = 0;

  bool started_ = false;
  int lastScore_ = 0;
  std::array<double, kCellCount> fallStart_{};   // clock when the fall began; 0 = not falling
  std::array<int, kCellCount> fallFrames_{};
  std::array<bool, kCellCount> wasMoving_{};
  std::array<int, kCellCount> emptyFrames_{};
  int swapA_ = -1, swapB_ = -1;
  int swapCodeA_ = 0, swapCodeB_ = 0;
};

}  // namespace bm

// What the board asks of the world outside its rules: sounds, tips, log lines
// and the two level outcomes. The rules only queue them; the shell drains the
// queue once per frame and plays, shows or writes each in order.
#pragma once
#include <string>
#include <string_view>
#include <vector>

#include "board/BoardPlayer.h"

namespace bm {

enum class SfxMode {
  Play,     // restart the oldest instance when all are busy
  Once,     // play-once latch
  NoSteal,  // never interrupt a playing instance
  Rearm,    // clear the play-once latch, no sound
};

// Tip positions that are not a cell.
inline constexpr int kTipAtShowFreeButton = -2;

struct BoardEvent {
  enum class Kind { Sound, Tip, Log, LevelComplete, TimeUp };
  Kind kind = Kind::Sound;
  std::string text;  // cue name or log line
  SfxMode mode = SfxMode::Play;
  int tip = 0;   // tip number for Kind::Tip
  int cell = 0;  // where the tip points (a cell, or kTipAtShowFreeButton)
};

using BoardEvents = std::vector<BoardEvent>;

inline void QueueSfx(BoardEvents& q, std::string_view cue, SfxMode mode = SfxMode::Play) {
  q.push_back({BoardEvent::Kind::Sound, std::string(cue), mode, 0, 0});
}
inline void QueueLog(BoardEvents& q, std::string line) {
  q.push_back({BoardEvent::Kind::Log, std::move(line), SfxMode::Play, 0, 0});
}
// Shows tip n beside the cell, but only to a player with tips on who has not seen it.
inline void OfferTip(BoardEvents& q, const BoardPlayer& player, int n, int cell) {
  if (player.WantsTip(n)) q.push_back({BoardEvent::Kind::Tip, {}, SfxMode::Play, n, cell});
}
inline void QueueOutcome(BoardEvents& q, BoardEvent::Kind kind) { q.push_back({kind, {}, SfxMode::Play, 0, 0}); }

}  // namespace bm

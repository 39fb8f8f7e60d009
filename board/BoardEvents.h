// What a game in progress asks of the world outside its rules: sounds, tips,
// log lines and the outcomes. The rules only queue them; the shell drains the
// queue once per pass (TakeEvents) and plays, shows or writes each in order.
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
inline constexpr int kTipAtParrotButton = -3, kTipAtShuffleButton = -4, kTipAtHookButton = -5, kTipAtSunButton = -6;
inline constexpr int kTipAtMenuButton = -7;  // the play screen's MENU

struct BoardEvent {
  enum class Kind {
    Sound,
    Tip,
    Log,
    // The board's own notices; the match acts on them, a drainer may ignore them.
    LevelComplete,  // the last item of a gilded board shrank away
    TimeUp,         // every frame while the hourglass is empty
    // Outcomes the match decided; level is the level concerned.
    LevelStarted,  // a level was laid out and its items grow in
    LevelWon,
    LevelLost,     // time ran out and a life was spent; the level restarts
    GameOver,      // time ran out with no life left
    GameComplete,  // the last level was won
  };
  Kind kind = Kind::Sound;
  std::string text;  // cue name or log line
  SfxMode mode = SfxMode::Play;
  int tip = 0;   // tip number for Kind::Tip
  int cell = 0;  // where the tip points (a cell, or kTipAtShowFreeButton)
  int level = 0;          // for the outcomes
  std::string place = "MouseClick";  // run-log place of Kind::Log
  bool critical = false;             // Kind::Log: a broken promise, not a trace
};

using BoardEvents = std::vector<BoardEvent>;

inline void QueueSfx(BoardEvents& q, std::string_view cue, SfxMode mode = SfxMode::Play) {
  q.push_back({BoardEvent::Kind::Sound, std::string(cue), mode, 0, 0});
}
inline void QueueLog(BoardEvents& q, std::string line, std::string place = "MouseClick", bool critical = false) {
  BoardEvent e{BoardEvent::Kind::Log, std::move(line)};
  e.place = std::move(place);
  e.critical = critical;
  q.push_back(std::move(e));
}
// Shows tip n beside the cell, but only to a player with tips on who has not seen it.
inline void OfferTip(BoardEvents& q, const BoardPlayer& player, int n, int cell) {
  if (player.WantsTip(n)) q.push_back({BoardEvent::Kind::Tip, {}, SfxMode::Play, n, cell});
}
inline void QueueOutcome(BoardEvents& q, BoardEvent::Kind kind, int level = 0) {
  BoardEvent e{kind};
  e.level = level;
  q.push_back(std::move(e));
}

}  // namespace bm

// Saving the game in progress and continuing it: the current player's record,
// the players file, the board file "saves/dumpN.dat" and the item status.
//
// For the level flow:
//   if (HasSavedGame(data)) ask "Continue saved game|or start new one?";
//   Continue:  LoadSavedGame(folder, data, match, now)  (false: nothing to continue)
//   New Game:  StartNewGameRecords(folder, data, 1); NewGame(match, 1, now);
//              then CopyPlayerToMatch(data.players.CurrentRecord(), match.player)
//   At start-up, before anything reads the player's game: FinishNewGame(folder, data)
//   Leaving a level in progress (menu, Escape, window close, F12, shut-down):
//              SaveGame(folder, data, match)
//   Game over / game complete: EndGameRecords(folder, data, ...)
// Each is one save (storage/SaveFolder.h): its files all new or all old. None
// of them throws or stops the game: a failed save is logged, counted in
// folder.counters and told to the player, and the previous files stay.
#pragma once
#include <cstdint>

#include "board/BoardPlayer.h"
#include "storage/SaveFolder.h"

namespace bm {

struct Cells;
struct Match;

// The current player has a name and a game to continue.
bool HasSavedGame(const SaveData& data);

// The bonus stocks, the rum flag and the tips between the player's record and
// the board (stocks: golden sun, parrot, shuffle, rum seconds, anchor).
void CopyPlayerToMatch(const PlayerRecord& player, BoardPlayer& board);
void CopyMatchToPlayer(const BoardPlayer& board, PlayerRecord& player);

// True while the match holds a level that can be continued later.
bool LevelInProgress(const Match& m);

// Into the current player's record: GameScore, GameLives, GameLevel, MaxLevel
// (never lowered), TimeLeft, TimeTotal, stocks (an armed hook or sun counted
// in) and tips; then the players file, the board file and the item status as
// one save. Does nothing (returns false) when no level is in progress. True
// when the save was written.
bool SaveGame(SaveFolder& folder, SaveData& data, const Match& m);

// Continue: the saved level is loaded afresh, the progress restored from the
// player's record, the saved board put over it (a board file that is missing,
// damaged or of another layout is logged and the fresh board kept) and the item
// status reloaded. False, with the match untouched, when there is nothing to
// continue.
bool LoadSavedGame(SaveFolder& folder, SaveData& data, Match& m, double now);

// The board file of slot 1..10 into cells, when it is sound and fits the level
// the cells hold (a fall that cannot land is set down, logged); false (cells
// untouched, a log line, a damaged file kept aside) otherwise. Its empty cells
// are filled by the board's own fall from the top cells once play goes on.
bool LoadBoard(SaveFolder& folder, int slot, Cells& cells);
bool SaveBoard(SaveFolder& folder, int slot, const Cells& cells);
// A deleted player's board goes with them.
void ClearBoard(SaveFolder& folder, int slot);
// The board file of slot 1..10 written or removed by a save of several files.
void PutBoard(SaveSet& save, int slot, const Cells& cells);
void RemoveBoard(SaveSet& save, int slot);

// "New Game" on `level`, whole or not at all, in one save: the current
// player's record takes the new game (level and MaxLevel, three lives, a full
// hourglass, no score, stocks, rum flag or tips), the player's shop is reset,
// the old board removed and the abandoned game's score entered into the high
// scores. Closed at any moment, the next start continues the old game or the
// new one, never a mix of them. The caller then starts the level.
void StartNewGameRecords(SaveFolder& folder, SaveData& data, int level);
// A record marked with a new game begun but not finished (NewGamePending,
// left by a start of a new game written in several steps and cut short) is
// finished in one save: the shop reset, the old board removed, the old score
// entered unless it is there already. data holds the players, the item status
// and the map points, as loaded. Every start does this first.
void FinishNewGame(SaveFolder& folder, SaveData& data);

// Game over or game complete, in one save: with enterScore the score goes into
// the high scores under the player's name ("Player" without one, as for a new
// game); the game can no longer be continued (GameLevel and MaxLevel 0).
void EndGameRecords(SaveFolder& folder, SaveData& data, std::int64_t score, bool enterScore);

}  // namespace bm

// The game's writable files and how they are read and written: the players
// ("saves/players.dat" with "debug.dat"), the high scores ("saves/hs.dat"), the
// shop's item status ("saves/Items.dat", "saves/ItemsS.dat", "saves/ItemsB.dat")
// and the map points ("apo.dat").
//
// Reading: every file goes through the bounded reader. A missing file gives the
// defaults of a first run; a short, long or garbled one is logged, kept aside as
// "<name>.bad" (then ".bad.2" ...; so no save is ever destroyed by a later
// write) and replaced by
// defaults for that file alone; odd values in a sound file are repaired field by
// field and logged. Nothing here ever throws or stops the game.
//
// Writing: whole files, atomically (see AtomicWrite.h): at every instant each
// file is its old or its new version. A failed write (full disk, read-only
// folder) is logged and counted, the old file stays, and the game goes on.
//
//   SaveFolder folder{dataDir, gameDir, &logs};
//   SaveData data;
//   LoadPlayers(folder, data);            // at start-up and the main menu
//   LoadItemStatus(folder, data);         // before any save of the game or the shop
//   ... play ...
//   SavePlayers(folder, data);
//
// Callers that keep bonus chances rebuild them after LoadItemStatus,
// SaveItemStatus and ResetItemStatus (the shop state they read has changed).
#pragma once
#include <string>

#include "storage/HighScores.h"
#include "storage/ItemStatus.h"
#include "storage/Players.h"

namespace bm {

class Logs;

inline constexpr const char* kSavesFolder = "saves";
inline constexpr const char* kPlayersFile = "players.dat";
inline constexpr const char* kHighScoresFile = "hs.dat";
inline constexpr const char* kDebugFile = "debug.dat";
inline constexpr const char* kItemsFile = "Items.dat";
inline constexpr const char* kStarsFile = "ItemsS.dat";
inline constexpr const char* kGradesFile = "ItemsB.dat";
inline constexpr const char* kMapPointsFile = "apo.dat";

// What saving has cost so far, for the run's report.
struct SaveCounters {
  long games = 0;     // SaveGame runs that wrote every file
  long writes = 0;    // files written
  long failures = 0;  // files that could not be written (the old one kept)
};

struct SaveFolder {
  std::string dataDir;  // writable: "saves/" under it, "debug.dat" and "apo.dat" in it
  std::string gameDir;  // the program folder: the shipped "apo.dat"
  Logs* logs = nullptr;
  SaveCounters counters;

  std::string SavesPath(const std::string& name) const;  // dataDir/saves/name
  std::string DataPath(const std::string& name) const;   // dataDir/name
};

// Everything the files hold, as the game keeps it for the whole run.
struct SaveData {
  PlayerTable players = EmptyPlayers();
  DebugBlock debug{};
  HighScoreTable scores = EmptyHighScores();
  ItemStatus items = NewGameItemStatus();
  GradeRecord grades = NewGameGrades();  // working copy of the current player's grades
  MapPoints map;
};

// Creates "saves/" when missing and removes temporary files a killed writer left.
void PrepareSaveFolder(SaveFolder& folder);

// A garbled file is moved aside rather than overwritten by the next save: as
// "<path>.bad", then "<path>.bad.2" up to the cap. An earlier kept copy is never
// overwritten; past the cap the file stays where it is (logged).
inline constexpr int kKeptDamagedCopies = 5;
void KeepDamagedFile(SaveFolder& folder, const std::string& place, const std::string& path);

// Players and "debug.dat". LoadPlayers replaces data.players and data.debug
// whole (never half a table); the current player's name is never empty after
// it unless every slot is free.
void LoadPlayers(SaveFolder& folder, SaveData& data);
bool SavePlayers(SaveFolder& folder, const SaveData& data);

void LoadHighScores(SaveFolder& folder, SaveData& data);
bool SaveHighScores(SaveFolder& folder, const SaveData& data);
// The high-score screen's reset: the default table, saved.
bool ResetHighScores(SaveFolder& folder, SaveData& data);
// The game-over and new-game entry: loads the table, enters name and score,
// saves it. Returns the place taken (1..10) or 0.
int RecordHighScore(SaveFolder& folder, SaveData& data, const std::string& name, std::int64_t score);

// The three item files, then the working copy of the current player's grades.
void LoadItemStatus(SaveFolder& folder, SaveData& data);
// Writes "Items.dat", "ItemsS.dat", "ItemsB.dat" and "apo.dat" in this order;
// false when any of them failed (the others are still written).
bool SaveItemStatus(SaveFolder& folder, const SaveData& data);
// A new game's shop for the current player (other slots untouched), then saved.
bool ResetItemStatus(SaveFolder& folder, SaveData& data);

// "apo.dat" from the data folder, else the program folder's, else zeros.
void LoadMapPoints(SaveFolder& folder, SaveData& data);

}  // namespace bm

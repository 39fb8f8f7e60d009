// The game's writable files and how they are read and written: the players
// ("saves/players.dat" with "debug.dat"), the high scores ("saves/hs.dat"), the
// shop's item status ("saves/Items.dat", "saves/ItemsS.dat", "saves/ItemsB.dat")
// and the map points ("apo.dat").
//
// Reading: every file goes through the bounded reader. A missing file gives the
// defaults of a first run; a short, long or garbled one is logged, kept aside as
// "<name>.bad" (then ".bad.2" ...; so no save is ever destroyed by a later
// write) and replaced by defaults for that file alone. A file with a few odd
// values is repaired field by field, logged, kept aside as it was and written
// back repaired; one with more than kRepairLimit is not this game's and counts
// as garbled. A file that cannot be read at all (no permission, an I/O error,
// a folder or FIFO in its place) is logged, the player told (diag/Notices.h),
// and it is never written over: saves that would replace it fail. Nothing here
// ever throws or stops the game.
//
// Writing: one save is one generation (io/SaveSet.h): whatever a save writes
// together (the players and "debug.dat", the board, the item status, the map
// points, the high scores) is all new or all old after a kill or a full disk,
// and a file that is not the one the last whole save wrote is never paired with
// the others: it is kept aside and its defaults used. A failed save (full disk,
// read-only folder, a file that cannot be read) is logged, counted and told to
// the player; the last save stays, and the game goes on.
//
//   SaveFolder folder{dataDir, gameDir, &logs};
//   SettleSaves(folder);                  // at start-up: a save cut short is finished
//   SaveData data;
//   LoadPlayers(folder, data);            // at start-up and the main menu
//   LoadItemStatus(folder, data);         // before any save of the game or the shop
//   ... play ...
//   SavePlayers(folder, data);            // or, for several files as one save:
//   SaveSet save = NewSave(folder); PutPlayers(save, data); PutItemStatus(save, data);
//   CommitSave(folder, "SaveGame", save);
//
// Callers that keep bonus chances rebuild them after LoadItemStatus and
// SaveItemStatus (the shop state they read has changed).
#pragma once
#include <string>

#include "io/SafeRead.h"
#include "io/SaveSet.h"
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
// Which save wrote the files (io/SaveSet.h), in the saves folder.
inline constexpr const char* kGenerationFile = "generation.txt";
// More odd values than this in one file: it is not this game's, and is kept
// aside whole instead of repaired (at most this many repair lines a file).
inline constexpr std::size_t kRepairLimit = 32;

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
  std::string Base() const;                              // dataDir, "." when empty
};

// The name of a file of the saves folder as a save knows it ("saves/NAME").
std::string SavedName(const std::string& name);

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
// At start-up, before anything reads the files: a save cut short after it
// counted is finished, the litter of one cut short before is removed, and a
// file that belongs to no save the generation file knows is kept aside.
void SettleSaves(SaveFolder& folder);

// io/SafeRead.h's KeepDamagedFile, logged to the folder's run log.
void KeepDamagedFile(SaveFolder& folder, const std::string& place, const std::string& path);

// One save of several files: put them, then commit. CommitSave writes them all
// or none; counts, logs and tells the player ("what could not be saved") on failure.
SaveSet NewSave(const SaveFolder& folder);
void PutPlayers(SaveSet& save, const SaveData& data);     // "saves/players.dat" and "debug.dat"
void PutHighScores(SaveSet& save, const SaveData& data);  // "saves/hs.dat"
void PutItemStatus(SaveSet& save, const SaveData& data);  // the three item files and "apo.dat"
// sentence: the notice when it fails (marked for translation, its %s the reason); by default "Your game could not
// be saved: %s. The last save is kept."
bool CommitSave(SaveFolder& folder, const std::string& place, SaveSet& save, const char* sentence = nullptr);

// Players and "debug.dat". LoadPlayers replaces data.players and data.debug
// whole (never half a table); the current player's name is never empty after
// it unless every slot is free.
void LoadPlayers(SaveFolder& folder, SaveData& data);
bool SavePlayers(SaveFolder& folder, const SaveData& data);

void LoadHighScores(SaveFolder& folder, SaveData& data);
bool SaveHighScores(SaveFolder& folder, const SaveData& data);
// The high-score screen's reset: the default table, saved.
bool ResetHighScores(SaveFolder& folder, SaveData& data);

// The three item files, then the working copy of the current player's grades.
void LoadItemStatus(SaveFolder& folder, SaveData& data);
// Writes "Items.dat", "ItemsS.dat", "ItemsB.dat" and "apo.dat" as one save;
// false (nothing written) when any of them cannot be.
bool SaveItemStatus(SaveFolder& folder, const SaveData& data);

// "apo.dat" from the data folder, else the program folder's, else zeros. A
// file with a point off the map counts as damaged.
void LoadMapPoints(SaveFolder& folder, SaveData& data);

}  // namespace bm

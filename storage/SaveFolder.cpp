#include "storage/SaveFolder.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

#include "diag/Logs.h"
#include "io/AtomicWrite.h"
#include "io/SafeRead.h"

namespace bm {

namespace {

// Upper bounds of what a sound file can hold; a larger file is garbled.
constexpr std::size_t kPlayersMaxBytes = kPlayerSlots * (2 + 255 + 672);
constexpr std::size_t kHighScoresMaxBytes = kHighScoreEntries * (kEntryNameWidth + 2 + kScoreTextLimit);

void Log(SaveFolder& f, const std::string& place, const std::string& message) {
  if (f.logs) f.logs->WriteRunLog(place, message);
}

// "NAME.bad", then "NAME.bad.2" ...
std::string KeptName(const std::string& path, int n) {
  return path + ".bad" + (n == 1 ? std::string() : "." + std::to_string(n));
}

// Reads and decodes one file; nullopt after logging when the defaults must be used.
template <class T, class Decode>
std::optional<T> LoadFile(SaveFolder& f, const std::string& place, const std::string& path, std::size_t maxBytes,
                          Decode decode, const std::string& fallback, bool ours = true) {
  ReadResult r = ReadFileBounded(path, maxBytes);
  if (r.status == ReadStatus::Missing) {
    Log(f, place, "\"" + path + "\" is missing, " + fallback);
    return std::nullopt;
  }
  if (r.status == ReadStatus::Ok) {
    std::string why;
    if (std::optional<T> value = decode(r.bytes, &why)) return value;
    r.error = "\"" + path + "\" is damaged: " + why;
  }
  Log(f, place, r.error + "; " + fallback);
  // Only a file that holds the wrong bytes is moved; one that cannot be read
  // (or is no file at all) is left where it is.
  if (ours && (r.status == ReadStatus::Ok || r.status == ReadStatus::TooLarge)) KeepDamagedFile(f, place, path);
  return std::nullopt;
}

void LogRepairs(SaveFolder& f, const std::string& place, const std::string& path,
                const std::vector<std::string>& repairs) {
  for (const std::string& line : repairs) Log(f, place, "\"" + path + "\" repaired: " + line);
}

bool WriteFile(SaveFolder& f, const std::string& place, const std::string& path, const std::string& bytes) {
  std::string error;
  if (WriteFileAtomic(path, bytes, &error)) {
    ++f.counters.writes;
    return true;
  }
  ++f.counters.failures;
  Log(f, place, error + "; the previous file is kept");
  return false;
}

void RefreshGrades(SaveData& data) { data.grades = data.items.grades[std::size_t(data.players.Current())]; }

}  // namespace

std::string SaveFolder::SavesPath(const std::string& name) const {
  return (dataDir.empty() ? std::string(".") : dataDir) + "/" + kSavesFolder + "/" + name;
}

std::string SaveFolder::DataPath(const std::string& name) const {
  return (dataDir.empty() ? std::string(".") : dataDir) + "/" + name;
}

void KeepDamagedFile(SaveFolder& f, const std::string& place, const std::string& path) {
  for (int n = 1; n <= kKeptDamagedCopies; ++n) {
    const std::string kept = KeptName(path, n);
    struct stat st;
    if (::lstat(kept.c_str(), &st) == 0 || errno != ENOENT) continue;  // an earlier copy stays as it is
    if (std::rename(path.c_str(), kept.c_str()) == 0)
      Log(f, place, "the unreadable file is kept as \"" + kept + "\"");
    else
      Log(f, place, "cannot keep the unreadable file as \"" + kept + "\": " + std::strerror(errno));
    return;
  }
  Log(f, place, std::to_string(kKeptDamagedCopies) + " unreadable copies of \"" + path +
                    "\" are kept already; this one is not");
}

void PrepareSaveFolder(SaveFolder& f) {
  const std::string saves = f.DataPath(kSavesFolder);
  if (::mkdir(saves.c_str(), 0755) != 0 && errno != EEXIST)
    Log(f, "PrepareSaveFolder", "cannot create \"" + saves + "\": " + std::strerror(errno));
  if (int n = RemoveStaleTempFiles(saves); n > 0)
    Log(f, "PrepareSaveFolder", std::to_string(n) + " unfinished temporary files removed from \"" + saves + "\"");
  RemoveStaleTempFiles(f.DataPath(""));
}

void LoadPlayers(SaveFolder& f, SaveData& data) {
  constexpr const char* kPlace = "LoadPlayers";
  const std::string path = f.SavesPath(kPlayersFile);
  if (std::optional<PlayerTable> t =
          LoadFile<PlayerTable>(f, kPlace, path, kPlayersMaxBytes, DecodePlayers, "no players yet")) {
    LogRepairs(f, kPlace, path, SanitizePlayers(*t));
    data.players = std::move(*t);
  } else {
    data.players = EmptyPlayers();
  }
  // The block travels with the players file but is its own file.
  const std::string debugPath = f.DataPath(kDebugFile);
  if (std::optional<DebugBlock> b =
          LoadFile<DebugBlock>(f, "LoadDebugBlock", debugPath, kDebugBlockSize, DecodeDebugBlock, "zeros used"))
    data.debug = *b;
  else
    data.debug = DebugBlock{};
}

bool SavePlayers(SaveFolder& f, const SaveData& data) {
  bool ok = WriteFile(f, "SavePlayers", f.SavesPath(kPlayersFile), EncodePlayers(data.players));
  ok = WriteFile(f, "SaveDebugBlock", f.DataPath(kDebugFile), EncodeDebugBlock(data.debug)) && ok;
  return ok;
}

void LoadHighScores(SaveFolder& f, SaveData& data) {
  constexpr const char* kPlace = "LoadHighScores";
  const std::string path = f.SavesPath(kHighScoresFile);
  if (std::optional<HighScoreTable> t = LoadFile<HighScoreTable>(f, kPlace, path, kHighScoresMaxBytes,
                                                                 DecodeHighScores, "an empty table used")) {
    LogRepairs(f, kPlace, path, SanitizeHighScores(*t));
    data.scores = std::move(*t);
  } else {
    data.scores = EmptyHighScores();
  }
}

bool SaveHighScores(SaveFolder& f, const SaveData& data) {
  return WriteFile(f, "SaveHighScores", f.SavesPath(kHighScoresFile), EncodeHighScores(data.scores));
}

bool ResetHighScores(SaveFolder& f, SaveData& data) {
  ResetHighScoreEntries(data.scores);
  return SaveHighScores(f, data);
}

int RecordHighScore(SaveFolder& f, SaveData& data, const std::string& name, std::int64_t score) {
  LoadHighScores(f, data);
  const int place = EnterHighScore(data.scores, name, score);
  SaveHighScores(f, data);
  return place;
}

void LoadItemStatus(SaveFolder& f, SaveData& data) {
  constexpr const char* kPlace = "LoadItemStatus";
  Log(f, kPlace, "LoadItemStatus()");
  using Records = std::array<ItemRecord, kItemSlots>;
  using Grades = std::array<GradeRecord, kItemSlots>;
  const ItemStatus fresh = NewGameItemStatus();
  const std::string fallback = "every player's shop starts as in a new game";

  const std::string items = f.SavesPath(kItemsFile);
  if (std::optional<Records> r =
          LoadFile<Records>(f, kPlace, items, kItemSlots * kItemRecordSize, DecodeItemRecords, fallback)) {
    LogRepairs(f, kPlace, items, SanitizeItemRecords(*r));
    data.items.items = *r;
  } else {
    data.items.items = fresh.items;
  }
  const std::string stars = f.SavesPath(kStarsFile);
  if (std::optional<Records> r =
          LoadFile<Records>(f, kPlace, stars, kItemSlots * kItemRecordSize, DecodeItemRecords, fallback)) {
    LogRepairs(f, kPlace, stars, SanitizeStarRecords(*r));
    data.items.stars = *r;
  } else {
    data.items.stars = fresh.stars;
  }
  const std::string grades = f.SavesPath(kGradesFile);
  if (std::optional<Grades> g =
          LoadFile<Grades>(f, kPlace, grades, kItemSlots * kGradeRecordSize, DecodeGradeRecords, fallback)) {
    LogRepairs(f, kPlace, grades, SanitizeGradeRecords(*g));
    data.items.grades = *g;
  } else {
    data.items.grades = fresh.grades;
  }
  RefreshGrades(data);
  Log(f, kPlace, "OK");
}

bool SaveItemStatus(SaveFolder& f, const SaveData& data) {
  constexpr const char* kPlace = "SaveItemStatus";
  bool ok = WriteFile(f, kPlace, f.SavesPath(kItemsFile), EncodeItemRecords(data.items.items));
  ok = WriteFile(f, kPlace, f.SavesPath(kStarsFile), EncodeItemRecords(data.items.stars)) && ok;
  ok = WriteFile(f, kPlace, f.SavesPath(kGradesFile), EncodeGradeRecords(data.items.grades)) && ok;
  ok = WriteFile(f, kPlace, f.DataPath(kMapPointsFile), EncodeMapPoints(data.map)) && ok;
  return ok;
}

bool ResetItemStatus(SaveFolder& f, SaveData& data) {
  const int slot = data.players.Current();
  ResetSlot(data.items, slot);
  ClearForNewGame(data.players.slot[std::size_t(slot)]);
  RefreshGrades(data);
  return SaveItemStatus(f, data);
}

void LoadMapPoints(SaveFolder& f, SaveData& data) {
  constexpr const char* kPlace = "LoadMapPoints";
  const std::string own = f.DataPath(kMapPointsFile);
  const std::string shipped = (f.gameDir.empty() ? std::string(".") : f.gameDir) + "/" + kMapPointsFile;
  const bool separate = shipped != own;
  // The data folder's copy carries what the game wrote back; a missing or
  // damaged one falls back to the program folder's, which is never moved.
  if (!separate || ReadFileBounded(own, kMapPointsSize).status != ReadStatus::Missing) {
    if (auto m = LoadFile<MapPoints>(f, kPlace, own, kMapPointsSize, DecodeMapPoints,
                                     separate ? "the program folder's used" : "no map points")) {
      data.map = *m;
      return;
    }
  }
  data.map = MapPoints{};
  if (!separate) return;
  if (auto m = LoadFile<MapPoints>(f, kPlace, shipped, kMapPointsSize, DecodeMapPoints, "no map points", false))
    data.map = *m;
}

}  // namespace bm

#include "storage/SaveFolder.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>

#include "diag/Logs.h"
#include "io/AtomicWrite.h"
#include "io/SafeRead.h"
#include "lang/Tr.h"
#include "storage/BoardFile.h"

namespace bm {

namespace {

// Upper bounds of what a sound file can hold; a larger file is garbled.
constexpr std::size_t kPlayersMaxBytes = kPlayerSlots * (2 + 255 + 672);
constexpr std::size_t kHighScoresMaxBytes = kHighScoreEntries * (kEntryNameWidth + 2 + kScoreTextLimit);
// Far above any file a save writes (the board, 141 KB, is the largest).
constexpr std::size_t kSavedFileMaxBytes = 1 << 20;

void Log(SaveFolder& f, const std::string& place, const std::string& message) {
  if (f.logs) f.logs->WriteRunLog(place, message);
}

std::string GenerationName() { return SavedName(kGenerationFile); }

// What a file of the folder is, read against the generation file: its bytes
// (nullopt after logging when the defaults must be used). A file with a few
// odd values comes back repaired by fix (its lines logged), kept aside as it
// was and written back repaired; with more than kRepairLimit it counts as garbled.
template <class T>
using Decoder = std::optional<T> (*)(std::string_view, std::string*);

template <class T, class Fix, class Encode>
std::optional<T> LoadFile(SaveFolder& f, const std::string& place, const std::string& name, std::size_t maxBytes,
                          Decoder<T> decode, Fix fix, Encode encode, const std::string& fallback) {
  const std::string path = f.Base() + "/" + name;
  SavedRead s = ReadSaved(f.Base(), GenerationName(), name, maxBytes);
  ReadResult& r = s.read;
  if (r.status == ReadStatus::Missing) {
    Log(f, place, "\"" + path + "\" is missing, " + fallback);
    return std::nullopt;
  }
  if (r.status == ReadStatus::IoError || r.status == ReadStatus::NotRegularFile) {
    // Whatever stands there may still be the player's: left where it is, never saved over.
    Log(f, place, r.error + "; " + fallback + "; it is left as it is, never saved over");
    NoticeUnreadable(r, path);
    return std::nullopt;
  }
  if (s.odd) {
    Log(f, place, s.note + "; it is never paired with the others, " + fallback);
    KeepDamagedFile(f, place, path);
    return std::nullopt;
  }
  if (!s.note.empty()) Log(f, place, s.note);
  if (r.status == ReadStatus::Ok) {
    std::string why;
    if (std::optional<T> value = decode(r.bytes, &why)) {
      const std::vector<std::string> repairs = fix(*value);
      if (repairs.empty()) return value;
      if (repairs.size() <= kRepairLimit) {
        for (const std::string& line : repairs) Log(f, place, "\"" + path + "\" repaired: " + line);
        // The file as it was is kept; the repaired one takes its place, so later reads agree.
        if (KeepDamagedFile(f.logs, place, path, &r.bytes)) {
          SaveSet save = NewSave(f);
          save.Put(name, encode(*value));
          CommitSave(f, place, save);
        }
        return value;
      }
      why = std::to_string(repairs.size()) + " values out of range, more than the " + std::to_string(kRepairLimit) +
            " a damaged file of this game may have";
    }
    r.error = "\"" + path + "\" is damaged: " + why;
  }
  Log(f, place, r.error + "; " + fallback);
  KeepDamagedFile(f, place, path);
  return std::nullopt;
}

template <class T>
std::vector<std::string> NoRepairs(T&) {
  return {};
}

void RefreshGrades(SaveData& data) { data.grades = data.items.grades[std::size_t(data.players.Current())]; }

// Every file a save may write, as the generation file names them.
std::vector<std::string> SavedNames() {
  std::vector<std::string> names = {SavedName(kPlayersFile), kDebugFile,          SavedName(kHighScoresFile),
                                    SavedName(kItemsFile),   SavedName(kStarsFile), SavedName(kGradesFile),
                                    kMapPointsFile};
  for (int slot = kFirstPlayer; slot <= kLastPlayer; ++slot) names.push_back(SavedName(BoardFileName(slot)));
  return names;
}

}  // namespace

std::string SavedName(const std::string& name) { return std::string(kSavesFolder) + "/" + name; }

std::string SaveFolder::Base() const { return dataDir.empty() ? std::string(".") : dataDir; }

std::string SaveFolder::SavesPath(const std::string& name) const { return Base() + "/" + SavedName(name); }

std::string SaveFolder::DataPath(const std::string& name) const { return Base() + "/" + name; }

void KeepDamagedFile(SaveFolder& f, const std::string& place, const std::string& path) {
  KeepDamagedFile(f.logs, place, path);
}

void PrepareSaveFolder(SaveFolder& f) {
  const std::string saves = f.DataPath(kSavesFolder);
  if (::mkdir(saves.c_str(), 0755) != 0 && errno != EEXIST)
    Log(f, "PrepareSaveFolder", "cannot create \"" + saves + "\": " + std::strerror(errno));
  if (int n = RemoveStaleTempFiles(saves); n > 0)
    Log(f, "PrepareSaveFolder", std::to_string(n) + " unfinished temporary files removed from \"" + saves + "\"");
  RemoveStaleTempFiles(f.DataPath(""));
}

void SettleSaves(SaveFolder& f) {
  constexpr const char* kPlace = "SettleSaves";
  PrepareSaveFolder(f);
  const std::string genPath = f.Base() + "/" + GenerationName();
  GenerationRead gen = ReadGeneration(f.Base(), GenerationName());
  if (gen.status == ReadStatus::IoError || gen.status == ReadStatus::NotRegularFile) {
    Log(f, kPlace, gen.error + "; it is left as it is, and nothing is saved in this folder");
    ReadResult r;
    r.status = gen.status;
    r.error = gen.error;
    r.why = gen.why;
    NoticeUnreadable(r, genPath);
  } else if (gen.damaged) {
    Log(f, kPlace, gen.error + "; the saved files are taken as they are");
    KeepDamagedFile(f, kPlace, genPath);
    gen = GenerationRead{};
  }
  // Saves cut short are finished (or their litter removed) by reading every file once;
  // a file no save the generation file knows wrote is kept aside.
  for (const std::string& name : SavedNames()) {
    SavedRead s = ReadSaved(f.Base(), gen, name, kSavedFileMaxBytes);
    RemoveUncommitted(f.Base(), gen, name);
    if (!s.odd) {
      if (!s.note.empty()) Log(f, kPlace, s.note);
      continue;
    }
    Log(f, kPlace, s.note + "; it is never paired with the others");
    KeepDamagedFile(f, kPlace, f.Base() + "/" + name);
  }
}

SaveSet NewSave(const SaveFolder& f) { return SaveSet(f.Base(), GenerationName()); }

void PutPlayers(SaveSet& save, const SaveData& data) {
  save.Put(SavedName(kPlayersFile), EncodePlayers(data.players));
  // The block travels with the players file but is its own file.
  save.Put(kDebugFile, EncodeDebugBlock(data.debug));
}

void PutHighScores(SaveSet& save, const SaveData& data) {
  save.Put(SavedName(kHighScoresFile), EncodeHighScores(data.scores));
}

void PutItemStatus(SaveSet& save, const SaveData& data) {
  save.Put(SavedName(kItemsFile), EncodeItemRecords(data.items.items));
  save.Put(SavedName(kStarsFile), EncodeItemRecords(data.items.stars));
  save.Put(SavedName(kGradesFile), EncodeGradeRecords(data.items.grades));
  save.Put(kMapPointsFile, EncodeMapPoints(data.map));
}

bool CommitSave(SaveFolder& f, const std::string& place, SaveSet& save, const char* sentence) {
  if (save.Empty()) return true;
  Wording error;
  std::string failed;
  if (save.Commit(&error, &failed)) {
    f.counters.writes += long(save.Files());
    if (!error.empty()) Log(f, place, error.English() + "; the next read finishes it");
    return true;
  }
  f.counters.failures += long(save.Files());
  Log(f, place, error.English() + "; nothing of this save is written, the last one is kept");
  // TRANSLATORS: A notice over any screen (and the web page's status line), %s the reason ("cannot write
  // \"/home/mary/.local/share/brinemoor/saves/players.dat\": No space left on device"). Wrapped over several lines;
  // room: about half again as long as the English.
  NoticeNotSaved(sentence ? sentence : TrNoop("Your game could not be saved: %s. The last save is kept."), failed,
                 error);
  return false;
}

void LoadPlayers(SaveFolder& f, SaveData& data) {
  if (std::optional<PlayerTable> t = LoadFile<PlayerTable>(f, "LoadPlayers", SavedName(kPlayersFile),
                                                           kPlayersMaxBytes, DecodePlayers, SanitizePlayers,
                                                           EncodePlayers, "no players yet"))
    data.players = std::move(*t);
  else
    data.players = EmptyPlayers();
  if (std::optional<DebugBlock> b = LoadFile<DebugBlock>(f, "LoadDebugBlock", kDebugFile, kDebugBlockSize,
                                                         DecodeDebugBlock, NoRepairs<DebugBlock>,
                                                         EncodeDebugBlock, "zeros used"))
    data.debug = *b;
  else
    data.debug = DebugBlock{};
}

bool SavePlayers(SaveFolder& f, const SaveData& data) {
  SaveSet save = NewSave(f);
  PutPlayers(save, data);
  // TRANSLATORS: A notice over any screen (and the web page's status line), like "Your game could not be saved: %s.
  // The last save is kept."
  return CommitSave(f, "SavePlayers", save, TrNoop("The players could not be saved: %s. The last save is kept."));
}

void LoadHighScores(SaveFolder& f, SaveData& data) {
  if (std::optional<HighScoreTable> t =
          LoadFile<HighScoreTable>(f, "LoadHighScores", SavedName(kHighScoresFile), kHighScoresMaxBytes,
                                   DecodeHighScores, SanitizeHighScores, EncodeHighScores, "an empty table used"))
    data.scores = std::move(*t);
  else
    data.scores = EmptyHighScores();
}

bool SaveHighScores(SaveFolder& f, const SaveData& data) {
  SaveSet save = NewSave(f);
  PutHighScores(save, data);
  // TRANSLATORS: A notice, like "Your game could not be saved: %s. The last save is kept."
  const char* notice = TrNoop("The high scores could not be saved: %s. The last save is kept.");
  return CommitSave(f, "SaveHighScores", save, notice);
}

bool ResetHighScores(SaveFolder& f, SaveData& data) {
  ResetHighScoreEntries(data.scores);
  return SaveHighScores(f, data);
}

void LoadItemStatus(SaveFolder& f, SaveData& data) {
  constexpr const char* kPlace = "LoadItemStatus";
  Log(f, kPlace, "LoadItemStatus()");
  using Records = std::array<ItemRecord, kItemSlots>;
  using Grades = std::array<GradeRecord, kItemSlots>;
  const ItemStatus fresh = NewGameItemStatus();
  const std::string fallback = "every player's shop starts as in a new game";
  const std::size_t itemBytes = kItemSlots * kItemRecordSize, gradeBytes = kItemSlots * kGradeRecordSize;
  if (auto r = LoadFile<Records>(f, kPlace, SavedName(kItemsFile), itemBytes, DecodeItemRecords, SanitizeItemRecords,
                                 EncodeItemRecords, fallback))
    data.items.items = *r;
  else
    data.items.items = fresh.items;
  if (auto r = LoadFile<Records>(f, kPlace, SavedName(kStarsFile), itemBytes, DecodeItemRecords, SanitizeStarRecords,
                                 EncodeItemRecords, fallback))
    data.items.stars = *r;
  else
    data.items.stars = fresh.stars;
  if (auto g = LoadFile<Grades>(f, kPlace, SavedName(kGradesFile), gradeBytes, DecodeGradeRecords,
                                SanitizeGradeRecords, EncodeGradeRecords, fallback))
    data.items.grades = *g;
  else
    data.items.grades = fresh.grades;
  RefreshGrades(data);
  Log(f, kPlace, "OK");
}

bool SaveItemStatus(SaveFolder& f, const SaveData& data) {
  SaveSet save = NewSave(f);
  PutItemStatus(save, data);
  // TRANSLATORS: A notice, like "Your game could not be saved: %s. The last save is kept."; the shop is the
  // Pirate Shop.
  return CommitSave(f, "SaveItemStatus", save, TrNoop("The shop could not be saved: %s. The last save is kept."));
}

void LoadMapPoints(SaveFolder& f, SaveData& data) {
  constexpr const char* kPlace = "LoadMapPoints";
  const std::string own = f.DataPath(kMapPointsFile);
  const std::string shipped = (f.gameDir.empty() ? std::string(".") : f.gameDir) + "/" + kMapPointsFile;
  const bool separate = shipped != own;
  // The data folder's copy carries what the game wrote back; a missing or
  // damaged one falls back to the program folder's, which is never moved.
  if (!separate || ReadFileBounded(own, kMapPointsSize).status != ReadStatus::Missing) {
    if (auto m = LoadFile<MapPoints>(f, kPlace, kMapPointsFile, kMapPointsSize, DecodeMapPoints,
                                     NoRepairs<MapPoints>, EncodeMapPoints,
                                     separate ? "the program folder's used" : "no map points")) {
      data.map = *m;
      return;
    }
  }
  data.map = MapPoints{};
  if (!separate) return;
  const ReadResult r = ReadFileBounded(shipped, kMapPointsSize);
  std::string why = r.error;
  if (r.ok()) {
    if (auto m = DecodeMapPoints(r.bytes, &why)) {
      data.map = *m;
      return;
    }
    why = "\"" + shipped + "\" is damaged: " + why;
  }
  Log(f, kPlace, why + "; no map points");
}

}  // namespace bm

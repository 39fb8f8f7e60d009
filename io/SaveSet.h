// Several files saved as one: after a kill, a power cut or a full disk at any
// moment, either every file of a save is new or every one is old, and a start
// never pairs files of two different saves.
//
// A folder of saves keeps one generation file: a small text naming every file
// its saves wrote, with the size and checksum of each as the last whole save
// left it (or that the save removed it). A save, SaveSet::Commit:
//   1. writes each new file whole beside its place as "<name>.next", flushed;
//   2. replaces the generation file atomically: from this moment the save counts;
//   3. renames each ".next" over its file and removes the files the save removes.
// Killed before step 2, the old files are all still there (the ".next" files
// are litter); killed after it, ReadSaved finishes the save the next time a
// file is read, from its ".next" copy.
//
// Paths are relative to one base folder (the data folder), so one generation
// file covers files in several of its folders ("saves/players.dat", "debug.dat").
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "io/SafeRead.h"

namespace bm {

inline constexpr const char* kNextSuffix = ".next";
inline constexpr std::size_t kGenerationMaxBytes = 16 * 1024;

// One file of a generation: present with this size and checksum, or removed
// (size and checksum then are the removed file's, 0 when there was none).
struct SavedFile {
  std::string name;
  bool present = true;
  std::uint64_t size = 0, hash = 0;
  bool operator==(const SavedFile&) const = default;
};

struct Generation {
  std::uint64_t number = 0;  // how many saves made it
  std::vector<SavedFile> files;
  const SavedFile* Find(const std::string& name) const;
  void Set(const SavedFile& file);
  bool operator==(const Generation&) const = default;
};

// A 64-bit checksum of a file's bytes (FNV-1a).
std::uint64_t SaveHash(std::string_view bytes);

// The generation file's text: a first line "brinemoor generation N", then one
// line a file: "file SIZE HASH NAME" or "gone SIZE HASH NAME" (HASH in hex).
std::string EncodeGeneration(const Generation& g);
// nullopt (and why) for anything else: a wrong first line, a line that is not
// one of the two, a name twice, a name that leaves the base folder.
std::optional<Generation> DecodeGeneration(std::string_view text, std::string* error = nullptr);

// The generation file as read: Missing (a folder saved before there was one:
// every file is taken as it is), Ok with the generation, or another status
// (damaged: error says why; unreadable) with an empty generation.
struct GenerationRead {
  ReadStatus status = ReadStatus::Missing;
  bool damaged = false;
  Generation generation;
  std::string error;
  Wording why;  // an unreadable file's reason, for the player
};
GenerationRead ReadGeneration(const std::string& base, const std::string& generationName);

// A file of a folder of saves, read as the generation file knows it.
struct SavedRead {
  ReadResult read;  // the bytes, or why there are none
  // The file is not the one the last whole save wrote (nor its ".next"): it
  // belongs to no save the generation file knows. The caller keeps it aside and
  // uses its defaults; never paired with the others.
  bool odd = false;
  std::string note;  // a run-log line when the read finished a save or found an odd file
};
SavedRead ReadSaved(const std::string& base, const std::string& generationName, const std::string& name,
                    std::size_t maxBytes);
// The same against a generation already read (gen.status Ok) or none (Missing).
SavedRead ReadSaved(const std::string& base, const GenerationRead& gen, const std::string& name,
                    std::size_t maxBytes);

// Removes "<name>.next" unless it is the file gen says the last save wrote
// (a save that counted, its rename still to come): litter of a save cut short
// before it counted. True when one was removed.
bool RemoveUncommitted(const std::string& base, const GenerationRead& gen, const std::string& name);

class SaveSet {
 public:
  SaveSet(std::string base, std::string generationName)
      : base_(std::move(base)), generationName_(std::move(generationName)) {}

  void Put(const std::string& name, std::string bytes);
  void Remove(const std::string& name);
  bool Empty() const { return puts_.empty() && removes_.empty(); }
  std::size_t Files() const { return puts_.size() + removes_.size(); }
  std::string Path(const std::string& name) const;

  // Writes the whole save. False, with every file as it was and error saying
  // what went wrong (failedPath: the file it went wrong with), when a file
  // cannot be written (a full disk, a read-only folder), when one the save
  // would replace or remove cannot be read (MayReplace), or when the
  // generation file cannot be. True once the generation file is written: a
  // rename that then fails is finished by the next read (error says which).
  bool Commit(Wording* error = nullptr, std::string* failedPath = nullptr);

 private:
  std::string base_, generationName_;
  std::vector<std::pair<std::string, std::string>> puts_;
  std::vector<std::string> removes_;
};

}  // namespace bm

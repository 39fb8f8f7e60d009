// Whole-file writes that leave, at every instant, either the old file or the
// new one: never a torn, empty or half-written file, whatever kills the process
// and whenever. Every file the game and its generators write goes through here
// (the files of a save through io/SaveSet.h, which builds on it).
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "diag/Wording.h"

namespace bm {

// A file written aside and put in place whole. Open creates a fresh temporary
// file in path's folder ("<name>.tmp.<pid>"); Write appends to it; Commit
// flushes it to disk, renames it over path and flushes the folder so the
// rename itself survives a power cut. Until Commit succeeds path is untouched;
// a file dropped or failed removes its temporary file. Open refuses a path
// MayReplace refuses.
class AtomicFile {
 public:
  AtomicFile() = default;
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  // What went wrong in English (for a log), or as a wording for the player.
  bool Open(const std::string& path, std::string* error = nullptr);
  bool Open(const std::string& path, Wording* error);
  // Remembers the first failure; Commit reports it.
  void Write(std::string_view bytes);
  bool Commit(std::string* error = nullptr);
  bool Commit(Wording* error);
  bool IsOpen() const { return fd_ >= 0; }

 private:
  bool Flush();
  void Drop();

  int fd_ = -1;
  std::string path_, temp_, buffer_;
  int errno_ = 0;  // the first write failure
};

// The whole file at once. On failure (full disk, read-only folder, missing
// folder) path is untouched, the temporary file is removed, and error (when
// given) says what went wrong.
bool WriteFileAtomic(const std::string& path, std::string_view bytes, std::string* error = nullptr);
bool WriteFileAtomic(const std::string& path, std::string_view bytes, Wording* error);
// A failed write's reason: "cannot write \"PATH\": " and the system's error text.
Wording CannotWrite(const std::string& path, int err);

// How many files were put in place whole in this process so far: the browser
// build compares it after each pass and copies the folder to the browser's
// persistent storage when it moved.
std::uint64_t AtomicWritesDone();
void CountAtomicWrites(std::uint64_t n);

// Removes temporary files a killed writer left in folder; returns how many.
int RemoveStaleTempFiles(const std::string& folder);

// What we could not read is never written over: false (why names the path and
// says what stands there) when path exists but cannot be opened for reading
// (no permission, an I/O error), is a directory, FIFO, socket or device, or
// was found unreadable by an earlier read in this process. A missing path or
// a readable regular file may be replaced.
bool MayReplace(const std::string& path, std::string* why = nullptr);
bool MayReplace(const std::string& path, Wording* why);

// Tells the player (diag/Notices.h) that something could not be saved to path,
// and why: sentence is the notice's pattern, marked for the translators, its %s
// the error ("Your game could not be saved: %s. The last save is kept."). Once
// per unreadable file it would have replaced, once per folder and cause otherwise.
void NoticeNotSaved(const char* sentence, const std::string& path, const Wording& error);

// The steps a save takes on disk (each write(2) of a saved file, each rename
// and each removal) go through these, so a test can stop a save at any one:
// the environment variable BM_SAVE_FAULT="kill:N" kills the process with
// SIGKILL instead of taking step N (counted from 1 over the process's life),
// "full:N" makes write step N and every later one fail with ENOSPC, as a disk
// that fills. SetSaveFault sets the same from code (a forked test child).
enum class SaveFault { None, Kill, Full };
void SetSaveFault(SaveFault fault, long step);
long SaveStepsTaken();
// write(2), rename(2) and unlink(2) as steps; -1 with errno on failure.
long SaveStepWrite(int fd, const char* data, std::size_t n);
int SaveStepRename(const std::string& from, const std::string& to);
int SaveStepUnlink(const std::string& path);
// Flushes a folder so the renames in it survive a power cut (failures ignored:
// some file systems refuse).
void SyncFolder(const std::string& folder);
// The folder part of a path ("." for a bare name).
std::string FolderOf(const std::string& path);

}  // namespace bm

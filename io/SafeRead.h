// The one way the game reads a file from disk. Every reader (levels,
// "config.dat", the ini files, sound headers, players, high scores, saved games,
// item status) goes through ReadFileBounded, so none of them can abort on an I/O
// error, hang on a FIFO or allocate whatever size a damaged file claims.
//
//   ReadResult r = ReadFileBounded(path, kMyFileBytes);
//   if (!r.ok()) { LogReadFailure(logs, "LoadThing", r, "defaults used"); return defaults; }
//   Parse(r.bytes);
//
// Only regular files are read (a directory, FIFO, socket or device is refused
// without blocking). maxBytes is the bound for this kind of file: the exact
// record size for a fixed binary record, a modest cap for text. A larger file is
// not read past the bound: it comes back as TooLarge with its first maxBytes
// bytes, so a caller that keeps the front of an over-long record may still use them.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "diag/Wording.h"

namespace bm {

class Logs;

enum class ReadStatus {
  Ok,              // bytes holds the whole file
  Missing,         // no such file (or a folder on the way is missing)
  NotRegularFile,  // a directory, FIFO, socket or device in the file's place
  TooLarge,        // longer than maxBytes; bytes holds its first maxBytes bytes
  IoError,         // permission denied, read error, ...
};

struct ReadResult {
  ReadStatus status = ReadStatus::IoError;
  std::string bytes;
  std::uint64_t fileSize = 0;  // as the file system reported it (0 unless the file was opened)
  std::string error;           // empty when Ok; otherwise names the file and says what went wrong
  Wording why;                 // the same for the player (an unreadable file's notice)
  bool ok() const { return status == ReadStatus::Ok; }
};

// Reads at most maxBytes bytes of path. Never throws, never blocks on a special file.
ReadResult ReadFileBounded(const std::string& path, std::size_t maxBytes);

// One run-log line for a failed read: the file, what went wrong and the
// fallback taken ("default settings used"). Does nothing when result is Ok.
void LogReadFailure(Logs& logs, const std::string& place, const ReadResult& result, const std::string& fallback);

// Whether a read of path in this process found something it could not read
// (no permission, an I/O error, a directory, FIFO or device in its place): the
// atomic writer never replaces such a path (io/AtomicWrite.h).
bool FoundUnreadable(const std::string& path);

// The player is told (diag/Notices.h), once per path, that a file the game
// reads cannot be read and will not be saved over. Nothing for other results.
void NoticeUnreadable(const ReadResult& result, const std::string& path);

// A damaged file is moved aside rather than overwritten by the next save: as
// "<path>.bad", then "<path>.bad.2" ... up to kKeptDamagedCopies; an earlier
// kept copy is never overwritten, and past the cap the file stays where it is.
// With copyOf, those bytes (the file as read) are written there instead and
// path is left for the caller to write the repaired file over. One run-log
// line (logs may be null); true when the file was kept.
inline constexpr int kKeptDamagedCopies = 5;
bool KeepDamagedFile(Logs* logs, const std::string& place, const std::string& path,
                     const std::string* copyOf = nullptr);

// Caps for text files edited by hand; real ones are a few kilobytes.
inline constexpr std::size_t kTextFileMaxBytes = 256 * 1024;

}  // namespace bm

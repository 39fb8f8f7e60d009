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
  bool ok() const { return status == ReadStatus::Ok; }
};

// Reads at most maxBytes bytes of path. Never throws, never blocks on a special file.
ReadResult ReadFileBounded(const std::string& path, std::size_t maxBytes);

// One run-log line for a failed read: the file, what went wrong and the
// fallback taken ("default settings used"). Does nothing when result is Ok.
void LogReadFailure(Logs& logs, const std::string& place, const ReadResult& result, const std::string& fallback);

// Caps for text files edited by hand; real ones are a few kilobytes.
inline constexpr std::size_t kTextFileMaxBytes = 256 * 1024;

}  // namespace bm

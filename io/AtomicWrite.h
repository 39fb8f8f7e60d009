// Whole-file writes that leave, at every instant, either the old file or the
// new one: never a torn, empty or half-written file, whatever kills the process
// and whenever. Every file the game and its generators write goes through here.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace bm {

// A file written aside and put in place whole. Open creates a fresh temporary
// file in path's folder ("<name>.tmp.<pid>"); Write appends to it; Commit
// flushes it to disk, renames it over path and flushes the folder so the
// rename itself survives a power cut. Until Commit succeeds path is untouched;
// a file dropped or failed removes its temporary file.
class AtomicFile {
 public:
  AtomicFile() = default;
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  bool Open(const std::string& path, std::string* error = nullptr);
  // Remembers the first failure; Commit reports it.
  void Write(std::string_view bytes);
  bool Commit(std::string* error = nullptr);
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

// How many files were put in place whole in this process so far: the browser
// build compares it after each pass and copies the folder to the browser's
// persistent storage when it moved.
std::uint64_t AtomicWritesDone();

// Removes temporary files a killed writer left in folder; returns how many.
int RemoveStaleTempFiles(const std::string& folder);

}  // namespace bm

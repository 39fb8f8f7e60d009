// One copy of the game per data folder: an advisory lock on a file in the
// folder, taken before anything else is written there. The kernel drops it
// with the process, so a copy that crashed never blocks the next start.
#pragma once
#include <string>

namespace bm {

inline constexpr const char* kLockFileName = "brinemoor.lock";

class FolderLock {
 public:
  enum class Result { Held, Busy, Failed };

  FolderLock() = default;
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

  // Opens (creating when missing) "<dir>/brinemoor.lock" and locks it without
  // waiting. Busy: another process holds it. Failed: the file cannot be
  // opened or locked at all; error says why.
  Result Take(const std::string& dir, std::string* error = nullptr);
  bool Held() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

}  // namespace bm

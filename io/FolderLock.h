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
  // waiting; an existing one is opened for reading when the folder is
  // read-only. A lock file that is not a plain file (a symbolic link, which
  // would lock whatever it points at, or a FIFO) or that a read-only folder
  // lacks gives way to a lock on the folder itself. Busy: another process
  // holds it. Failed: neither can be opened or locked at all; error says why.
  Result Take(const std::string& dir, std::string* error = nullptr);
  bool Held() const { return fd_ >= 0; }

 private:
  int fd_ = -1;
};

}  // namespace bm

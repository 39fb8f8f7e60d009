#include "io/FolderLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace bm {

FolderLock::~FolderLock() {
  if (fd_ >= 0) ::close(fd_);
}

FolderLock::Result FolderLock::Take(const std::string& dir, std::string* error) {
  if (fd_ >= 0) return Result::Held;
  const std::string path = (dir.empty() ? std::string(".") : dir) + "/" + kLockFileName;
  // The file is never written: opening an existing one changes nothing in the folder.
  const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) {
    if (error) *error = "cannot open \"" + path + "\": " + std::strerror(errno);
    return Result::Failed;
  }
  // flock belongs to this open file, not to the process's every descriptor of
  // it, so no other open and close of the file can drop it by accident.
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int e = errno;
    ::close(fd);
    if (e == EWOULDBLOCK) return Result::Busy;
    if (error) *error = "cannot lock \"" + path + "\": " + std::strerror(e);
    return Result::Failed;
  }
  fd_ = fd;
  return Result::Held;
}

}  // namespace bm

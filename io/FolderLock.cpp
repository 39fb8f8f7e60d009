#include "io/FolderLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace bm {

FolderLock::~FolderLock() {
  if (fd_ >= 0) ::close(fd_);
}

namespace {

// The lock file itself, never through a link; -1 when it cannot be opened as a plain file.
int OpenLockFile(const std::string& path, int& err) {
  constexpr int kFlags = O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
  int fd = ::open(path.c_str(), O_RDWR | O_CREAT | kFlags, 0644);
  // A read-only folder (or file): an existing lock file still takes the lock open for reading.
  if (fd < 0 && (errno == EROFS || errno == EACCES || errno == EPERM)) fd = ::open(path.c_str(), O_RDONLY | kFlags);
  err = errno;
  if (fd < 0) return -1;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    err = EINVAL;
    return -1;
  }
  return fd;
}

}  // namespace

FolderLock::Result FolderLock::Take(const std::string& dir, std::string* error) {
  if (fd_ >= 0) return Result::Held;
  const std::string folder = dir.empty() ? std::string(".") : dir;
  const std::string path = folder + "/" + kLockFileName;
  // The file is never written: opening an existing one changes nothing in the folder.
  int err = 0;
  int fd = OpenLockFile(path, err);
  std::string what = "\"" + path + "\"";
  if (fd < 0) {
    // No plain lock file to be had: the folder itself carries the lock.
    fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    what = "the folder \"" + folder + "\"";
    if (fd < 0) {
      if (error) *error = "cannot open \"" + path + "\": " + std::strerror(err);
      return Result::Failed;
    }
  }
  // flock belongs to this open file, not to the process's every descriptor of
  // it, so no other open and close of the file can drop it by accident.
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int e = errno;
    ::close(fd);
    if (e == EWOULDBLOCK) return Result::Busy;
    if (error) *error = "cannot lock " + what + ": " + std::strerror(e);
    return Result::Failed;
  }
  fd_ = fd;
  return Result::Held;
}

}  // namespace bm

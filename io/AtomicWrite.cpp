#include "io/AtomicWrite.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace bm {

namespace {

constexpr const char* kTempMark = ".tmp.";
std::atomic<std::uint64_t> writesDone{0};

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

bool Fail(std::string* error, const std::string& what, int err) {
  if (error) *error = what + ": " + std::strerror(err);
  return false;
}

bool WriteAll(int fd, const char* data, std::size_t n) {
  while (n > 0) {
    const ssize_t w = ::write(fd, data, n);
    if (w < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (w == 0) {
      errno = ENOSPC;
      return false;
    }
    data += w;
    n -= std::size_t(w);
  }
  return true;
}

int SyncRetry(int fd) {
  int r;
  do r = ::fsync(fd);
  while (r != 0 && errno == EINTR);
  return r;
}

}  // namespace

bool WriteFileAtomic(const std::string& path, const std::string& bytes, std::string* error) {
  const std::string tmp = path + kTempMark + std::to_string(::getpid());
  const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return Fail(error, "cannot create " + tmp, errno);
  // The data must be on disk before the rename makes it the real file.
  bool ok = WriteAll(fd, bytes.data(), bytes.size());
  int err = errno;
  if (ok && SyncRetry(fd) != 0) {
    ok = false;
    err = errno;
  }
  if (::close(fd) != 0 && ok) {
    ok = false;
    err = errno;
  }
  if (!ok) {
    ::unlink(tmp.c_str());
    return Fail(error, "cannot write " + tmp, err);
  }
  if (::rename(tmp.c_str(), path.c_str()) != 0) {
    err = errno;
    ::unlink(tmp.c_str());
    return Fail(error, "cannot replace " + path, err);
  }
  ++writesDone;
  // The new name lives in the folder: flush it too. A folder that cannot be
  // opened or synced (some file systems refuse) does not undo the write.
  const int dfd = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dfd >= 0) {
    SyncRetry(dfd);
    ::close(dfd);
  }
  return true;
}

std::uint64_t AtomicWritesDone() { return writesDone; }

int RemoveStaleTempFiles(const std::string& folder) {
  DIR* d = ::opendir(folder.c_str());
  if (!d) return 0;
  const std::string mine = kTempMark + std::to_string(::getpid());
  int removed = 0;
  while (const dirent* e = ::readdir(d)) {
    const std::string name = e->d_name;
    const std::size_t at = name.rfind(kTempMark);
    if (at == std::string::npos || at == 0) continue;
    // Only our own pattern: "<name>.tmp.<digits>", never the current process's.
    const std::string tail = name.substr(at + std::strlen(kTempMark));
    if (tail.empty() || tail.find_first_not_of("0123456789") != std::string::npos) continue;
    if (name.compare(at, std::string::npos, mine) == 0) continue;
    if (::unlink((folder + "/" + name).c_str()) == 0) ++removed;
  }
  ::closedir(d);
  return removed;
}

}  // namespace bm

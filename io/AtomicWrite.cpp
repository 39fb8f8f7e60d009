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

// Small writes gather here and go to the file in blocks.
constexpr std::size_t kBlock = 1 << 16;

AtomicFile::~AtomicFile() { Drop(); }

void AtomicFile::Drop() {
  if (fd_ < 0) return;
  ::close(fd_);
  ::unlink(temp_.c_str());
  fd_ = -1;
}

bool AtomicFile::Open(const std::string& path, std::string* error) {
  Drop();
  path_ = path;
  temp_ = path + kTempMark + std::to_string(::getpid());
  buffer_.clear();
  errno_ = 0;
  fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd_ < 0) return Fail(error, "cannot create " + temp_, errno);
  return true;
}

bool AtomicFile::Flush() {
  if (errno_ == 0 && !WriteAll(fd_, buffer_.data(), buffer_.size())) errno_ = errno;
  buffer_.clear();
  return errno_ == 0;
}

void AtomicFile::Write(std::string_view bytes) {
  if (fd_ < 0 || errno_ != 0) return;
  if (buffer_.empty() && bytes.size() >= kBlock) {
    if (!WriteAll(fd_, bytes.data(), bytes.size())) errno_ = errno;
    return;
  }
  buffer_.append(bytes);
  if (buffer_.size() >= kBlock) Flush();
}

bool AtomicFile::Commit(std::string* error) {
  if (fd_ < 0) return Fail(error, "cannot write " + path_, EBADF);
  // The data must be on disk before the rename makes it the real file.
  bool ok = Flush();
  int err = errno_;
  if (ok && SyncRetry(fd_) != 0) {
    ok = false;
    err = errno;
  }
  if (::close(fd_) != 0 && ok) {
    ok = false;
    err = errno;
  }
  fd_ = -1;
  if (!ok) {
    ::unlink(temp_.c_str());
    return Fail(error, "cannot write " + temp_, err);
  }
  if (::rename(temp_.c_str(), path_.c_str()) != 0) {
    err = errno;
    ::unlink(temp_.c_str());
    return Fail(error, "cannot replace " + path_, err);
  }
  ++writesDone;
  // The new name lives in the folder: flush it too. A folder that cannot be
  // opened or synced (some file systems refuse) does not undo the write.
  const int dfd = ::open(FolderOf(path_).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dfd >= 0) {
    SyncRetry(dfd);
    ::close(dfd);
  }
  return true;
}

bool WriteFileAtomic(const std::string& path, std::string_view bytes, std::string* error) {
  AtomicFile file;
  if (!file.Open(path, error)) return false;
  file.Write(bytes);
  return file.Commit(error);
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

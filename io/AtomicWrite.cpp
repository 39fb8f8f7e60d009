#include "io/AtomicWrite.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "diag/Notices.h"
#include "io/SafeRead.h"

namespace bm {

namespace {

constexpr const char* kTempMark = ".tmp.";
std::atomic<std::uint64_t> writesDone{0};

// The test hook: read from the environment once, or set by SetSaveFault.
struct FaultPlan {
  SaveFault fault = SaveFault::None;
  long step = 0;
  long taken = 0;
  bool read = false;
};
FaultPlan& Plan() {
  static FaultPlan plan;
  if (!plan.read) {
    plan.read = true;
    if (const char* env = std::getenv("BM_SAVE_FAULT")) {
      const std::string v = env;
      const std::size_t colon = v.find(':');
      const std::string kind = v.substr(0, colon);
      if (colon != std::string::npos) plan.step = std::atol(v.c_str() + colon + 1);
      plan.fault = kind == "kill" ? SaveFault::Kill : kind == "full" ? SaveFault::Full : SaveFault::None;
    }
  }
  return plan;
}

// Counts one step; true when it must fail as on a full disk (a write only).
bool Step(bool isWrite) {
  FaultPlan& p = Plan();
  ++p.taken;
  if (p.fault == SaveFault::Kill && p.taken == p.step) ::kill(::getpid(), SIGKILL);
  return isWrite && p.fault == SaveFault::Full && p.taken >= p.step;
}

Wording CannotCreate(const std::string& path, int err) {
  // TRANSLATORS: Why a file could not be saved, put in for %s of "... could not be saved: %s. The last save is
  // kept." The first %s is the file's name, the second the system's own words (they stay as the system gives them).
  return Words("cannot create \"%s\": %s", {AsIs(path), AsIs(std::strerror(err))});
}
Wording CannotReplace(const std::string& path, int err) {
  // TRANSLATORS: Why a file could not be saved, like "cannot write \"%s\": %s".
  return Words("cannot replace \"%s\": %s", {AsIs(path), AsIs(std::strerror(err))});
}

}  // namespace

Wording CannotWrite(const std::string& path, int err) {
  // TRANSLATORS: Why a file could not be saved, put in for %s of "... could not be saved: %s. The last save is
  // kept." The first %s is the file's name, the second the system's own words (they stay as the system gives them).
  return Words("cannot write \"%s\": %s", {AsIs(path), AsIs(std::strerror(err))});
}

namespace {

bool Fail(Wording* why, Wording what) {
  if (why) *why = std::move(what);
  return false;
}

// The English of what went wrong, for the callers that only log it.
template <typename Call>
bool InEnglish(std::string* error, Call call) {
  Wording why;
  const bool ok = call(error ? &why : nullptr);
  if (!ok && error) *error = why.English();
  return ok;
}

bool WriteAll(int fd, const char* data, std::size_t n) {
  while (n > 0) {
    const ssize_t w = SaveStepWrite(fd, data, n);
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
  return InEnglish(error, [&](Wording* why) { return Open(path, why); });
}

bool AtomicFile::Open(const std::string& path, Wording* error) {
  Drop();
  if (!MayReplace(path, error)) return false;
  path_ = path;
  temp_ = path + kTempMark + std::to_string(::getpid());
  buffer_.clear();
  errno_ = 0;
  fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd_ < 0) return Fail(error, CannotCreate(path, errno));  // the file the player knows
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
  return InEnglish(error, [&](Wording* why) { return Commit(why); });
}

bool AtomicFile::Commit(Wording* error) {
  if (fd_ < 0) return Fail(error, CannotWrite(path_, EBADF));
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
    return Fail(error, CannotWrite(path_, err));
  }
  if (SaveStepRename(temp_, path_) != 0) {
    err = errno;
    ::unlink(temp_.c_str());
    return Fail(error, CannotReplace(path_, err));
  }
  ++writesDone;
  // The new name lives in the folder: flush it too. A folder that cannot be
  // opened or synced (some file systems refuse) does not undo the write.
  SyncFolder(FolderOf(path_));
  return true;
}

bool WriteFileAtomic(const std::string& path, std::string_view bytes, std::string* error) {
  return InEnglish(error, [&](Wording* why) { return WriteFileAtomic(path, bytes, why); });
}

bool WriteFileAtomic(const std::string& path, std::string_view bytes, Wording* error) {
  AtomicFile file;
  if (!file.Open(path, error)) return false;
  file.Write(bytes);
  return file.Commit(error);
}

std::uint64_t AtomicWritesDone() { return writesDone; }

void CountAtomicWrites(std::uint64_t n) { writesDone += n; }

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

void SyncFolder(const std::string& folder) {
  const int dfd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dfd < 0) return;
  SyncRetry(dfd);
  ::close(dfd);
}

bool MayReplace(const std::string& path, std::string* why) {
  return InEnglish(why, [&](Wording* w) { return MayReplace(path, w); });
}

bool MayReplace(const std::string& path, Wording* why) {
  // TRANSLATORS: Why a file was not saved over, put in for %s of "... could not be saved: %s. The last save is
  // kept."; %s is the file's name.
  if (FoundUnreadable(path)) return Fail(why, Words("\"%s\" could not be read; it is left as it is", {AsIs(path)}));
  // Non-blocking, so a FIFO with no writer never holds the save up.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT) return true;
    // TRANSLATORS: Why a file was not saved over; the first %s is the file's name, the second the system's words.
    return Fail(why, Words("\"%s\" cannot be read: %s; it is left as it is", {AsIs(path), AsIs(std::strerror(errno))}));
  }
  struct stat st {};
  const bool regular = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  ::close(fd);
  if (!regular)
    return Fail(why, S_ISDIR(st.st_mode) ? Words("\"%s\" is a directory; it is left as it is", {AsIs(path)})
                                         : Words("\"%s\" is not a regular file; it is left as it is", {AsIs(path)}));
  return true;
}

void NoticeNotSaved(const char* sentence, const std::string& path, const Wording& error) {
  // The cause is the text after the last ": " (strerror's), the same for every file of a full or read-only folder.
  const std::string english = error.English();
  const std::size_t colon = english.rfind(": ");
  const std::string key = !MayReplace(path) ? path : FolderOf(path) + " " + english.substr(colon == std::string::npos ? 0 : colon);
  RaiseNotice(key, Words(sentence, {error}));
}

void SetSaveFault(SaveFault fault, long step) {
  FaultPlan& p = Plan();
  p.fault = fault;
  p.step = step;
  p.taken = 0;
}

long SaveStepsTaken() { return Plan().taken; }

long SaveStepWrite(int fd, const char* data, std::size_t n) {
  if (Step(true)) {
    errno = ENOSPC;
    return -1;
  }
  return long(::write(fd, data, n));
}

int SaveStepRename(const std::string& from, const std::string& to) {
  Step(false);
  return ::rename(from.c_str(), to.c_str());
}

int SaveStepUnlink(const std::string& path) {
  Step(false);
  return ::unlink(path.c_str());
}

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

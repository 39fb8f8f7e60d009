#include "io/SafeRead.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <set>

#include "diag/Logs.h"
#include "diag/Notices.h"
#include "io/AtomicWrite.h"

namespace bm {

namespace {

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

std::mutex unreadableMutex;
std::set<std::string>& Unreadable() {
  static std::set<std::string> paths;
  return paths;
}
std::string Normal(const std::string& path) { return std::filesystem::path(path).lexically_normal().string(); }

ReadResult Fail(ReadStatus status, const std::string& path, Wording why) {
  if (status == ReadStatus::IoError || status == ReadStatus::NotRegularFile) {
    std::lock_guard lock(unreadableMutex);
    Unreadable().insert(Normal(path));
  }
  ReadResult r;
  r.status = status;
  r.error = why.English();
  r.why = std::move(why);
  return r;
}

Wording CannotOpen(const std::string& path, int e) {
  // TRANSLATORS: Why a file cannot be read, put in for %s of "%s. The game leaves it as it is and will not save
  // over it." The first %s is the file's name, the second the system's own words (they stay as the system gives
  // them, in English).
  return Words("\"%s\" cannot be opened: %s", {AsIs(path), AsIs(std::strerror(e))});
}
Wording CannotRead(const std::string& path, int e) {
  // TRANSLATORS: Why a file cannot be read, like "\"%s\" cannot be opened: %s".
  return Words("\"%s\" cannot be read: %s", {AsIs(path), AsIs(std::strerror(e))});
}

Wording KindOf(const std::string& path, mode_t mode) {
  // TRANSLATORS: What stands where the game reads a file, %s the file's name.
  if (S_ISDIR(mode)) return Words("\"%s\" is a directory", {AsIs(path)});
  if (S_ISFIFO(mode)) return Words("\"%s\" is a FIFO", {AsIs(path)});
  if (S_ISSOCK(mode)) return Words("\"%s\" is a socket", {AsIs(path)});
  if (S_ISCHR(mode) || S_ISBLK(mode)) return Words("\"%s\" is a device", {AsIs(path)});
  return Words("\"%s\" is not a regular file", {AsIs(path)});
}

// Closes the descriptor on every way out.
struct Fd {
  int fd;
  ~Fd() {
    if (fd >= 0) close(fd);
  }
};

}  // namespace

ReadResult ReadFileBounded(const std::string& path, std::size_t maxBytes) {
  // Non-blocking, so opening a FIFO with no writer returns at once; the type check follows.
  Fd f{open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY)};
  if (f.fd < 0) {
    int e = errno;
    if (e == ENOENT || e == ENOTDIR) return Fail(ReadStatus::Missing, path, AsIs(Quoted(path) + " is missing"));
    return Fail(ReadStatus::IoError, path, CannotOpen(path, e));
  }
  struct stat st {};
  if (fstat(f.fd, &st) != 0) return Fail(ReadStatus::IoError, path, CannotRead(path, errno));
  if (!S_ISREG(st.st_mode)) return Fail(ReadStatus::NotRegularFile, path, KindOf(path, st.st_mode));

  ReadResult r;
  r.fileSize = std::uint64_t(st.st_size);
  // One byte past the bound tells an over-long file even when its reported size lies.
  const std::size_t want = maxBytes + 1 == 0 ? maxBytes : maxBytes + 1;
  std::size_t have = 0;
  std::size_t guess = r.fileSize < want ? std::size_t(r.fileSize) + 1 : want;
  r.bytes.resize(guess < 4096 ? std::min<std::size_t>(4096, want) : guess);
  while (have < want) {
    if (have == r.bytes.size()) r.bytes.resize(std::min(want, r.bytes.size() * 2));
    ssize_t n = read(f.fd, r.bytes.data() + have, r.bytes.size() - have);
    if (n < 0) {
      if (errno == EINTR) continue;
      int e = errno;
      ReadResult bad = Fail(ReadStatus::IoError, path, CannotRead(path, e));
      bad.fileSize = r.fileSize;
      return bad;
    }
    if (n == 0) break;
    have += std::size_t(n);
  }
  if (have > maxBytes) {
    r.bytes.resize(maxBytes);
    r.status = ReadStatus::TooLarge;
    r.error = Quoted(path) + " is " + std::to_string(r.fileSize) + " bytes, more than the " +
              std::to_string(maxBytes) + " this file may hold";
    return r;
  }
  r.bytes.resize(have);
  r.bytes.shrink_to_fit();
  r.status = ReadStatus::Ok;
  return r;
}

bool FoundUnreadable(const std::string& path) {
  std::lock_guard lock(unreadableMutex);
  return Unreadable().count(Normal(path)) != 0;
}

void NoticeUnreadable(const ReadResult& result, const std::string& path) {
  if (result.status != ReadStatus::IoError && result.status != ReadStatus::NotRegularFile) return;
  // TRANSLATORS: A notice over any screen (and the web page's status line), %s the reason a file cannot be read
  // ("\"/home/mary/.local/share/brinemoor/saves/players.dat\" cannot be opened: Permission denied"). Wrapped over
  // several lines; room: about half again as long as the English.
  RaiseNotice(path, Words("%s. The game leaves it as it is and will not save over it.", {result.why}));
}

bool KeepDamagedFile(Logs* logs, const std::string& place, const std::string& path, const std::string* copyOf) {
  auto log = [&](const std::string& line) {
    if (logs) logs->WriteRunLog(place, line);
  };
  for (int n = 1; n <= kKeptDamagedCopies; ++n) {
    const std::string kept = path + ".bad" + (n == 1 ? std::string() : "." + std::to_string(n));
    struct stat st;
    if (::lstat(kept.c_str(), &st) == 0 || errno != ENOENT) continue;  // an earlier copy stays as it is
    std::string error;
    const bool ok = copyOf ? WriteFileAtomic(kept, *copyOf, &error) : std::rename(path.c_str(), kept.c_str()) == 0;
    if (!copyOf && !ok) error = std::strerror(errno);
    if (ok)
      log("the damaged file is kept as \"" + kept + "\"");
    else
      log("cannot keep the damaged file as \"" + kept + "\": " + error);
    return ok;
  }
  log(std::to_string(kKeptDamagedCopies) + " damaged copies of \"" + path + "\" are kept already; this one is not");
  return false;
}

void LogReadFailure(Logs& logs, const std::string& place, const ReadResult& result, const std::string& fallback) {
  if (result.ok()) return;
  logs.WriteRunLog(place, result.error + (fallback.empty() ? "" : "; " + fallback));
}

}  // namespace bm

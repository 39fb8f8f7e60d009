#include "storage/AtomicWrite.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace bm {

namespace {
bool Fail(std::string* error, const std::string& what, const std::string& tmp) {
  if (error) *error = what + ": " + std::strerror(errno);
  std::remove(tmp.c_str());
  return false;
}
}  // namespace

bool WriteFileAtomic(const std::string& path, const std::string& bytes, std::string* error) {
  const std::string tmp = path + ".tmp";
  std::FILE* f = std::fopen(tmp.c_str(), "wb");
  if (!f) {
    if (error) *error = "cannot create " + tmp + ": " + std::strerror(errno);
    return false;
  }
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = std::fflush(f) == 0 && ok;
  // The data must be on disk before the rename makes it the real file.
  ok = fsync(fileno(f)) == 0 && ok;
  ok = std::fclose(f) == 0 && ok;
  if (!ok) return Fail(error, "cannot write " + tmp, tmp);
  if (std::rename(tmp.c_str(), path.c_str()) != 0) return Fail(error, "cannot replace " + path, tmp);
  return true;
}

}  // namespace bm

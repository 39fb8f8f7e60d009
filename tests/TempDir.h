// A fresh, empty folder per test, removed with everything in it afterwards, and
// the files in it written and read whole.
#pragma once
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace bm::test {

inline std::string ReadText(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

struct TempDir {
  std::filesystem::path path;
  // inMemory: on /dev/shm when there is one, where flushing costs nothing (for
  // tests that save hundreds of times and check what, not how fast).
  explicit TempDir(bool inMemory = false) {
    std::error_code ec;
    const std::filesystem::path base = inMemory && std::filesystem::is_directory("/dev/shm", ec)
                                           ? std::filesystem::path("/dev/shm")
                                           : std::filesystem::temp_directory_path();
    std::string pattern = (base / "bm_test_XXXXXX").string();
    if (mkdtemp(pattern.data())) path = pattern;
  }
  ~TempDir() {
    std::error_code ec;
    if (!path.empty()) std::filesystem::remove_all(path, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  std::string str() const { return path.string(); }
  std::string File(const std::string& name) const { return (path / name).string(); }
  std::string operator/(const std::string& name) const { return File(name); }
  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(File(name), std::ios::binary) << bytes;
  }
  std::string Read(const std::string& name) const { return ReadText(File(name)); }
};

}  // namespace bm::test

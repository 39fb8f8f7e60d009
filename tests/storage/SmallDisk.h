// A tiny tmpfs mounted on a fresh folder, for full-disk and read-only cases.
// Needs root (or CAP_SYS_ADMIN); otherwise mounted() is false and the test skips
// that part.
#pragma once
#include <sys/mount.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "tests/TempDir.h"

namespace bm::testing {

class SmallDisk {
 public:
  explicit SmallDisk(std::size_t bytes) {
    if (dir_.str().empty() || ::geteuid() != 0) return;
    const std::string options = "size=" + std::to_string(bytes) + ",mode=0755";
    mounted_ = ::mount("tmpfs", dir_.str().c_str(), "tmpfs", 0, options.c_str()) == 0;
  }
  ~SmallDisk() {
    if (mounted_) ::umount2(dir_.str().c_str(), MNT_DETACH);
  }
  SmallDisk(const SmallDisk&) = delete;
  SmallDisk& operator=(const SmallDisk&) = delete;

  bool mounted() const { return mounted_; }
  std::string Path() const { return dir_.str(); }
  bool ReadOnly() {
    return mounted_ && ::mount("tmpfs", dir_.str().c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
  }

 private:
  test::TempDir dir_;
  bool mounted_ = false;
};

}  // namespace bm::testing

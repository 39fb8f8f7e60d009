// Where the game finds its data and where it writes: a build or unpacked copy
// keeps everything beside the program; an installed copy reads from
// <prefix>/share/brinemoor and writes under $XDG_DATA_HOME/brinemoor.
#include <gtest/gtest.h>

#include <cstdlib>

#include "TestDirs.h"
#include "shell/Startup.h"

namespace bm {
namespace {

TEST(Install, InstalledCopyReadsTheSharedDataAndWritesUnderXdg) {
  test::TempDir root;
  auto bin = root.path / "prefix/bin", shared = root.path / "prefix/share/brinemoor";
  std::filesystem::create_directories(bin);
  std::filesystem::create_directories(shared / "levels");
  EXPECT_EQ(GameDirFor(bin.string()), shared.string());
  setenv("XDG_DATA_HOME", (root.path / "xdg").c_str(), 1);
  EXPECT_EQ(DefaultDataDir(bin.string(), shared.string()), (root.path / "xdg/brinemoor").string())
      << "never writes into the prefix, even a writable one";

  auto portable = root.path / "game";
  std::filesystem::create_directories(portable / "levels");
  EXPECT_EQ(GameDirFor(portable.string()), portable.string());
  EXPECT_EQ(DefaultDataDir(portable.string(), portable.string()), portable.string());
  unsetenv("XDG_DATA_HOME");
}

}  // namespace
}  // namespace bm

// Where the game finds its data and where it writes: a build or unpacked copy
// keeps everything beside the program; an installed copy reads from
// <prefix>/share/brinemoor (<prefix>/share/games/brinemoor beside <prefix>/games)
// and writes under $XDG_DATA_HOME/brinemoor.
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/TempDir.h"
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

  auto games = root.path / "usr/games", gameData = root.path / "usr/share/games/brinemoor";
  std::filesystem::create_directories(games);
  EXPECT_EQ(GameDirFor(games.string()), games.string()) << "no data yet: the program's own folder";
  std::filesystem::create_directories(gameData / "levels");
  EXPECT_EQ(GameDirFor(games.string()), gameData.string());

  auto portable = root.path / "game";
  std::filesystem::create_directories(portable / "levels");
  EXPECT_EQ(GameDirFor(portable.string()), portable.string());
  EXPECT_EQ(DefaultDataDir(portable.string(), portable.string()), portable.string());
  unsetenv("XDG_DATA_HOME");
}

}  // namespace
}  // namespace bm

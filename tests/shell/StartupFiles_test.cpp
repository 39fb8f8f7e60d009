// Whole headless runs with the files a real desktop may leave in the game's
// folders: folders, FIFOs, over-long records. Each is logged and the run goes on.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>

#include "tests/TempDir.h"
#include "shell/Startup.h"
#include "storage/Settings.h"

namespace bm {
namespace {

namespace fs = std::filesystem;

// A program folder that links to the shipped one, file by file, so single files can be replaced.
fs::path LinkedGameDir(const test::TempDir& dir) {
  fs::path game = dir.path / "game";
  fs::create_directories(game);
  for (const auto& e : fs::directory_iterator(BM_GAME_DIR)) fs::create_symlink(e.path(), game / e.path().filename());
  return game;
}

RunOptions Headless(const test::TempDir& dir, const fs::path& game) {
  RunOptions o;
  o.headless = true;
  o.dataDir = (dir.path / "data").string();
  o.gameDir = game.string();
  o.maxSeconds = 3;
  o.seed = 1;
  o.seedGiven = true;
  fs::create_directories(o.dataDir);
  return o;
}

TEST(StartupFiles, OverLongConfigIsTheStoredRecordNotAFirstStart) {
  test::TempDir dir;
  RunOptions o = Headless(dir, BM_GAME_DIR);
  SettingsRecord mine = DefaultSettings();
  mine.Resolution = 2;
  mine.MusicVolume = 0.25;
  auto bytes = SerializeSettings(mine);
  std::string file(bytes.begin(), bytes.end());
  std::ofstream(fs::path(o.dataDir) / "config.dat", std::ios::binary) << file << "junk";
  ASSERT_EQ(RunGame(o), 0);
  std::string after = test::ReadText(fs::path(o.dataDir) / "config.dat");
  ASSERT_EQ(after.size(), 50u) << "the extra bytes are dropped";
  std::array<std::uint8_t, kSettingsRecordSize> back{};
  std::copy(after.begin(), after.end(), back.begin());
  SettingsRecord stored = DeserializeSettings(back);
  EXPECT_EQ(stored.Resolution, 2) << "a first start would have picked the largest window";
  EXPECT_EQ(stored.MusicVolume, 0.25);
}

TEST(StartupFiles, FoldersAndFifosInPlaceOfTheSettingsFilesAreLoggedAndLeftAlone) {
  test::TempDir dir;
  fs::path game = LinkedGameDir(dir);
  for (const char* name : {"data.ini", "Sounds.ini"}) {
    fs::remove(game / name);
    fs::create_directory(game / name);
  }
  RunOptions o = Headless(dir, game);
  fs::create_directory(fs::path(o.dataDir) / "config.dat");
  ASSERT_EQ(RunGame(o), 0);
  std::string log = test::ReadText(fs::path(o.dataDir) / "run.log");
  for (const char* name : {"config.dat\" is a directory", "data.ini\" is a directory", "Sounds.ini\" is a directory"})
    EXPECT_NE(log.find(name), std::string::npos) << name << "\n" << log;
  EXPECT_TRUE(fs::is_directory(fs::path(o.dataDir) / "config.dat")) << "what stands there is not replaced";

  // A FIFO with no writer: start-up must not wait for one.
  test::TempDir dir2;
  RunOptions o2 = Headless(dir2, BM_GAME_DIR);
  ASSERT_EQ(mkfifo((fs::path(o2.dataDir) / "config.dat").c_str(), 0600), 0);
  ASSERT_EQ(RunGame(o2), 0);
  EXPECT_NE(test::ReadText(fs::path(o2.dataDir) / "run.log").find("is a FIFO"), std::string::npos);
  EXPECT_TRUE(fs::is_fifo(fs::path(o2.dataDir) / "config.dat"));
}

TEST(StartupFiles, ReferenceRasterizerSwitchPicksSoftwareDrawingAndSaysSo) {
  test::TempDir dir;
  fs::path game = LinkedGameDir(dir);
  fs::remove(game / "data.ini");
  std::ofstream(game / "data.ini", std::ios::binary) << "Force Reference Rasterizer (REF) = true\n";
  RunOptions o = Headless(dir, game);
  o.headless = false;  // a real SDL window, on the driver that needs no display
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  o.maxSeconds = 0.5;
  ASSERT_EQ(RunGame(o), 0);
  std::string log = test::ReadText(fs::path(o.dataDir) / "run.log");
  EXPECT_NE(log.find("Force Reference Rasterizer (REF) is TRUE"), std::string::npos) << log;
  EXPECT_NE(log.find("Renderer: software"), std::string::npos) << log;
  EXPECT_EQ(log.find("BASS: "), std::string::npos) << "every cue loads, the logo's too: " << log;
}

}  // namespace
}  // namespace bm

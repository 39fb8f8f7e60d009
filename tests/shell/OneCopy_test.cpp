// Two copies of the real program on one data folder: the second says so, exits
// non-zero and writes nothing; a copy that crashed leaves no lock behind.
#include <gtest/gtest.h>

#include <fcntl.h>

#include <filesystem>
#include <map>
#include <thread>

#include "PlayerDir.h"
#include "ProgramRun.h"

namespace bm {
namespace {

// Every file of the folder with its bytes and time of change.
std::map<std::string, std::pair<std::string, std::filesystem::file_time_type>> Snapshot(const test::TempDir& dir) {
  std::map<std::string, std::pair<std::string, std::filesystem::file_time_type>> files;
  for (const auto& e : std::filesystem::recursive_directory_iterator(dir.path))
    if (e.is_regular_file()) files[e.path().string()] = {test::ReadText(e.path()), e.last_write_time()};
  return files;
}

TEST(OneCopy, ASecondCopyOnTheSameFolderWritesNothingAndExitsNonZero) {
  test::PlayerDir dir;
  const std::vector<std::string> args = {"--headless", "--data-dir", dir.str(), "--seed", "3"};
  test::Program first;
  ASSERT_TRUE(first.Start(args, {"SDL_AUDIODRIVER=dummy"}, (dir.path / "first.txt").string()));
  ASSERT_TRUE(test::WaitForText(dir.path / "run_pnt.log", "goMainMenu * CP1", 30))
      << test::ReadText(dir.path / "first.txt");
  // Its last start-up line, which a busy machine may hold back a second and more.
  ASSERT_TRUE(test::WaitForText(dir.path / "run.log", "First frame drawn", 30));
  // The first copy comes to rest on the menu: from then on nothing of it changes unless the second writes.
  std::filesystem::create_directories(dir.path / "out");
  auto before = Snapshot(dir);
  for (int still = 0, tries = 0; still < 3 && tries < 100; ++tries) {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    auto now = Snapshot(dir);
    still = now == before ? still + 1 : 0;
    before = std::move(now);
  }

  test::Program second;
  ASSERT_TRUE(second.Start({"--headless", "--data-dir", dir.str(), "--level", "9", "--autoplay"},
                           {"SDL_AUDIODRIVER=dummy"}, (dir.path / "out/second.txt").string()));
  ASSERT_TRUE(second.WaitEnd(20));
  ASSERT_TRUE(WIFEXITED(second.status));
  EXPECT_NE(WEXITSTATUS(second.status), 0);
  const std::string said = test::ReadText(dir.path / "out/second.txt");
  EXPECT_NE(said.find("another copy of the game is running on the data folder"), std::string::npos) << said;
  std::filesystem::remove_all(dir.path / "out");
  EXPECT_EQ(Snapshot(dir), before) << "the second copy changed the first one's files";

  // The first crashes: its lock goes with it, and the next copy starts.
  ASSERT_EQ(kill(first.pid, SIGKILL), 0);
  ASSERT_TRUE(first.WaitEnd(5));
  test::Program third;
  ASSERT_TRUE(third.Start({"--headless", "--data-dir", dir.str(), "--max-seconds", "5"}, {"SDL_AUDIODRIVER=dummy"},
                          (dir.path / "third.txt").string()));
  ASSERT_TRUE(third.WaitEnd(30));
  EXPECT_TRUE(WIFEXITED(third.status) && WEXITSTATUS(third.status) == 0) << test::ReadText(dir.path / "third.txt");
  EXPECT_NE(test::ReadText(dir.path / "run.log").find("Application End."), std::string::npos);
}

}  // namespace
}  // namespace bm

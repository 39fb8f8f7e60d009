// A file the game cannot read (no permission, a folder or FIFO in its place)
// is never saved over: the real program plays a game that saves several times
// on a folder with one such file, and the file is exactly as it was afterwards.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "tests/TempDir.h"

namespace bm {
namespace {

namespace fs = std::filesystem;

// The program on dir: a new game on level 3, the bot leaving (and so saving)
// every 3 s of game clock and continuing. Root plays as nobody, as root reads anything.
int Play(const fs::path& dir, const std::string& seed) {
  std::string as;
  if (::geteuid() == 0) {
    std::system(("chown -R 65534:65534 '" + dir.string() + "'").c_str());
    as = "setpriv --reuid=65534 --regid=65534 --clear-groups ";
  }
  const std::string cmd = "SDL_AUDIODRIVER=dummy SDL_VIDEODRIVER=dummy " + as + BM_GAME_DIR +
                          "/brinemoor --headless --autoplay --level 3 --bot-leave 3 --max-seconds 12 --seed " + seed +
                          " --data-dir '" + dir.string() + "' > '" + dir.string() + "/out.txt' 2>&1";
  return std::system(cmd.c_str());
}

struct Thing {
  fs::file_type type;
  fs::perms perms;
  std::string bytes;
  bool operator==(const Thing&) const = default;
};
Thing Look(const fs::path& p) {
  const fs::file_status st = fs::symlink_status(p);
  std::string bytes;
  if (st.type() == fs::file_type::regular) bytes = test::ReadText(p);
  else if (st.type() == fs::file_type::directory) bytes = test::ReadText(p / "inner");
  return {st.type(), st.permissions(), bytes};
}

TEST(Unreadable, EachKindIsLeftAsItWasByARunThatSaves) {
  test::TempDir saved;
  ASSERT_EQ(Play(saved.path, "3"), 0) << test::ReadText(saved.path / "out.txt");
  enum class Make { NoPermission, Folder, Fifo };
  const std::pair<const char*, Make> cases[] = {
      {"saves/players.dat", Make::NoPermission}, {"saves/hs.dat", Make::NoPermission},
      {"saves/Items.dat", Make::NoPermission},   {"saves/ItemsS.dat", Make::Folder},
      {"saves/ItemsB.dat", Make::Fifo},          {"saves/dump1.dat", Make::NoPermission},
      {"debug.dat", Make::NoPermission},         {"apo.dat", Make::NoPermission},
      {"config.dat", Make::NoPermission},        {"pbar.val", Make::Folder},
      {"saves/generation.txt", Make::NoPermission}};
  for (const auto& [file, make] : cases) {
    test::TempDir dir;
    fs::copy(saved.path, dir.path, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    const fs::path p = dir.path / file;
    ASSERT_TRUE(fs::is_regular_file(p)) << file << " was not saved";
    if (make == Make::NoPermission) {
      fs::permissions(p, fs::perms::none);
    } else {
      fs::remove(p);
      if (make == Make::Folder) {
        fs::create_directory(p);
        std::ofstream(p / "inner") << "the player's";
      } else {
        ASSERT_EQ(::mkfifo(p.c_str(), 0644), 0);
      }
    }
    const Thing before = Look(p);
    EXPECT_EQ(Play(dir.path, "4"), 0) << file << ": " << test::ReadText(dir.path / "out.txt");
    EXPECT_EQ(Look(p), before) << file;
    const std::string log = test::ReadText(dir.path / "run.log");
    EXPECT_NE(log.find("left as it is"), std::string::npos) << file << "\n" << log;
    EXPECT_NE(log.find("Application End."), std::string::npos) << file;
  }
}

}  // namespace
}  // namespace bm

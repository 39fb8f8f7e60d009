// Kill trials: a real process saves every file in a loop and is killed with
// SIGKILL at random moments. After each kill every file, read as a start reads
// it, must be exactly one whole version the writer produced (never torn, never
// empty), the files of one save the same version, and no file may go back to
// a version older than one seen before.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <fstream>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <thread>

#include "board/Cell.h"
#include "io/AtomicWrite.h"
#include "storage/BoardFile.h"
#include "storage/SaveFolder.h"
#include "tests/TempDir.h"

namespace bm {
namespace {

using test::TempDir;

// Version k of everything; k can be read back from each file alone.
SaveData Version(int k) {
  SaveData d;
  d.players.SetCurrent(1 + k % 10);
  for (int s = 1; s <= kLastPlayer; ++s) {
    PlayerRecord& p = d.players.slot[std::size_t(s)];
    p.Name = std::string(std::size_t(1 + (k + s) % 15), char('A' + s));  // the length moves with k
    p.GameScore = k * 10 + s;
    p.TipValue[std::size_t(k % kTipCount)] = k;
  }
  d.debug[0] = k;
  d.debug[100] = -k;
  ResetHighScoreEntries(d.scores);
  d.scores.entry[1].EntryScore = std::to_string(k);
  d.scores.entry[2].EntryName = std::string(std::size_t(k % 40), 'x');
  for (int s = 0; s < kItemSlots; ++s) {
    d.items.items[std::size_t(s)].Object[1].PosX = k;
    d.items.stars[std::size_t(s)].Object[0].HomeX = k;
    d.items.grades[std::size_t(s)].ChanceMark[0][0].X = k;
    d.items.grades[std::size_t(s)].ChanceGrade[std::size_t(1 + s % 10)] = std::int16_t(k % 4);
  }
  d.map.kept[0] = std::uint8_t(k);
  d.map.kept[1] = std::uint8_t(k >> 8);
  return d;
}

std::unique_ptr<Cells> BoardVersion(int k) {
  auto c = std::make_unique<Cells>();
  (*c)[0].Spare[0] = k;
  for (int i = 0; i < kCellCount; ++i) {
    (*c)[i].IsExists = true;
    (*c)[i].Gem = 1 + (i + k) % 5;
  }
  return c;
}

struct FileCheck {
  std::string name;
  // The version a file's bytes claim, or -1 when they are not a whole file.
  std::function<int(const std::string&)> version;
  std::function<std::string(int)> encode;
};

std::vector<FileCheck> Checks() {
  std::vector<FileCheck> c;
  c.push_back({"saves/players.dat",
               [](const std::string& b) { auto t = DecodePlayers(b); return t ? int(t->slot[1].GameScore / 10) : -1; },
               [](int k) { return EncodePlayers(Version(k).players); }});
  c.push_back({"debug.dat", [](const std::string& b) { auto t = DecodeDebugBlock(b); return t ? int((*t)[0]) : -1; },
               [](int k) { return EncodeDebugBlock(Version(k).debug); }});
  c.push_back({"saves/hs.dat",
               [](const std::string& b) {
                 auto t = DecodeHighScores(b);
                 return t ? int(ScoreValue(t->entry[1].EntryScore)) : -1;
               },
               [](int k) { return EncodeHighScores(Version(k).scores); }});
  c.push_back({"saves/Items.dat",
               [](const std::string& b) { auto t = DecodeItemRecords(b); return t ? int((*t)[0].Object[1].PosX) : -1; },
               [](int k) { return EncodeItemRecords(Version(k).items.items); }});
  c.push_back({"saves/ItemsS.dat",
               [](const std::string& b) { auto t = DecodeItemRecords(b); return t ? int((*t)[0].Object[0].HomeX) : -1; },
               [](int k) { return EncodeItemRecords(Version(k).items.stars); }});
  c.push_back({"saves/ItemsB.dat",
               [](const std::string& b) {
                 auto t = DecodeGradeRecords(b);
                 return t ? int((*t)[0].ChanceMark[0][0].X) : -1;
               },
               [](int k) { return EncodeGradeRecords(Version(k).items.grades); }});
  c.push_back({"apo.dat",
               [](const std::string& b) { auto t = DecodeMapPoints(b); return t ? t->kept[0] + 256 * t->kept[1] : -1; },
               [](int k) { return EncodeMapPoints(Version(k).map); }});
  c.push_back({"saves/dump1.dat",
               [](const std::string& b) {
                 auto cells = std::make_unique<Cells>();
                 return DecodeBoard(b, *cells) ? int((*cells)[0].Spare[0]) : -1;
               },
               [](int k) { return EncodeBoard(*BoardVersion(k)); }});
  return c;
}

[[noreturn]] void SaveForever(const std::string& dir, int first) {
  SaveFolder f{dir, dir, nullptr};
  for (int k = first;; ++k) {
    const SaveData d = Version(k);
    SavePlayers(f, d);
    SaveHighScores(f, d);
    SaveItemStatus(f, d);
    SaveSet board = NewSave(f);
    board.Put(SavedName("dump1.dat"), EncodeBoard(*BoardVersion(k)));
    CommitSave(f, "SaveBoard", board);
  }
}

TEST(KillTrial, EveryFileIsWholeAfterEachOfAHundredKills) {
  TempDir dir;
  SaveFolder prep{dir.str(), dir.str(), nullptr};
  PrepareSaveFolder(prep);
  const std::vector<FileCheck> checks = Checks();
  std::map<std::string, int> seen;  // newest version seen per file
  std::mt19937 random(20261206);
  int next = 1;
  int kills = 0, caughtMidWay = 0;
  const auto start = std::chrono::steady_clock::now();
  for (; kills < 100; ++kills) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) SaveForever(dir.str(), next);
    std::this_thread::sleep_for(std::chrono::microseconds(std::uniform_int_distribution<int>(0, 40000)(random)));
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));

    int newest = 0;
    std::set<int> versions;
    std::map<std::string, int> now;
    for (const FileCheck& c : checks) {
      const SavedRead read = ReadSaved(dir.Path(), SavedName(kGenerationFile), c.name, 1 << 20);
      const bool exists = read.read.ok();
      const std::string& bytes = read.read.bytes;
      ASSERT_FALSE(read.odd) << c.name << " after kill " << kills;
      if (!exists) {
        // Only before the first save of that file has finished.
        EXPECT_EQ(seen.count(c.name), 0u) << c.name << " vanished after kill " << kills;
        continue;
      }
      const int k = c.version(bytes);
      ASSERT_GE(k, 1) << c.name << " is torn after kill " << kills << " (" << bytes.size() << " bytes)";
      ASSERT_EQ(bytes, c.encode(k)) << c.name << " is not exactly version " << k;
      EXPECT_GE(k, seen[c.name]) << c.name << " went back to an older version";
      seen[c.name] = now[c.name] = k;
      versions.insert(k);
      newest = std::max(newest, k);
    }
    // One save each: the players with debug.dat, the three item files with the map points.
    EXPECT_EQ(now["saves/players.dat"], now["debug.dat"]) << "after kill " << kills;
    for (const char* f : {"saves/ItemsS.dat", "saves/ItemsB.dat", "apo.dat"})
      EXPECT_EQ(now["saves/Items.dat"], now[f]) << f << " after kill " << kills;
    if (versions.size() > 1) ++caughtMidWay;  // killed between two files of one save
    next = newest + 1;
  }
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::cout << "[ figures  ] " << kills << " kills in " << seconds << " s, " << caughtMidWay
            << " caught between two files of one save, last version " << next - 1 << "\n";
  EXPECT_EQ(kills, 100);
  EXPECT_GT(next, 1);  // the writer got somewhere
  // Temporary files of killed writers are cleared at the next start.
  SaveFolder after{dir.str(), dir.str(), nullptr};
  PrepareSaveFolder(after);
  for (const auto& e : std::filesystem::directory_iterator(dir.File("saves")))
    EXPECT_EQ(e.path().filename().string().find(".tmp."), std::string::npos) << e.path();
}

}  // namespace
}  // namespace bm

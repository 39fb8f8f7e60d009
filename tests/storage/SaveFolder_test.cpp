#include "storage/SaveFolder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include "diag/Logs.h"
#include "diag/Notices.h"
#include "io/AtomicWrite.h"
#include "storage/BoardFile.h"
#include "storage/ProgressBar.h"
#include "storage/Settings.h"
#include "storage/WindowFile.h"
#include "tests/storage/SmallDisk.h"
#include "tests/TempDir.h"

namespace bm {
namespace {

namespace fs = std::filesystem;
using testing::SmallDisk;
using test::TempDir;

struct Folder {
  explicit Folder(const std::string& dataDir, const std::string& gameDir = {}) : logs(dataDir) {
    logs.SetTimeSource([] { return "01.01.2024 00:00:00"; });
    f.dataDir = dataDir;
    f.gameDir = gameDir.empty() ? dataDir : gameDir;
    f.logs = &logs;
    PrepareSaveFolder(f);
  }
  std::string Log() const { return test::ReadText(logs.RunLogPath()); }
  Logs logs;
  SaveFolder f;
};

// Every slot of every file different.
SaveData Varied() {
  SaveData d;
  for (int s = 1; s <= kLastPlayer; ++s) {
    PlayerRecord& p = d.players.slot[std::size_t(s)];
    p.Name = "Player " + std::to_string(s);
    p.GameScore = s * 1111;
    p.MaxLevel = s + 3;
    p.GameLevel = s;
    p.GameLives = s % 4;
    p.TimeLeft = s / 16.0;
    p.TimeTotal = 100 + s;
    p.BonusStock[std::size_t(s % 5)] = s;
    p.TipShown[std::size_t(s * 7)] = kTrue;
    p.TipValue[std::size_t(s)] = -s;
  }
  d.players.SetCurrent(6);
  for (int i = 0; i < kDebugBlockValues; ++i) d.debug[std::size_t(i)] = i * i - 50;
  ResetHighScoreEntries(d.scores);
  EnterHighScore(d.scores, "Ann", 123456);
  for (int s = 0; s < kItemSlots; ++s) {
    Key(d.items.items[std::size_t(s)], 1 + s % 10).Flag = kTrue;
    Lock(d.items.items[std::size_t(s)], 1 + (s + 3) % 10).Flag = kFalse;
    d.items.stars[std::size_t(s)].Object[std::size_t(1 + s % 6)].Flag = kTrue;
    d.items.grades[std::size_t(s)].ChanceGrade[std::size_t(1 + s % 10)] = std::int16_t(1 + s % 3);
    d.items.grades[std::size_t(s)].PowerGrade[std::size_t(1 + s % 4)] = 3;
  }
  for (int n = 0; n < kMapPoints; ++n) d.map.point[std::size_t(n)] = {n * 10, 900 - n * 5};
  for (std::size_t i = 0; i < kMapPointsKept; ++i) d.map.kept[i] = std::uint8_t(255 - i % 256);
  return d;
}

bool SaveAll(SaveFolder& f, const SaveData& d) {
  bool ok = SavePlayers(f, d);
  ok = SaveHighScores(f, d) && ok;
  return SaveItemStatus(f, d) && ok;
}

SaveData LoadAll(SaveFolder& f) {
  SaveData d;
  d.players.SetCurrent(2);  // overwritten by the load
  LoadPlayers(f, d);
  LoadHighScores(f, d);
  LoadItemStatus(f, d);
  LoadMapPoints(f, d);
  return d;
}

TEST(SaveFiles, MissingFilesGiveFirstRunDefaultsAndEveryFileRoundTrips) {
  TempDir dir;
  Folder folder(dir.str());
  const SaveData d = Varied();
  ASSERT_TRUE(SaveAll(folder.f, d));
  EXPECT_EQ(std::pair(folder.f.counters.writes, folder.f.counters.failures), std::pair(7L, 0L));
  for (const char* name : {"players.dat", "hs.dat", "Items.dat", "ItemsS.dat", "ItemsB.dat"})
    EXPECT_TRUE(fs::exists(dir.File(std::string("saves/") + name))) << name;
  EXPECT_EQ(std::pair(fs::file_size(dir.File("debug.dat")), fs::file_size(dir.File("apo.dat"))), std::pair(404ul, 1616ul));

  const SaveData back = LoadAll(folder.f);
  EXPECT_TRUE(std::tie(back.players, back.debug, back.scores, back.items, back.map) ==
              std::tie(d.players, d.debug, d.scores, d.items, d.map));
  EXPECT_EQ(back.grades, d.items.grades[6]);  // the working copy is the current player's
  EXPECT_EQ(folder.Log().find("repaired"), std::string::npos) << folder.Log();
  EXPECT_NE(folder.Log().find("LoadItemStatus() *"), std::string::npos);
  // Missing files give the first run's defaults and create nothing.
  TempDir empty;
  Folder none(empty.str());
  const SaveData first = LoadAll(none.f);
  EXPECT_TRUE(std::tie(first.players, first.scores, first.items, first.map) ==
              std::make_tuple(EmptyPlayers(), EmptyHighScores(), NewGameItemStatus(), MapPoints{}));
  EXPECT_EQ(fs::directory_iterator(empty.File("saves")), fs::directory_iterator());
  EXPECT_NE(none.Log().find("players.dat\" is missing"), std::string::npos) << none.Log();
}

// Bytes no reader takes: the same every run.
std::string Noise(std::size_t n) {
  std::string b(n, '\0');
  std::uint32_t x = 2463534242u;
  for (char& c : b) {
    x ^= x << 13, x ^= x >> 17, x ^= x << 5;
    c = char(x);
  }
  return b;
}

// A damaged file of each kind is logged and kept aside exactly as it was
// before its defaults take its place; the other files stay as they are.
TEST(SaveFiles, ADamagedFileOfEachKindIsKeptAsItWas) {
  auto place = [](std::string b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + std::size_t(i)] = char(v >> (8 * i));
    return b;
  };
  struct Case {
    const char* file;
    std::function<std::string(const std::string&)> damage;
    std::function<bool(Folder&)> load;  // true when the defaults came
    const char* logged;
  };
  const SaveData d = Varied();
  auto all = [&](Folder& f, std::function<bool(const SaveData&)> fresh) {
    const SaveData back = LoadAll(f.f);
    return fresh(back) && back.scores == d.scores;
  };
  const std::vector<Case> cases = {
      // A name 60000 bytes long.
      {"saves/players.dat", [](const std::string& b) { return b.substr(0, 674) + "\x60\xEA" + b.substr(676); },
       [&](Folder& f) { return all(f, [](const SaveData& x) { return x.players == EmptyPlayers(); }); }, "is damaged"},
      // Random bytes of the right size: hundreds of odd values, not repaired one by one.
      {"saves/Items.dat", [](const std::string& b) { return Noise(b.size()); },
       [&](Folder& f) { return all(f, [&](const SaveData& x) { return x.items.items == NewGameItemStatus().items && x.items.stars == d.items.stars; }); },
       "values out of range"},
      {"saves/ItemsS.dat", [](const std::string&) { return std::string("short"); },
       [&](Folder& f) { return all(f, [](const SaveData& x) { return x.items.stars == NewGameItemStatus().stars; }); }, "bytes where"},
      {"saves/ItemsB.dat", [](const std::string& b) { return b + "x"; },
       [&](Folder& f) { return all(f, [](const SaveData& x) { return x.items.grades == NewGameItemStatus().grades; }); }, "more than"},
      {"apo.dat", [&](const std::string& b) { return place(b, 5 * 8, 0x7FFFFFFF); },
       [&](Folder& f) { return all(f, [](const SaveData& x) { return x.map == MapPoints{}; }); }, "off the map"},
      {"config.dat", [](const std::string&) { return std::string(20, '\x01'); },
       [](Folder& f) { return LoadSettings(f.f.dataDir, f.logs) == DefaultSettings(); }, "shorter than"},
      {"pbar.val", [&](const std::string&) { return place(std::string(4, '\0'), 0, 0xFFFFFFFF); },
       [](Folder& f) { return LoadPBar(f.f.dataDir, f.logs) == 1; }, "out of range"},
      {"window.dat", [](const std::string&) { return SerializeWindowRecord({800, 600, 7}); },
       [](Folder& f) { return !LoadWindowRecord(f.f.dataDir, f.logs); }, "damaged"},
  };
  for (const Case& c : cases) {
    TempDir dir;
    Folder folder(dir.str());
    ASSERT_TRUE(SaveAll(folder.f, d));
    SaveSettings(dir.str(), DefaultSettings(), folder.logs);
    SavePBar(dir.str(), 40, folder.logs);
    SaveWindowRecord(dir.str(), {800, 600, 0}, folder.logs);
    const std::string bad = c.damage(test::ReadText(dir.File(c.file)));
    dir.Write(c.file, bad);
    // Saved before there was a generation file: the file's own checks find the damage.
    fs::remove(dir.File("saves/generation.txt"));
    EXPECT_TRUE(c.load(folder)) << c.file;
    EXPECT_EQ(test::ReadText(dir.File(std::string(c.file) + ".bad")), bad) << c.file;
    EXPECT_NE(folder.Log().find(c.logged), std::string::npos) << c.file << "\n" << folder.Log();
    EXPECT_LT(folder.Log().size(), 4000u) << c.file;
  }
}

// Files a save wrote, changed behind its back (random bytes of the right
// size, another game's board): each one is kept aside, never paired with the
// others, even where no check of its own could tell.
TEST(SaveFiles, AFileTheLastSaveDidNotWriteIsKeptAside) {
  for (const char* file : {"debug.dat", "saves/dump3.dat", "saves/hs.dat"}) {
    TempDir dir;
    Folder folder(dir.str());
    const SaveData d = Varied();
    SaveSet save = NewSave(folder.f);
    PutPlayers(save, d);
    PutHighScores(save, d);
    save.Put("saves/dump3.dat", Noise(kBoardFileSize));
    ASSERT_TRUE(CommitSave(folder.f, "test", save));
    const std::string other = Noise(fs::file_size(dir.File(file)) + 1).substr(1);
    dir.Write(file, other);
    SettleSaves(folder.f);
    EXPECT_EQ(test::ReadText(dir.File(std::string(file) + ".bad")), other) << file;
    EXPECT_NE(folder.Log().find("is not the file save 1 wrote"), std::string::npos) << folder.Log();
    const SaveData back = LoadAll(folder.f);
    EXPECT_EQ(back.players, d.players) << file;
  }
}

// A file that cannot be read is told on screen, once, with its path.
TEST(SaveFiles, AFileThatCannotBeReadIsToldOnScreenOnce) {
  TempDir dir;
  Folder folder(dir.str());
  fs::create_directories(dir.File("saves/players.dat"));
  ClearNotices();
  SaveData d;
  LoadPlayers(folder.f, d);
  LoadPlayers(folder.f, d);
  const std::string told = CurrentNotice(0).English();
  EXPECT_NE(told.find("\"" + dir.File("saves/players.dat") + "\""), std::string::npos) << told;
  EXPECT_FALSE(SavePlayers(folder.f, Varied()));
  EXPECT_TRUE(CurrentNotice(kNoticeShownMs).empty()) << "told once, the save it fails adding nothing";
}

// Damaged again and again: each kept copy stays as it was, up to the cap.
TEST(SaveFiles, KeptDamagedCopiesAreNumberedNeverOverwrittenAndCapped) {
  TempDir dir;
  Folder folder(dir.str());
  for (int k = 1; k <= kKeptDamagedCopies + 1; ++k) {
    dir.Write("saves/hs.dat", "damaged " + std::to_string(k));
    SaveData d;
    LoadHighScores(folder.f, d);
  }
  EXPECT_EQ(test::ReadText(dir.File("saves/hs.dat.bad")), "damaged 1");
  EXPECT_EQ(test::ReadText(dir.File("saves/hs.dat.bad.5")), "damaged 5");
  EXPECT_EQ(test::ReadText(dir.File("saves/hs.dat")), "damaged 6") << "past the cap the file stays where it is";
  EXPECT_NE(folder.Log().find("are kept already"), std::string::npos) << folder.Log();
}

TEST(SaveFiles, OddValuesInASoundFileAreRepairedNotDropped) {
  TempDir dir;
  Folder folder(dir.str());
  SaveData d = Varied();
  d.players.slot[3].MaxLevel = 99;
  d.players.slot[3].Name = "Bad_Name";
  Key(d.items.items[4], 2).Flag = 3;
  ASSERT_TRUE(SaveAll(folder.f, d));
  const SaveData back = LoadAll(folder.f);
  EXPECT_EQ(std::pair(back.players.slot[3].MaxLevel, back.players.slot[3].Name), std::pair(kMaxGameLevel, std::string("BadName")));
  EXPECT_TRUE(back.players.slot[4] == d.players.slot[4] && back.items.stars == d.items.stars);
  EXPECT_EQ(Key(back.items.items[4], 2).Flag, kFalse);
  EXPECT_NE(folder.Log().find("repaired: slot 3: MaxLevel 99"), std::string::npos) << folder.Log();
}

TEST(SaveFiles, MapPointsKeepTheirTailAndFallBackToTheShippedFile) {
  TempDir game, data;
  SaveData shipped = Varied();
  shipped.map.kept[100] = 0x5A;
  ASSERT_TRUE(WriteFileAtomic(game.File("apo.dat"), EncodeMapPoints(shipped.map)));
  Folder folder(data.str(), game.str());
  SaveData d;
  LoadMapPoints(folder.f, d);
  EXPECT_EQ(d.map, shipped.map);
  ASSERT_TRUE(SaveItemStatus(folder.f, d));
  EXPECT_EQ(test::ReadText(data.File("apo.dat")), test::ReadText(game.File("apo.dat")));

  // A damaged copy in the data folder: the shipped one again, the shipped file never moved.
  data.Write("apo.dat", "junk");
  SaveData again;
  LoadMapPoints(folder.f, again);
  EXPECT_EQ(again.map, shipped.map);
  EXPECT_TRUE(fs::exists(data.File("apo.dat.bad")));
  game.Write("apo.dat", "junk too");
  LoadMapPoints(folder.f, again);
  EXPECT_EQ(again.map, MapPoints{});
  EXPECT_TRUE(fs::exists(game.File("apo.dat")));
}

TEST(SaveFailures, AReadOnlyFolderIsLoggedAndLoadsStillWork) {
  SmallDisk disk(256 * 1024);
  if (!disk.mounted() && ::geteuid() == 0) GTEST_SKIP() << "root writes through folder permissions";
  TempDir plain;
  std::string path = disk.mounted() ? disk.Path() : plain.str();
  SaveData d = Varied();
  {
    Folder folder(path);
    ASSERT_TRUE(SaveAll(folder.f, d));
  }
  if (disk.mounted()) {
    ASSERT_TRUE(disk.ReadOnly());
  } else {
    ::chmod((path + "/saves").c_str(), 0555);
    ::chmod(path.c_str(), 0555);
  }
  TempDir logDir;
  Logs logs(logDir.str());
  SaveFolder f{path, path, &logs};
  SaveData changed = d;
  changed.players.slot[1].GameScore = 1;
  ClearNotices();
  EXPECT_FALSE(SaveAll(f, changed));
  EXPECT_EQ(f.counters.failures, 7);
  const std::string told = CurrentNotice(0).English();
  EXPECT_NE(told.find("could not be saved: cannot write"), std::string::npos) << told;
  EXPECT_TRUE(CurrentNotice(kNoticeShownMs).empty()) << "one notice for the folder and its cause";
  EXPECT_EQ(LoadAll(f).players, d.players);
  const std::string log = test::ReadText(logs.RunLogPath());
  EXPECT_NE(log.find("cannot write"), std::string::npos) << log;
  if (!disk.mounted()) {
    ::chmod(path.c_str(), 0755);
    ::chmod((path + "/saves").c_str(), 0755);
  }
}

}  // namespace
}  // namespace bm

#include "io/AtomicWrite.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "io/FolderLock.h"
#include "tests/TempDir.h"
#include "tests/storage/SmallDisk.h"

namespace bm {
namespace {

using test::TempDir;

std::size_t FilesIn(const TempDir& dir) {
  std::size_t n = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.str())) ++n;
  return n;
}

// Written piece by piece (a tape as the game runs): the file appears whole on
// Commit, and a writer dropped before it leaves the old file and no litter.
TEST(AtomicWrite, ReplacesWholeLeavesNoTemporaryFileAndAFileWrittenInPiecesAppearsOnlyWhole) {
  TempDir dir;
  dir.Write("t.tape", "old");
  std::string whole;
  AtomicFile f;
  ASSERT_TRUE(f.Open(dir.File("t.tape")));
  for (int k = 0; k < 5000; ++k) {
    std::string line = "F " + std::to_string(k) + " 1.5 2.5\n";
    f.Write(line);
    whole += line;
  }
  f.Write(std::string(100000, 'x'));
  whole += std::string(100000, 'x');
  EXPECT_EQ(dir.Read("t.tape"), "old");
  ASSERT_TRUE(f.Commit());
  EXPECT_EQ(dir.Read("t.tape"), whole);
  {
    AtomicFile dropped;
    ASSERT_TRUE(dropped.Open(dir.File("t.tape")));
    dropped.Write("new");
  }
  EXPECT_EQ(dir.Read("t.tape"), whole);
  EXPECT_EQ(FilesIn(dir), 1u);
  TempDir fresh;
  fresh.Write("a.dat", "old contents");
  std::uint64_t writes = AtomicWritesDone();
  for (const std::string& bytes : {std::string("new\0bytes", 9), std::string()}) {
    ASSERT_TRUE(WriteFileAtomic(fresh.File("a.dat"), bytes));
    EXPECT_EQ(fresh.Read("a.dat"), bytes);
  }
  EXPECT_EQ(FilesIn(fresh), 1u);
  EXPECT_EQ(AtomicWritesDone(), writes + 2) << "each write is counted, so the browser build copies it";
}

TEST(AtomicWrite, AFailedReplaceKeepsTheOldFileAndSaysWhy) {
  TempDir dir;
  // The target is a non-empty folder: the rename fails after the data is written.
  std::filesystem::create_directories(dir.File("busy/inner"));
  std::string error;
  std::uint64_t writes = AtomicWritesDone();
  EXPECT_FALSE(WriteFileAtomic(dir.File("busy"), "data", &error));
  EXPECT_NE(error.find("busy"), std::string::npos) << error;
  EXPECT_TRUE(std::filesystem::is_directory(dir.File("busy/inner")));
  EXPECT_EQ(FilesIn(dir), 1u);  // the temporary file is gone
  // A missing folder fails before anything is written. The reason names the file the player knows, never
  // the temporary one beside it, with the system's words as they are.
  EXPECT_FALSE(WriteFileAtomic(dir.File("nowhere/a.dat"), "data", &error));
  EXPECT_EQ(error, "cannot create \"" + dir.File("nowhere/a.dat") + "\": " + std::strerror(ENOENT));
  EXPECT_EQ(AtomicWritesDone(), writes) << "a failed write is not counted";
  // The disk full while writing: the old file stays as it was.
  dir.Write("kept.dat", "old");
  SetSaveFault(SaveFault::Full, 1);  // from the next step on
  EXPECT_FALSE(WriteFileAtomic(dir.File("kept.dat"), "new", &error));
  EXPECT_EQ(error, "cannot write \"" + dir.File("kept.dat") + "\": " + std::strerror(ENOSPC));
  SetSaveFault(SaveFault::None, 0);
  EXPECT_EQ(dir.Read("kept.dat"), "old");
}

TEST(AtomicWrite, StaleTemporaryFilesOfKilledWritersAreRemoved) {
  TempDir dir;
  dir.Write("players.dat", "good");
  dir.Write("players.dat.tmp.123", "torn");
  dir.Write("hs.dat.tmp.99999", "torn");
  dir.Write("notes.tmp.txt", "keep");  // not our pattern
  dir.Write("x.dat.tmp." + std::to_string(getpid()), "a write of this process");
  EXPECT_EQ(RemoveStaleTempFiles(dir.str()), 2);
  EXPECT_EQ(dir.Read("players.dat"), "good");
  EXPECT_TRUE(std::filesystem::exists(dir.File("notes.tmp.txt")) && std::filesystem::exists(dir.File("x.dat.tmp." + std::to_string(getpid()))));
  EXPECT_EQ(RemoveStaleTempFiles(dir.File("missing")), 0);
}

// Two folders whose lock files link to one file do not block each other, and a
// read-only folder (its lock file there or not) still keeps a second copy out.
TEST(FolderLock, NeverThroughALinkAndAReadOnlyFolderStillGuarded) {
  TempDir shared, one, two;
  shared.Write("lock", "");
  for (const TempDir* d : {&one, &two})
    ASSERT_EQ(::symlink(shared.File("lock").c_str(), d->File(kLockFileName).c_str()), 0);
  FolderLock a, b, again;
  EXPECT_EQ(a.Take(one.str()), FolderLock::Result::Held);
  EXPECT_EQ(b.Take(two.str()), FolderLock::Result::Held);
  EXPECT_EQ(again.Take(one.str()), FolderLock::Result::Busy);
  for (bool withFile : {true, false}) {
    testing::SmallDisk disk(64 * 1024);
    if (!disk.mounted()) GTEST_SKIP() << "no tmpfs without root";
    if (withFile) std::ofstream(disk.Path() + "/" + kLockFileName) << "";
    ASSERT_TRUE(disk.ReadOnly());
    FolderLock first, second;
    EXPECT_EQ(first.Take(disk.Path()), FolderLock::Result::Held) << withFile;
    EXPECT_EQ(second.Take(disk.Path()), FolderLock::Result::Busy) << withFile;
  }
}

}  // namespace
}  // namespace bm

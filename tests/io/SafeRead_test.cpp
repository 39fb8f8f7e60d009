#include "io/SafeRead.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "tests/TempDir.h"

namespace bm {
namespace {

using test::TempDir;

TEST(SafeRead, ReadsRegularFilesUpToTheBoundAndFailsAtOnceOnAnythingElse) {
  TempDir dir;
  dir.Write("a.bin", std::string("ab\0cd", 5));
  ReadResult r = ReadFileBounded(dir.File("a.bin"), 5);
  ASSERT_TRUE(r.ok()) << r.error;
  EXPECT_EQ(r.bytes, std::string("ab\0cd", 5));
  EXPECT_EQ(r.fileSize, 5u);
  EXPECT_TRUE(r.error.empty());
  dir.Write("empty", "");
  EXPECT_TRUE(ReadFileBounded(dir.File("empty"), 10).ok());
  // A longer file gives only its front and says so.
  dir.Write("big", std::string(10000, 'x') + "tail");
  r = ReadFileBounded(dir.File("big"), 50);
  EXPECT_EQ(std::tuple(r.status, r.bytes, r.fileSize), std::tuple(ReadStatus::TooLarge, std::string(50, 'x'), 10004ull));
  EXPECT_NE(r.error.find(dir.File("big")), std::string::npos);
  // The bound itself is still a whole file.
  dir.Write("exact", std::string(50, 'y'));
  EXPECT_TRUE(ReadFileBounded(dir.File("exact"), 50).ok());
  // Missing files, folders, FIFOs and unreadable files fail at once.
  TempDir other;
  EXPECT_EQ(ReadFileBounded(other.File("nothing"), 10).status, ReadStatus::Missing);
  EXPECT_EQ(ReadFileBounded(other.File("no/such/path"), 10).status, ReadStatus::Missing);
  std::filesystem::create_directory(other.File("folder"));
  ReadResult d = ReadFileBounded(other.File("folder"), 10);
  EXPECT_EQ(d.status, ReadStatus::NotRegularFile);
  EXPECT_NE(d.error.find("directory"), std::string::npos);
  // A FIFO with no writer would block a plain open for ever.
  ASSERT_EQ(mkfifo(other.File("fifo").c_str(), 0600), 0);
  ReadResult f = ReadFileBounded(other.File("fifo"), 10);
  EXPECT_EQ(f.status, ReadStatus::NotRegularFile);
  EXPECT_NE(f.error.find("FIFO"), std::string::npos);
  EXPECT_EQ(ReadFileBounded("/dev/zero", 10).status, ReadStatus::NotRegularFile);
  if (geteuid() != 0) {  // root reads anything
    other.Write("locked", "secret");
    chmod(other.File("locked").c_str(), 0);
    EXPECT_EQ(ReadFileBounded(other.File("locked"), 10).status, ReadStatus::IoError);
  }
}

}  // namespace
}  // namespace bm

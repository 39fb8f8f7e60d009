#include "io/SaveSet.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "io/AtomicWrite.h"
#include "tests/TempDir.h"

namespace bm {
namespace {

using test::TempDir;

TEST(SaveSet, AFileNoSaveWroteIsOddOneWrittenBeforeAnyIsTakenAndNothingUnreadIsReplaced) {
  TempDir dir;
  dir.Write("before.dat", "saved before there was a generation file");
  SaveSet save(dir.str(), "gen");
  save.Put("a.dat", "a");
  save.Put("b.dat", "b");
  ASSERT_TRUE(save.Commit());
  dir.Write("a.dat", "an older a");
  GenerationRead gen = ReadGeneration(dir.str(), "gen");
  EXPECT_TRUE(ReadSaved(dir.str(), gen, "a.dat", 100).odd);
  EXPECT_FALSE(ReadSaved(dir.str(), gen, "b.dat", 100).odd);
  EXPECT_FALSE(ReadSaved(dir.str(), gen, "before.dat", 100).odd);
  // The generation file's own text: read back exactly, and nothing else read as one.
  EXPECT_EQ(DecodeGeneration(EncodeGeneration(gen.generation)), gen.generation);
  for (const char* bad :
       {"", "brinemoor generation x\n", "brinemoor generation 1", "brinemoor generation 1\nfile 1 0000000000000001\n",
        "brinemoor generation 1\nkeep 1 0000000000000001 a\n", "brinemoor generation 1\nfile 1 00000000001 a\n",
        "brinemoor generation 1\nfile 1 0000000000000001 ../a\n", "brinemoor generation 1\nfile 1 0000000000000001 /a\n",
        "brinemoor generation 1\nfile 1 0000000000000001 a\ngone 0 0000000000000000 a\n"})
    EXPECT_FALSE(DecodeGeneration(bad)) << bad;
  // Nothing that cannot be read is replaced.
  TempDir unread;
  std::filesystem::create_directory(unread.File("folder.dat"));
  ASSERT_EQ(mkfifo(unread.File("fifo.dat").c_str(), 0600), 0);
  unread.Write("plain.dat", "x");
  for (const char* name : {"folder.dat", "fifo.dat"}) {
    SaveSet save(unread.str(), "gen");
    save.Put("other.dat", "new");
    save.Put(name, "new");
    Wording error;
    std::string failed;
    EXPECT_FALSE(save.Commit(&error, &failed)) << name;
    EXPECT_EQ(failed, unread.File(name));
    EXPECT_NE(error.English().find("left as it is"), std::string::npos) << error.English();
    EXPECT_FALSE(std::filesystem::exists(unread.File("other.dat"))) << name;
  }
  EXPECT_TRUE(std::filesystem::is_directory(unread.File("folder.dat")));
  EXPECT_TRUE(std::filesystem::is_fifo(unread.File("fifo.dat")));
  EXPECT_TRUE(MayReplace(unread.File("plain.dat")) && MayReplace(unread.File("nothing.dat")));
  // What a read in this run could not read stays untouched, even once it could be.
  EXPECT_EQ(ReadFileBounded(unread.File("fifo.dat"), 10).status, ReadStatus::NotRegularFile);
  std::filesystem::remove(unread.File("fifo.dat"));
  unread.Write("fifo.dat", "the player's");
  EXPECT_FALSE(MayReplace(unread.File("fifo.dat")));
}

}  // namespace
}  // namespace bm

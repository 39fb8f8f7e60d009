#include "io/SaveSet.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "io/AtomicWrite.h"
#include "tests/storage/TempDir.h"

namespace bm {
namespace {

using testing::TempDir;

constexpr const char* kGen = "saves/generation.txt";

std::string Read(const std::string& base, const std::string& name) {
  SavedRead r = ReadSaved(base, kGen, name, 1 << 20);
  return r.odd ? "odd" : r.read.ok() ? r.read.bytes : "missing";
}

// A save stopped at every one of its steps (killed there, or the disk full
// from that write on), then read back as the next start reads it: all of the
// old save or all of the new one, never a mix.
TEST(SaveSet, AKillOrAFullDiskAtAnyStepLeavesOneWholeSave) {
  const std::string big(200000, 'b');
  int tried = 0;
  for (SaveFault fault : {SaveFault::Kill, SaveFault::Full}) {
    for (long step = 1;; ++step) {
      TempDir dir(true);
      std::filesystem::create_directory(dir.File("saves"));
      SaveSet before(dir.Path(), kGen);
      before.Put("a.dat", "old a");
      before.Put("saves/b.dat", "old b");
      before.Put("saves/c.dat", "old c");
      ASSERT_TRUE(before.Commit());
      const pid_t child = fork();
      ASSERT_GE(child, 0);
      if (child == 0) {
        SetSaveFault(fault, step);
        SaveSet save(dir.Path(), kGen);
        save.Put("a.dat", "new a");
        save.Put("saves/b.dat", big);
        save.Remove("saves/c.dat");
        _exit(save.Commit() ? 0 : 1);
      }
      int status = 0;
      waitpid(child, &status, 0);
      ++tried;
      const std::string a = Read(dir.Path(), "a.dat"), b = Read(dir.Path(), "saves/b.dat"),
                        c = Read(dir.Path(), "saves/c.dat");
      const bool old = a == "old a" && b == "old b" && c == "old c";
      const bool fresh = a == "new a" && b == big && c == "missing";
      EXPECT_TRUE(old || fresh) << "step " << step << ": " << a << ", " << b.size() << " bytes, " << c;
      EXPECT_FALSE(std::filesystem::exists(dir.File("saves/b.dat.next")) && !fresh) << "step " << step;
      // The step was never reached: the save ran whole.
      if (WIFEXITED(status) && WEXITSTATUS(status) == 0) {
        EXPECT_TRUE(fresh) << "step " << step;
        break;
      }
    }
  }
  std::cout << "[ figures  ] " << tried << " saves stopped at a step, none split\n";
}

TEST(SaveSet, AFileNoSaveWroteIsOddOneWrittenBeforeAnyIsTakenAsItIs) {
  TempDir dir;
  dir.Write("before.dat", "saved before there was a generation file");
  SaveSet save(dir.Path(), "gen");
  save.Put("a.dat", "a");
  save.Put("b.dat", "b");
  ASSERT_TRUE(save.Commit());
  dir.Write("a.dat", "an older a");
  GenerationRead gen = ReadGeneration(dir.Path(), "gen");
  EXPECT_TRUE(ReadSaved(dir.Path(), gen, "a.dat", 100).odd);
  EXPECT_FALSE(ReadSaved(dir.Path(), gen, "b.dat", 100).odd);
  EXPECT_FALSE(ReadSaved(dir.Path(), gen, "before.dat", 100).odd);
  // The generation file's own text: read back exactly, and nothing else read as one.
  EXPECT_EQ(DecodeGeneration(EncodeGeneration(gen.generation)), gen.generation);
  for (const char* bad :
       {"", "brinemoor generation x\n", "brinemoor generation 1", "brinemoor generation 1\nfile 1 0000000000000001\n",
        "brinemoor generation 1\nkeep 1 0000000000000001 a\n", "brinemoor generation 1\nfile 1 00000000001 a\n",
        "brinemoor generation 1\nfile 1 0000000000000001 ../a\n", "brinemoor generation 1\nfile 1 0000000000000001 /a\n",
        "brinemoor generation 1\nfile 1 0000000000000001 a\ngone 0 0000000000000000 a\n"})
    EXPECT_FALSE(DecodeGeneration(bad)) << bad;
}

// What we could not read is never replaced or removed: the whole save fails first.
TEST(SaveSet, NothingThatCannotBeReadIsReplaced) {
  TempDir dir;
  std::filesystem::create_directory(dir.File("folder.dat"));
  ASSERT_EQ(mkfifo(dir.File("fifo.dat").c_str(), 0600), 0);
  dir.Write("plain.dat", "x");
  for (const char* name : {"folder.dat", "fifo.dat"}) {
    SaveSet save(dir.Path(), "gen");
    save.Put("other.dat", "new");
    save.Put(name, "new");
    std::string error, failed;
    EXPECT_FALSE(save.Commit(&error, &failed)) << name;
    EXPECT_EQ(failed, dir.File(name));
    EXPECT_NE(error.find("left as it is"), std::string::npos) << error;
    EXPECT_FALSE(std::filesystem::exists(dir.File("other.dat"))) << name;
  }
  EXPECT_TRUE(std::filesystem::is_directory(dir.File("folder.dat")));
  EXPECT_TRUE(std::filesystem::is_fifo(dir.File("fifo.dat")));
  EXPECT_TRUE(MayReplace(dir.File("plain.dat")) && MayReplace(dir.File("nothing.dat")));
}

}  // namespace
}  // namespace bm

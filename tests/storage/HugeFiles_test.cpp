// Files far larger than any the game writes: each reader takes only its bound,
// so neither the time nor the memory depends on what a damaged file claims.
// Each case runs in a child process whose address space is capped a little
// above what it already uses; reading a whole file of that size would fail there.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>

#include "board/Rng.h"
#include "diag/Logs.h"
#include "platform/SoundFileInfo.h"
#include "progress/LoadLevel.h"
#include "io/IniReader.h"
#include "storage/Settings.h"
#include "tests/TempDir.h"

namespace bm {
namespace {

using test::TempDir;

#ifndef BM_SANITIZE  // the sanitizers reserve far more address space than any cap allows
long long VirtualBytes() {
  std::ifstream in("/proc/self/statm");
  long long pages = 0;
  in >> pages;
  return pages * sysconf(_SC_PAGESIZE);
}

// True when body returned true in a child limited to its present size plus extraMb.
bool InCappedChild(long long extraMb, const std::function<bool()>& body) {
  pid_t pid = fork();
  if (pid == 0) {
    rlimit cap{};
    cap.rlim_cur = cap.rlim_max = rlim_t(VirtualBytes() + extraMb * 1024 * 1024);
    setrlimit(RLIMIT_AS, &cap);
    _exit(body() ? 0 : 1);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void SparseFile(const std::string& path, std::uintmax_t bytes, const std::string& front = "") {
  std::ofstream(path, std::ios::binary) << front;
  std::filesystem::resize_file(path, bytes);
}

TEST(HugeFiles, EveryReaderStopsAtItsBound) {
  TempDir dir;
  Logs logs(dir.str());
  // A 2 GB level layout whose first record is a good level.
  std::filesystem::create_directory(dir.File("levels"));
  LevelLayout layout = EmptyLatticeLayout();
  for (int i : {0, 11, 22}) layout.kind[i] = 1;
  LevelRules rules;
  rules.time = 99;
  ASSERT_TRUE(WriteLevelFiles(dir.File("levels"), 1, layout, rules));
  std::filesystem::resize_file(dir.File("levels/lvl1.dat"), 2ull << 30);
  EXPECT_TRUE(InCappedChild(64, [&] {
    auto cells = std::make_unique<Cells>();
    LevelState level;
    Rng rng(1);
    return LoadLevel(1, dir.File("levels"), *cells, level, rng, 1.0, logs) && level.TimeLimit == 100;
  })) << "level file";

  SettingsRecord mine = DefaultSettings();
  mine.Resolution = 3;
  auto bytes = SerializeSettings(mine);
  SparseFile(dir.File("config.dat"), 1ull << 30, std::string(bytes.begin(), bytes.end()));
  EXPECT_TRUE(InCappedChild(64, [&] { return LoadSettings(dir.str(), logs).Resolution == 3; })) << "config.dat";
  EXPECT_EQ(std::filesystem::file_size(dir.File("config.dat")), 50u) << "rewritten as the record alone";

  SparseFile(dir.File("Sounds.ini"), 50ull << 20, "[SFX:BEGIN]\r\npop=1,a.wav\r\n[SFX:END]\r\n");
  EXPECT_TRUE(InCappedChild(64, [&] { return ReadIniSectionValue(dir.File("Sounds.ini"), "SFX", "pop", &logs) == ""; }))
      << "Sounds.ini";
  EXPECT_NE(dir.Read("run.log").find("Sounds.ini\" is 52428800 bytes"), std::string::npos) << dir.Read("run.log");

  // A WAV whose "fmt " chunk claims 4 GB.
  std::string wav("RIFF\x24\0\0\0WAVEfmt \xf0\xff\xff\xff\x01\0\x01\0\x44\xac\0\0\x88\x58\x01\0\x02\0\x10\0data\0\0\0\0", 44);
  std::ofstream(dir.File("claims.wav"), std::ios::binary) << wav;
  EXPECT_TRUE(InCappedChild(64, [&] { return ReadSoundFileInfo(dir.File("claims.wav")).kind == SoundFileKind::Garbled; }))
      << "sound header";
}
#endif

TEST(SoundHeader, ChunkSizesAreCheckedAgainstTheBytesThere) {
  std::string good("RIFF\x24\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x44\xac\0\0\x88\x58\x01\0\x02\0\x10\0data\x88\x58\x01\0", 44);
  SoundFileInfo info = SoundInfoFromBytes(good);
  EXPECT_EQ(info.kind, SoundFileKind::Wav);
  EXPECT_DOUBLE_EQ(info.seconds, 1.0);
  // A chunk that runs past the end, a fmt without channels, no data chunk at all.
  for (std::string bad : {good.substr(0, 30), good.substr(0, 36)}) EXPECT_EQ(SoundInfoFromBytes(bad).kind, SoundFileKind::Garbled);
  std::string mono = good;
  mono[22] = 0;
  EXPECT_EQ(SoundInfoFromBytes(mono).kind, SoundFileKind::Garbled);
  // An odd-sized chunk before the data is skipped with its pad byte.
  std::string padded = good.substr(0, 36) + std::string("LIST\x03\0\0\0abc\0", 12) + good.substr(36);
  EXPECT_EQ(SoundInfoFromBytes(padded).kind, SoundFileKind::Wav);
  EXPECT_EQ(SoundInfoFromBytes("RIFF").kind, SoundFileKind::Garbled);
  EXPECT_EQ(SoundInfoFromBytes("ID3\x04 mp3").kind, SoundFileKind::Other);
}

// One Ogg page holding body, with its granule position.
std::string OggPage(const std::string& body, std::uint64_t granule) {
  std::string page("OggS\0\0", 6);
  for (int i = 0; i < 8; ++i) page += char(granule >> (8 * i));
  page += std::string(12, '\0');  // serial, sequence, checksum
  page += char(1);
  page += char(body.size());
  return page + body;
}

TEST(SoundHeader, OggLengthComesFromTheRateAndTheLastWholePage) {
  std::string id = std::string("\x01vorbis\0\0\0\0\x02\x44\xac\0\0", 16) + std::string(14, '\0');
  std::string stream = OggPage(id, 0) + OggPage("abc", 22050) + OggPage("def", 66150);
  SoundFileInfo info = SoundInfoFromBytes(stream);
  EXPECT_EQ(info.kind, SoundFileKind::OggVorbis);
  EXPECT_DOUBLE_EQ(info.seconds, 1.5);
  // A last page cut short does not count; the page before it does.
  EXPECT_DOUBLE_EQ(SoundInfoFromBytes(stream.substr(0, stream.size() - 1)).seconds, 0.5);
  std::string noRate = stream;
  noRate[27 + 1 + 12] = 0;
  noRate[27 + 1 + 13] = 0;
  EXPECT_EQ(SoundInfoFromBytes(noRate).kind, SoundFileKind::Garbled);
  EXPECT_EQ(SoundInfoFromBytes(OggPage(id, 0)).kind, SoundFileKind::Garbled) << "no audio page";
  EXPECT_EQ(SoundInfoFromBytes(OggPage("\x03vorbis comments", 100)).kind, SoundFileKind::Garbled);
  EXPECT_EQ(SoundInfoFromBytes(OggPage(id, 0) + OggPage("x", ~0ull - 5)).kind, SoundFileKind::Garbled)
      << "more than a day of sound";
}

TEST(SoundHeader, EveryShippedSoundAndTuneIsMeasured) {
  int files = 0;
  for (const char* folder : {"/sfx", "/music"})
    for (const auto& e : std::filesystem::directory_iterator(std::string(BM_GAME_DIR) + folder)) {
      SoundFileInfo info = ReadSoundFileInfo(e.path().string());
      EXPECT_EQ(info.kind, SoundFileKind::OggVorbis) << e.path();
      EXPECT_GT(info.seconds, 0.05) << e.path();
      ++files;
    }
  EXPECT_GT(files, 40);
  // Streams that leaked in, and crashed, the decoder the reader once used.
  for (const char* name : {"vorbis_error_path_leak", "vorbis_decoder_crash"}) {
    std::ifstream in(std::string(BM_SOURCE_DIR) + "/fuzz/seeds/sound_header/" + name, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), {});
    ASSERT_FALSE(bytes.empty()) << name;
    EXPECT_NE(SoundInfoFromBytes(bytes).kind, SoundFileKind::Missing) << name;
  }
}

}  // namespace
}  // namespace bm

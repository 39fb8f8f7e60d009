#include "storage/Settings.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>

#include "diag/Logs.h"
#include "storage/DataIni.h"
#include "io/IniReader.h"
#include "tests/TempDir.h"

namespace bm {
namespace {

using test::TempDir;

// A log with a pinned clock inside the test's own folder.
Logs MakeLogs(const TempDir& dir) {
  Logs logs(dir.str());
  logs.SetTimeSource([] { return "01.01.2024 00:00:00"; });
  return logs;
}

std::string AsString(const std::array<std::uint8_t, kSettingsRecordSize>& b) { return std::string(b.begin(), b.end()); }

std::string RecordBytes(const SettingsRecord& r) { return AsString(SerializeSettings(r)); }

TEST(SettingsRecordBytes, LittleEndianAtFixedOffsetsAndEveryByteKept) {
  SettingsRecord r;
  r.Reserved4 = {0xA1, 0xA2, 0xA3, 0xA4};
  r.ModeSetting = 3;
  r.FrameScratch = -2;
  r.Resolution = 4;
  r.MusicVolume = 0.25;
  r.SoundVolume = 1.0;
  r.MusicOn = -1;
  r.SoundOn = 0;
  r.FullScreen = -1;
  const std::string expected =
      std::string("\0\0\0\0\xA1\xA2\xA3\xA4\x03\0\0\0\0\0\0\0\xFE\xFF\xFF\xFF\0\0\0\0\x04\0\0\0", 28) +
      std::string("\0\0\0\0\0\0\xD0\x3F\0\0\0\0\0\0\xF0\x3F\xFF\xFF\0\0\xFF\xFF", 22);
  EXPECT_EQ(RecordBytes(r), expected);

  // Every byte comes back, the reserved ones included.
  std::array<std::uint8_t, kSettingsRecordSize> bytes{};
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<std::uint8_t>(i * 37 + 11);
  EXPECT_EQ(SerializeSettings(DeserializeSettings(bytes)), bytes);

  // Through the file as well: a sound record with odd reserved bytes comes back identical.
  TempDir dir;
  Logs logs = MakeLogs(dir);
  r = DefaultSettings();
  r.Reserved0 = {1, 2, 3, 4};
  r.Reserved12 = {0xDE, 0xAD, 0xBE, 0xEF};
  r.Reserved20 = {0xFF, 0, 0xFF, 0};
  r.Resolution = 5;
  r.FullScreen = -1;
  dir.Write("config.dat", std::string(200, 'x'));
  ASSERT_TRUE(SaveSettings(dir.str(), r, logs));
  EXPECT_EQ(dir.Read("config.dat"), RecordBytes(r)) << "the longer file replaced by the 50 bytes";
  EXPECT_EQ(LoadSettings(dir.str(), logs), r);
  EXPECT_EQ(dir.Read("config.dat"), RecordBytes(r));  // a sound file is not rewritten differently
  EXPECT_FALSE(std::filesystem::exists(dir.File("run.log")));
  // A folder that does not exist: no crash, a log line, false.
  EXPECT_FALSE(SaveSettings(dir.File("no/such/folder"), DefaultSettings(), logs));
  EXPECT_NE(dir.Read("run.log").find("SaveSettings"), std::string::npos);
}

TEST(SettingsLoad, MissingOrShortFileGivesDefaultsALogLineAndAWholeFile) {
  for (std::string content : {std::string("<missing>"), std::string(), std::string(49, '\x7F')}) {
    SCOPED_TRACE(content.size());
    TempDir dir;
    Logs logs = MakeLogs(dir);
    if (content != "<missing>") dir.Write("config.dat", content);
    SettingsRecord r = LoadSettings(dir.str(), logs);
    EXPECT_EQ(r, DefaultSettings());
    EXPECT_EQ(dir.Read("config.dat"), RecordBytes(DefaultSettings()));
    const std::string log = dir.Read("run.log");
    EXPECT_NE(log.find("LoadSettings"), std::string::npos) << log;
    EXPECT_NE(log.find("config.dat"), std::string::npos) << log;
  }
}

TEST(SettingsLoad, DamagedValuesAreRepairedOneByOneLoggedAndRewritten) {
  TempDir dir;
  Logs logs = MakeLogs(dir);
  SettingsRecord bad;
  bad.Reserved4 = {9, 9, 9, 9};
  bad.ModeSetting = 7;
  bad.Resolution = 6;
  bad.MusicVolume = std::numeric_limits<double>::quiet_NaN();
  bad.SoundVolume = 1.5;
  bad.MusicOn = 1;   // neither -1 nor 0
  bad.SoundOn = 0;   // sound: a valid choice, kept
  bad.FullScreen = -1;
  dir.Write("config.dat", RecordBytes(bad) + "trailing junk");

  SettingsRecord r = LoadSettings(dir.str(), logs), repaired = bad;
  repaired.ModeSetting = repaired.Resolution = 0;
  repaired.MusicVolume = DefaultSettings().MusicVolume;
  repaired.SoundVolume = 1.0;
  repaired.MusicOn = DefaultSettings().MusicOn;
  EXPECT_EQ(r, repaired) << "the sound choices and the reserved bytes kept";

  EXPECT_EQ(dir.Read("config.dat"), RecordBytes(r));
  const std::string log = dir.Read("run.log");
  for (const char* word : {"ModeSetting", "Resolution", "MusicVolume", "SoundVolume", "MusicOn", "longer than 50"})
    EXPECT_NE(log.find(word), std::string::npos) << word << "\n" << log;
  EXPECT_EQ(log.find("SoundOn"), std::string::npos);
  EXPECT_EQ(log.find("FullScreen"), std::string::npos);
}

TEST(SettingsApply, ResetOnlyForScreenChangesAndAlwaysWrites) {
  TempDir dir;
  Logs logs = MakeLogs(dir);
  SettingsRecord stored = DefaultSettings();
  ASSERT_TRUE(SaveSettings(dir.str(), stored, logs));

  SettingsRecord louder = stored;
  louder.SoundVolume = 0.1;
  louder.MusicOn = 0;
  louder.FrameScratch = 42;
  EXPECT_FALSE(NeedsDeviceReset(louder, stored));
  EXPECT_FALSE(ApplySettings(dir.str(), louder, logs));
  EXPECT_EQ(dir.Read("config.dat"), RecordBytes(louder));

  for (int field = 0; field < 3; ++field) {
    SettingsRecord changed = louder;
    if (field == 0) changed.FullScreen = -1;
    if (field == 1) changed.Resolution = 3;
    if (field == 2) changed.ModeSetting = 1;
    EXPECT_TRUE(NeedsDeviceReset(changed, louder)) << field;
    EXPECT_TRUE(ApplySettings(dir.str(), changed, logs)) << field;
    EXPECT_EQ(dir.Read("config.dat"), RecordBytes(changed));
    // Confirming again without a change needs no second reset.
    EXPECT_FALSE(ApplySettings(dir.str(), changed, logs)) << field;
    ASSERT_TRUE(SaveSettings(dir.str(), louder, logs));
  }

  // No stored file to compare with: reset to be safe, then write.
  std::filesystem::remove(dir.File("config.dat"));
  EXPECT_TRUE(ApplySettings(dir.str(), louder, logs));
  EXPECT_EQ(dir.Read("config.dat"), RecordBytes(louder));
}

TEST(DataIniSwitches, RasterizerAndCheatWord) {
  TempDir dir;
  EXPECT_FALSE(ForceReferenceRasterizer(dir.str()));
  EXPECT_EQ(CheatModeCode(dir.str()), kBuiltInCheatCode);

  dir.Write("data.ini", "Force Reference Rasterizer (REF)=True\r\nCheat Mode Code = Parrot\r\n");
  EXPECT_TRUE(ForceReferenceRasterizer(dir.str()));
  EXPECT_EQ(CheatModeCode(dir.str()), "PARROT");

  // Present but empty falls back to the built-in word; anything but TRUE is false.
  dir.Write("data.ini", "Force Reference Rasterizer (REF) = yes\r\nCheat Mode Code =   \r\n");
  EXPECT_FALSE(ForceReferenceRasterizer(dir.str()));
  EXPECT_EQ(CheatModeCode(dir.str()), "KRAKENRUM");

  // The shipped file reads as hardware and the built-in word: its notes must not trip the key-anywhere lookup.
  dir.Write("data.ini", DefaultDataIniText());
  EXPECT_EQ(ReadIniValue(dir.File("data.ini"), kReferenceRasterizerKey), "FALSE");
  EXPECT_EQ(ReadIniValue(dir.File("data.ini"), kCheatModeCodeKey), "");
  EXPECT_EQ(CheatModeCode(dir.str()), "KRAKENRUM");
}

}  // namespace
}  // namespace bm

// "settings.ini": the language kept, other keys kept as written, a damaged file set aside.
#include <gtest/gtest.h>

#include <filesystem>

#include "diag/Logs.h"
#include "storage/GameSettings.h"
#include "tests/TempDir.h"

namespace bm {
namespace {

TEST(GameSettings, KeepsTheLanguageAndSetsADamagedFileAside) {
  const struct {
    std::string_view text;
    bool ok;
    const char* language;
  } kCases[] = {
      {"Language=de\n", true, "de"},
      {"# comment\r\n\r\nLanguage = pt_BR \r\nVolume=3\n", true, "pt_BR"},
      {"Language=\n", true, ""},
      {"Language=klingon\n", false, ""},
      {"Language de\n", false, ""},
      {std::string_view("Language=de\0\n", 13), false, ""},
  };
  for (const auto& k : kCases) {
    std::optional<GameSettings> s = ParseGameSettings(k.text);
    ASSERT_EQ(s.has_value(), k.ok) << k.text;
    if (s) {
      EXPECT_EQ(s->Language, k.language) << k.text;
    }
  }
  GameSettings kept{"pl", "Volume=3\n"};
  EXPECT_EQ(ParseGameSettings(SerializeGameSettings(kept)), kept);

  test::TempDir dir;
  Logs logs(dir.str());
  EXPECT_EQ(LoadGameSettings(dir.str(), logs), GameSettings{}) << "none yet";
  ASSERT_TRUE(SaveGameSettings(dir.str(), kept, logs));
  EXPECT_EQ(LoadGameSettings(dir.str(), logs), kept);
  dir.Write(kGameSettingsFile, std::string("\x01\x02garbage", 9));
  EXPECT_EQ(LoadGameSettings(dir.str(), logs), GameSettings{});
  EXPECT_TRUE(std::filesystem::exists(dir.File("settings.ini.bad"))) << "the damaged file is kept aside";
  EXPECT_NE(dir.Read("run.log").find("settings.ini\" damaged"), std::string::npos);
}

}  // namespace
}  // namespace bm

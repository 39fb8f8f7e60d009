// "pbar.val": the loading bar's length from the last run.
#include <gtest/gtest.h>

#include "tests/TempDir.h"
#include "diag/Logs.h"
#include "storage/ProgressBar.h"

namespace bm {
namespace {

TEST(ProgressBar, MissingShortLongAndOutOfRangeFilesStartFull) {
  test::TempDir dir;
  Logs logs(dir.str());
  EXPECT_EQ(LoadPBar(dir.str(), logs), 1) << "missing";
  dir.Write(kProgressBarFile, std::string("\x05\x00", 2));
  EXPECT_EQ(LoadPBar(dir.str(), logs), 1) << "short";
  dir.Write(kProgressBarFile, std::string("\x05\x00\x00\x00\x00", 5));
  EXPECT_EQ(LoadPBar(dir.str(), logs), 1) << "long";
  dir.Write(kProgressBarFile, std::string("\xff\xff\xff\xff", 4));
  EXPECT_EQ(LoadPBar(dir.str(), logs), 1) << "negative";
  dir.Write(kProgressBarFile, std::string("\x00\x00\x00\x40", 4));
  EXPECT_EQ(LoadPBar(dir.str(), logs), 1) << "absurdly large";
  std::string log = test::ReadText(dir.path / "run.log");
  EXPECT_NE(log.find("holds 2 bytes, not 4"), std::string::npos) << log;
  EXPECT_NE(log.find("longer than 4 bytes"), std::string::npos) << log;
  EXPECT_NE(log.find("holds -1, out of range"), std::string::npos) << log;
}

TEST(ProgressBar, TheCountSurvivesARunAndTheBarFills) {
  test::TempDir dir;
  Logs logs(dir.str());
  ASSERT_TRUE(SavePBar(dir.str(), 300, logs));
  EXPECT_EQ(std::filesystem::file_size(dir.path / kProgressBarFile), 4u);
  EXPECT_EQ(test::ReadText(dir.path / kProgressBarFile), std::string("\x2c\x01\x00\x00", 4)) << "little-endian";
  EXPECT_EQ(LoadPBar(dir.str(), logs), 300);
  LoadProgress p{150, 300};
  EXPECT_DOUBLE_EQ(BarFraction(p), 0.5);
  p.StepsDone = 400;  // more steps than last time: the bar stays full
  EXPECT_DOUBLE_EQ(BarFraction(p), 1.0);
  EXPECT_DOUBLE_EQ(BarFraction(LoadProgress{}), 0.0);
}

}  // namespace
}  // namespace bm

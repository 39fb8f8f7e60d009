#include "diag/Logs.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "tests/TempDir.h"

namespace bm {
namespace {

// A log on a full disk: every lost line is counted, the first one told on stderr.
TEST(Logs, FailedWritesAreCountedAndToldOnce) {
  test::TempDir dir;
  ASSERT_EQ(::symlink("/dev/full", dir.File("run.log").c_str()), 0);
  Logs logs(dir.str());
  ::testing::internal::CaptureStderr();
  for (int i = 0; i < 3; ++i) logs.WriteRunLog("Test", "a line the disk has no room for");
  logs.WriteRunPoint("Test", "a line that fits");
  const std::string told = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(logs.Failures(), 3);
  EXPECT_NE(told.find("cannot write the log"), std::string::npos) << told;
  EXPECT_EQ(told.find("cannot write the log"), told.rfind("cannot write the log")) << told;
  EXPECT_EQ(dir.Read("run_pnt.log").find("a line that fits") != std::string::npos, true);
}

}  // namespace
}  // namespace bm

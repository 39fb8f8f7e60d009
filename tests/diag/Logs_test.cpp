#include "diag/Logs.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "diag/Notices.h"
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

// Each trouble is told once, one notice at a time, each for its while.
TEST(Notices, EachIsShownOnceInTurnForItsWhile) {
  ClearNotices();
  bool changed = false;
  auto at = [&](double ms) {
    Wording shown = CurrentNotice(ms, &changed);
    return std::pair(shown, changed);
  };
  EXPECT_EQ(at(0), std::pair(Wording(), false));
  RaiseNotice("a.dat", AsIs("first"));
  RaiseNotice("b.dat", AsIs("second"));
  RaiseNotice("a.dat", AsIs("first again"));
  EXPECT_EQ(at(1000), std::pair(AsIs("first"), true));
  EXPECT_EQ(at(1000 + kNoticeShownMs - 1), std::pair(AsIs("first"), false));
  EXPECT_EQ(ShownNotice(), AsIs("first"));
  EXPECT_EQ(at(1000 + kNoticeShownMs), std::pair(AsIs("second"), true));
  EXPECT_EQ(at(1000 + 3 * kNoticeShownMs), std::pair(Wording(), true));
  EXPECT_EQ(ShownNotice(), Wording());
}

}  // namespace
}  // namespace bm

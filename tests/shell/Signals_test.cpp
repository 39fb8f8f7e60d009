// The real program, started headless, told to stop the ways a desktop does it.
#include <gtest/gtest.h>

#include <fcntl.h>

#include <stdexcept>
#include <thread>

#include "PlayerDir.h"
#include "ProgramRun.h"
#include "diag/CrashLog.h"
#include "shell/Report.h"

namespace bm {
namespace {

// Starts a headless run and waits for its first frame.
void StartRun(test::Program& p, const test::TempDir& dir, std::vector<std::string> extra = {}) {
  std::vector<std::string> args = {"--headless", "--data-dir", dir.str(), "--seed", "3"};
  args.insert(args.end(), extra.begin(), extra.end());
  ASSERT_TRUE(p.Start(args, {"SDL_AUDIODRIVER=dummy"}, (dir.path / "out.txt").string()));
  ASSERT_TRUE(test::WaitForText(dir.path / "run.log", "First frame drawn", 30)) << test::ReadText(dir.path / "out.txt");
}

TEST(StopSignals, TermIntAndHupEndThroughTheNormalShutDownWithinTwoSeconds) {
  struct Case {
    int signal;
    const char* name;
    std::vector<std::string> extra;
  };
  // Left alone on the main menu, and in the middle of a level with the bot playing.
  for (const Case& c : {Case{SIGTERM, "SIGTERM", {}}, Case{SIGINT, "SIGINT", {}}, Case{SIGHUP, "SIGHUP", {}},
                        Case{SIGTERM, "SIGTERM", {"--autoplay", "--level", "4"}}}) {
    test::PlayerDir dir;
    test::Program p;
    StartRun(p, dir, c.extra);
    if (!c.extra.empty()) {
      ASSERT_TRUE(test::WaitForText(dir.path / "run_pnt.log", "MainLoop * CP2", 30));
    }
    ASSERT_EQ(kill(p.pid, c.signal), 0);
    ASSERT_TRUE(p.WaitEnd(2.0)) << c.name << " did not end the run within 2 s";
    EXPECT_TRUE(WIFEXITED(p.status)) << c.name << " killed the program instead of ending it";
    EXPECT_EQ(WEXITSTATUS(p.status), 0);
    std::string log = test::ReadText(dir.path / "run.log");
    EXPECT_NE(log.find(std::string(c.name) + " received; shutting down"), std::string::npos) << log;
    EXPECT_NE(log.find("Application End."), std::string::npos) << log;
  }
}

// Sent before the program has run a line of its own (here: pending when it
// starts, as one sent while the libraries load is): the normal shut-down all the same.
TEST(StopSignals, OneSentBeforeTheProgramRunsStillEndsItNormally) {
  test::PlayerDir dir;
  const std::string exe = std::string(BM_GAME_DIR) + "/brinemoor", out = (dir.path / "out.txt").string();
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGINT);
    sigprocmask(SIG_BLOCK, &set, nullptr);
    kill(getpid(), SIGINT);
    const int fd = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    dup2(fd, 1);
    dup2(fd, 2);
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    execl(exe.c_str(), exe.c_str(), "--headless", "--data-dir", dir.str().c_str(), (char*)nullptr);
    _exit(127);
  }
  test::Program p;
  p.pid = child;
  ASSERT_TRUE(p.WaitEnd(30.0)) << test::ReadText(out);
  EXPECT_TRUE(WIFEXITED(p.status) && WEXITSTATUS(p.status) == 0) << test::ReadText(out);
  const std::string log = test::ReadText(dir.path / "run.log");
  EXPECT_NE(log.find("SIGINT received; shutting down"), std::string::npos) << log;
  EXPECT_NE(log.find("Application End."), std::string::npos) << log;
}

#ifndef BM_SANITIZE
TEST(CrashLog, FatalSignalLeavesACriticalErrorLine) {
  test::PlayerDir dir;
  test::Program p;
  StartRun(p, dir);
  ASSERT_EQ(kill(p.pid, SIGSEGV), 0);
  ASSERT_TRUE(p.WaitEnd(5.0));
  EXPECT_TRUE(WIFSIGNALED(p.status) && WTERMSIG(p.status) == SIGSEGV) << "the program still ends by its signal";
  std::string log = test::ReadText(dir.path / "run.log");
  std::size_t at = log.find("SIGSEGV");
  ASSERT_NE(at, std::string::npos) << log;
  std::string line = log.substr(log.rfind('\n', at) + 1);
  EXPECT_NE(line.find(" -> Fatal signal * "), std::string::npos) << line;
  EXPECT_NE(line.find("* Critical Error!\r\n"), std::string::npos) << line;
}
#endif

TEST(CrashLog, UncaughtExceptionLeavesACriticalErrorLine) {
  test::TempDir dir;
  std::string path = (dir.path / "run.log").string();
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    CrashLog::Install(path);
    // Thrown on a thread of its own, so no test harness catches it.
    std::thread([] { throw std::runtime_error("the kraken woke"); }).join();
    _exit(0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGABRT);
  std::string log = test::ReadText(path);
  EXPECT_NE(log.find("-> std::terminate * Uncaught exception"), std::string::npos) << log;
  EXPECT_NE(log.find("the kraken woke * Critical Error!\r\n"), std::string::npos) << log;
  EXPECT_EQ(log.find("SIGABRT"), std::string::npos) << "one line, not a second one for the abort";

  // A signal's line has the run log's date format.
  char buf[256];
  // 2024-02-29 23:59:58 UTC, shown one hour ahead: the next day's local date.
  CrashLog::FormatSignalLine(buf, sizeof buf, 1709251198, 3600, SIGBUS);
  EXPECT_STREQ(buf, "01.03.2024 00:59:58 -> Fatal signal * The program received SIGBUS (7) and ends * Critical Error!\r\n");
  CrashLog::FormatSignalLine(buf, sizeof buf, 0, -3600, SIGFPE);
  EXPECT_EQ(std::string(buf).substr(0, 19), "31.12.1969 23:00:00");
}

TEST(NoDisplay, SaysSoAndExitsWithAFailure) {
  test::TempDir dir;
  test::Program p;
  ASSERT_TRUE(p.Start({"--data-dir", dir.str()},
                      {"DISPLAY=", "WAYLAND_DISPLAY=", "SDL_VIDEODRIVER=", "SDL_AUDIODRIVER=dummy"},
                      (dir.path / "out.txt").string()));
  ASSERT_TRUE(p.WaitEnd(10.0)) << "the game ran on without a display";
  EXPECT_TRUE(WIFEXITED(p.status));
  EXPECT_NE(WEXITSTATUS(p.status), 0);
  std::string out = test::ReadText(dir.path / "out.txt");
  EXPECT_NE(out.find("no display found"), std::string::npos) << out;
}

// A report that cannot be written: said at once, before anything is played or
// written, and the run fails.
TEST(BadPlaces, AReportThatCannotBeWrittenIsToldAtOnceAndTheRunFails) {
  test::TempDir dir;
  const std::string report = (dir.path / "no/such/folder/r.json").string();
  std::string error;
  EXPECT_FALSE(CanWriteReport(report, error));
  EXPECT_TRUE(CanWriteReport(dir.File("r.json"), error)) << error;
  test::Program p;
  ASSERT_TRUE(p.Start({"--headless", "--data-dir", dir.str(), "--report", report}, {"SDL_AUDIODRIVER=dummy"},
                      dir.File("out.txt")));
  ASSERT_TRUE(p.WaitEnd(10.0));
  EXPECT_TRUE(WIFEXITED(p.status) && WEXITSTATUS(p.status) == 2);
  EXPECT_NE(test::ReadText(dir.path / "out.txt").find("--report: cannot create"), std::string::npos)
      << test::ReadText(dir.path / "out.txt");
  EXPECT_FALSE(std::filesystem::exists(dir.path / "run.log")) << "nothing written";
}

}  // namespace
}  // namespace bm

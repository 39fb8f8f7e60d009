// Figures for the spine: CPU use while nothing moves (menu, a level left alone),
// time to the first frame, and the cost of a play-screen frame against the
// background alone. Runs the real game in a window; starts its own Xvfb when no
// display is set.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "diag/Logs.h"
#include "platform/Host.h"
#include "progress/LoadLevel.h"
#include "render/BoardDraw.h"
#include "render/PlayScreen.h"
#include "shell/Game.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

pid_t Spawn(const std::vector<std::string>& args) {
  pid_t pid = fork();
  if (pid == 0) {
    std::vector<char*> argv;
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    int devnull = open("/dev/null", 1);
    dup2(devnull, 1);
    dup2(devnull, 2);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  return pid;
}

double CpuSeconds(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
  std::string s((std::istreambuf_iterator<char>(in)), {});
  auto close = s.rfind(')');
  if (close == std::string::npos) return 0;
  std::istringstream rest(s.substr(close + 2));
  std::string f;
  long utime = 0, stime = 0;
  for (int i = 3; i <= 15 && rest >> f; ++i) {
    if (i == 14) utime = std::stol(f);
    if (i == 15) stime = std::stol(f);
  }
  return double(utime + stime) / double(sysconf(_SC_CLK_TCK));
}

std::string Slurp(const fs::path& p) {
  std::ifstream in(p);
  return std::string((std::istreambuf_iterator<char>(in)), {});
}

long ReportNumber(const std::string& json, const std::string& key) {
  auto k = json.find("\"" + key + "\"");
  if (k == std::string::npos) return -1;
  return std::atol(json.c_str() + json.find(':', k) + 1);
}

// One idle measurement: the game shows the menu (or a level after a click on
// "Play" and the pointer parked aside) and nobody touches it for 10 s.
void MeasureIdle(const std::string& game, bool play) {
  fs::path dir = fs::temp_directory_path() / ("bm_bench_" + std::to_string(getpid()) + (play ? "_play" : "_menu"));
  fs::remove_all(dir);
  fs::create_directories(dir);
  std::string report = (dir / "r.json").string();
  pid_t pid = Spawn({game, "--windowed", "--data-dir", dir.string(), "--max-seconds", "16", "--report", report});
  usleep(3000 * 1000);
  if (play) {
    std::system("xdotool mousemove 200 430 click 1 >/dev/null 2>&1");  // the ship: "Play"
    usleep(300 * 1000);
    std::system("xdotool mousemove 1270 1010 >/dev/null 2>&1");
    usleep(1500 * 1000);
  }
  double cpu0 = CpuSeconds(pid);
  std::string runlog0 = Slurp(dir / "run.log");
  auto t0 = Clock::now();
  usleep(10 * 1000 * 1000);
  double cpu1 = CpuSeconds(pid);
  double wall = std::chrono::duration<double>(Clock::now() - t0).count();
  int status = 0;
  waitpid(pid, &status, 0);
  std::string json = Slurp(report);
  std::string runlog = Slurp(dir / "run.log");
  std::printf("%-22s CPU %5.1f %% of one core over %.1f s; %ld frames in the whole run\n",
              play ? "level left alone:" : "main menu:", 100.0 * (cpu1 - cpu0) / wall, wall,
              ReportNumber(json, "frames"));
  if (!play) {
    auto at = runlog.find("First frame drawn ");
    if (at != std::string::npos)
      std::printf("%-22s %s\n", "start to first frame:", runlog.substr(at + 18, runlog.find(" *", at) - at - 18).c_str());
  }
  fs::remove_all(dir);
}

void MeasureFrameCost(const std::string& gameDir) {
  bm::Logs logs(fs::temp_directory_path().string());
  bm::HostOptions o;
  std::string error;
  auto host = bm::CreateHost(o, logs, error);
  if (!host) {
    std::printf("frame cost: no window (%s)\n", error.c_str());
    return;
  }
  bm::RunOptions ro;
  ro.gameDir = gameDir;
  bm::Game g(host->platform, logs, ro);
  g.SetScreenSize(1280, 1024);
  bm::LoadLevel(1, g.LevelsDir(), g.cells, g.level, g.rng, 1.0, logs);
  for (int i = 0; i < bm::kCellCount; ++i) g.cells[i].Pos.Size = 0;
  auto time = [&](auto draw) {
    for (int i = 0; i < 5; ++i) draw(), g.render().Present();  // warm up textures
    const int n = 60;
    auto t0 = Clock::now();
    for (int i = 0; i < n; ++i) draw(), g.render().Present();
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count() / n;
  };
  double bg = time([&] { bm::DrawPlayBackground(g); });
  double full = time([&] {
    bm::DrawPlayBackground(g);
    bm::DrawPanel(g, "12");
    bm::DrawMenuButton(g, 0);
    bm::DrawBoard(g.canvas, g.font, g.cells, g.board);
  });
  std::printf("%-22s background %.2f ms, play screen %.2f ms, ratio %.2f (1280x1024)\n", "drawn frame:", bg, full,
              full / bg);
}

}  // namespace

int main(int argc, char** argv) {
  fs::path self = fs::canonical("/proc/self/exe").parent_path();
  std::string gameDir = argc > 1 ? argv[1] : (self / "game").string();
  std::string game = gameDir + "/brinemoor";
  pid_t xvfb = 0;
  if (!std::getenv("DISPLAY")) {
    xvfb = Spawn({"Xvfb", ":97", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
    setenv("DISPLAY", ":97", 1);
    usleep(1500 * 1000);
  }
  MeasureIdle(game, false);
  MeasureIdle(game, true);
  MeasureFrameCost(gameDir);
  if (xvfb > 0) {
    kill(xvfb, SIGTERM);
    waitpid(xvfb, nullptr, 0);
  }
  return 0;
}

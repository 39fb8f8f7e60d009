// Figures for the spine: time to the first frame and to the end of loading, CPU
// use while nothing changes with the pointer resting in the places a player
// leaves it, the cost of a play-screen frame against the background alone, and
// resident memory in play. Runs the real game in a window driven by xdotool;
// starts its own Xvfb when no display is set.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
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
#include "board/ScreenMetrics.h"
#include "shell/FlightScreen.h"
#include "shell/PlaySide.h"
#include "shell/ScreenKit.h"
#include "shell/Services.h"
#include "shell/PlayFrame.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

// Every figure of the run, for the closing list of goals.
struct Figures {
  double firstFrameMs = -1, windowMs = -1, loadingMs = -1;
  double menuOff = -1, menuProp = -1, menuOutside = -1;
  double levelOff = -1, levelButton = -1, levelJewel = -1, levelOutside = -1, nudged = -1;
  double ratio = -1, residentMb = -1;
  double menuMb = -1, menuSmallMb = -1, levelSmallMb = -1, botPeakMb = -1;
};
Figures figures;
std::string renderer = "auto";  // --renderer, handed to every game run
int botSeconds = 120;            // --bot-seconds: how long the bot plays for the memory figures

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


double Rss(pid_t pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(in, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::atof(line.c_str() + 6) / 1024.0;
  return 0;
}

std::string Run(const std::string& cmd) {
  std::string out;
  if (FILE* p = popen(cmd.c_str(), "r")) {
    char buf[256];
    while (std::fgets(buf, sizeof buf, p)) out += buf;
    pclose(p);
  }
  while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
  return out;
}

// The game in a window, driven with xdotool like a player's hand.
struct GameUnderTest {
  fs::path dir;
  pid_t pid = 0;
  std::string window;
  std::string report;
  int w = 1024, h = 768;
  GameUnderTest(const std::string& game, const std::string& tag, const std::vector<std::string>& extra) {
    dir = fs::temp_directory_path() / ("bm_bench_" + std::to_string(getpid()) + "_" + tag);
    fs::remove_all(dir);
    fs::create_directories(dir);
    report = (dir / "r.json").string();
    std::vector<std::string> args = {game, "--data-dir", dir.string(), "--max-seconds", "150", "--report", report,
                                     "--renderer", renderer};
    args.insert(args.end(), extra.begin(), extra.end());
    pid = Spawn(args);
    window = Run("timeout 20 xdotool search --sync --onlyvisible --name Brinemoor 2>/dev/null | head -1");
    // The loading pass (seconds on a busy machine), then the fade into the menu and its music's fade-in.
    for (int i = 0; i < 400 && Slurp(dir / "run.log").find("Loading done") == std::string::npos; ++i)
      usleep(100 * 1000);
    usleep(2500 * 1000);
    // A fresh data folder has no player: the name box comes before the menu.
    if (!window.empty()) {
      std::system(("xdotool type --window " + window + " --delay 60 Bench >/dev/null 2>&1").c_str());
      std::system(("xdotool key --window " + window + " Return >/dev/null 2>&1").c_str());
      usleep(1000 * 1000);
    }
  }
  ~GameUnderTest() {
    Quit();
    fs::remove_all(dir);
  }
  // F12, as a player ends the game; the run log is complete afterwards.
  void Quit() {
    if (pid <= 0) return;
    if (!window.empty()) std::system(("xdotool key --window " + window + " F12 >/dev/null 2>&1").c_str());
    int status = 0;
    for (int i = 0; i < 50 && waitpid(pid, &status, WNOHANG) == 0; ++i) usleep(100 * 1000);
    if (waitpid(pid, &status, WNOHANG) == 0) {
      kill(pid, SIGTERM);
      waitpid(pid, &status, 0);
    }
    pid = 0;
  }
  // A player's hand: a few steps from wherever the pointer is to (x, y) in the
  // window's client pixels; negative: outside the window.
  void MoveTo(double x, double y) {
    for (int i = 1; i <= 8; ++i) {
      std::string cmd = x < 0 ? "xdotool mousemove " + std::to_string(4 + i) + " " + std::to_string(4 + i)
                              : "xdotool mousemove --window " + window + " " + std::to_string(int(x) + (8 - i) * 6) +
                                    " " + std::to_string(int(y) + (8 - i) * 4);
      std::system((cmd + " >/dev/null 2>&1").c_str());
      usleep(30 * 1000);
    }
  }
  void Click(double x, double y) {
    MoveTo(x, y);
    std::system("xdotool click 1 >/dev/null 2>&1");
  }
  // Percent of a core over 10 s once the pointer has rested 1.5 s.
  double IdleCpu() {
    usleep(1500 * 1000);
    double c0 = CpuSeconds(pid);
    auto t0 = Clock::now();
    usleep(10 * 1000 * 1000);
    double c1 = CpuSeconds(pid);
    return 100.0 * (c1 - c0) / std::chrono::duration<double>(Clock::now() - t0).count();
  }
  std::string RunLog() { return Slurp(dir / "run.log"); }
};

// "N ms" after a run-log text, or "?".
std::string LoggedMs(const std::string& log, const std::string& text) {
  auto at = log.find(text);
  if (at == std::string::npos) return "?";
  at += text.size();
  return log.substr(at, log.find(" *", at) - at);
}

// A cell holding a jewel on level 1 at this screen size, in client pixels.
bm::PointD JewelAt(const std::string& gameDir, int w, int h) {
  bm::Logs logs(fs::temp_directory_path().string());
  bm::Cells cells;
  bm::LevelState level;
  bm::Rng rng(1);
  bm::ScreenMetrics m = bm::ScreenMetrics::For(w, h);
  bm::LoadLevel(1, gameDir + "/levels", cells, level, rng, m.XScale, logs);
  for (int i = 0; i < bm::kCellCount; ++i)
    if (cells[i].IsExists) return {m.CellScreenX(cells[i].CenterX), m.CellScreenY(cells[i].CenterY)};
  return {w / 2.0, h / 2.0};
}

void MeasureIdle(const std::string& game, const std::string& gameDir) {
  GameUnderTest t(game, "idle", {"--windowed", "--resolution", "3"});
  if (t.window.empty()) {
    std::printf("idle CPU: no game window appeared\n");
    return;
  }
  std::string log = t.RunLog();
  std::printf("%-34s %s\n", "the game's renderer:", LoggedMs(log, "Renderer: ").c_str());
  std::printf("%-34s %s (goal <= 150 ms)\n", "start to first drawn frame:", LoggedMs(log, "First frame drawn ").c_str());
  std::printf("%-34s %s\n", "  of which window and renderer:", LoggedMs(log, "Window and renderer ready ").c_str());
  std::printf("%-34s %s (goal <= 500 ms)\n", "start to the end of loading:", LoggedMs(log, "Loading done ").c_str());
  figures.firstFrameMs = std::atof(LoggedMs(log, "First frame drawn ").c_str());
  figures.windowMs = std::atof(LoggedMs(log, "Window and renderer ready ").c_str());
  figures.loadingMs = std::atof(LoggedMs(log, "Loading done ").c_str());
  double W = t.w, H = t.h;
  bm::ScreenMetrics m = bm::ScreenMetrics::For(t.w, t.h);
  struct Spot {
    const char* what;
    double x, y;
  };
  const Spot menu[] = {{"main menu, pointer off the props:", 0.55 * W, 0.90 * H},
                       {"main menu, pointer on a prop:", 0.15 * W, 0.40 * H},
                       {"main menu, pointer outside:", -1, -1}};
  double* menuFigures[] = {&figures.menuOff, &figures.menuProp, &figures.menuOutside};
  for (int k = 0; k < 3; ++k) {
    const Spot& s = menu[k];
    t.MoveTo(s.x, s.y);
    *menuFigures[k] = t.IdleCpu();
    std::printf("%-34s CPU %5.2f %% of one core over 10 s\n", s.what, *menuFigures[k]);
  }
  t.Click(0.15 * W, 0.40 * H);  // the ship: "Play"
  usleep(3000 * 1000);          // the board grows in
  bm::PointD jewel = JewelAt(gameDir, t.w, t.h);
  bm::IRect button{int(W - 265 * 0.5 * m.XScale), int(H - 260 * 0.5 * m.YScale), 0, 0};
  const Spot play[] = {{"level, pointer off the props:", 0.05 * W, 0.5 * H},
                       {"level, pointer on the menu button:", button.left + 60 * m.XScale, button.top + 60 * m.YScale},
                       {"level, pointer on a jewel:", jewel.x, jewel.y},
                       {"level, pointer outside:", -1, -1}};
  double* levelFigures[] = {&figures.levelOff, &figures.levelButton, &figures.levelJewel, &figures.levelOutside};
  for (int k = 0; k < 4; ++k) {
    const Spot& s = play[k];
    t.MoveTo(s.x, s.y);
    *levelFigures[k] = t.IdleCpu();
    std::printf("%-34s CPU %5.2f %% of one core over 10 s\n", s.what, *levelFigures[k]);
  }
  // The hover shimmer while it runs: the pointer keeps moving over the jewels.
  double c0 = CpuSeconds(t.pid);
  auto t0 = Clock::now();
  for (int i = 0; i < 10; ++i) {
    t.MoveTo(jewel.x + (i % 2) * 3, jewel.y);
    usleep(700 * 1000);
  }
  double busy = 100.0 * (CpuSeconds(t.pid) - c0) / std::chrono::duration<double>(Clock::now() - t0).count();
  std::printf("%-34s CPU %5.2f %% of one core (shimmer kept running)\n", "level, pointer nudged on a jewel:", busy);
  figures.nudged = busy;
}

// The run log's memory lines (written as the game ends), indented.
void PrintMemoryLines(const std::string& log) {
  for (auto at = log.find("Memory * "); at != std::string::npos; at = log.find("Memory * ", at + 1))
    std::printf("    %s\n", log.substr(at + 9, log.find(" *", at + 9) - at - 9).c_str());
}

// Resident memory on the menu and 10 s into level 1, in full screen at 1280x1024
// and in a 1024x768 window, with what the pictures and sounds hold in each place;
// then the bot playing with every bonus open.
void MeasureMemory(const std::string& game) {
  struct Size {
    const char* name;
    std::vector<std::string> args;
    double* menuMb;
    double* levelMb;
  };
  const Size sizes[] = {{"1280x1024 full screen", {"--fullscreen", "--resolution", "4"}, &figures.menuMb,
                         &figures.residentMb},
                        {"1024x768 window", {"--windowed", "--resolution", "3"}, &figures.menuSmallMb,
                         &figures.levelSmallMb}};
  for (const Size& size : sizes) {
    int w = size.args[2] == "4" ? 1280 : 1024, h = size.args[2] == "4" ? 1024 : 768;
    {
      // The menu alone, ended there: what it holds.
      GameUnderTest t(game, "memmenu", size.args);
      if (t.window.empty()) {
        std::printf("memory: no game window appeared\n");
        return;
      }
      usleep(3000 * 1000);
      *size.menuMb = Rss(t.pid);
      t.Quit();
      std::printf("resident memory, %-22s %6.1f MB on the menu\n", size.name, *size.menuMb);
      PrintMemoryLines(t.RunLog());
    }
    GameUnderTest t(game, "mem", size.args);
    if (t.window.empty()) return;
    t.Click(0.15 * w, 0.40 * h);
    usleep(10 * 1000 * 1000);
    *size.levelMb = Rss(t.pid);
    t.Quit();
    std::printf("resident memory, %-22s %6.1f MB 10 s into level 1\n", size.name, *size.levelMb);
    PrintMemoryLines(t.RunLog());
  }
  // The bot with every bonus, level after level (map and shop between): the peak and the last figure.
  GameUnderTest t(game, "membot",
                  {"--fullscreen", "--resolution", "4", "--autoplay", "--all-bonuses", "--think-ms", "300"});
  if (t.window.empty()) return;
  double peak = 0, last = 0, first = 0;
  for (int sec = 0; sec < botSeconds; ++sec) {
    usleep(1000 * 1000);
    last = Rss(t.pid);
    if (sec == 9) first = last;
    peak = std::max(peak, last);
  }
  figures.botPeakMb = peak;
  t.Quit();
  std::printf("resident memory, the bot with every bonus (1280x1024 full screen, %d s): %.1f MB after 10 s, "
              "%.1f MB at the end, %.1f MB at most\n",
              botSeconds, first, last, peak);
  PrintMemoryLines(t.RunLog());
}

void MeasureFrameCost(const std::string& gameDir) {
  bm::Logs logs(fs::temp_directory_path().string());
  bm::HostOptions o;
  bm::ParseRendererRequest(renderer, o.renderer);
  std::string error;
  auto host = bm::CreateHost(o, logs, error);
  if (!host) {
    std::printf("frame cost: no window (%s)\n", error.c_str());
    return;
  }
  bm::RunOptions ro;
  ro.gameDir = gameDir;
  bm::Services s(host->platform, logs, ro);
  s.SetScreenSize(1280, 1024);
  bm::PlaySide play(ro);
  bm::Match& m = play.match;
  bm::StillLayer& layer = s.look.stillLayer;
  bm::LoadLevel(1, ro.gameDir + "/levels", m.cells, m.level, m.rng, 1.0, logs);
  for (int i = 0; i < bm::kCellCount; ++i) m.cells[i].Pos.Size = 0;
  double cpuMs = 0;  // the process's processor time of the last timing, all threads
  auto time = [&](auto draw) {
    for (int i = 0; i < 5; ++i) draw(), s.render().Present();  // warm up textures
    const int n = 60;
    double c0 = CpuSeconds(getpid());
    auto t0 = Clock::now();
    for (int i = 0; i < n; ++i) draw(), s.render().Present();
    cpuMs = (CpuSeconds(getpid()) - c0) * 1000 / n;
    return std::chrono::duration<double, std::milli>(Clock::now() - t0).count() / n;
  };
  m.board.HoveredCell = bm::kNoCell;
  std::printf("%-34s %s\n", "renderer:", host->renderer.c_str());
  // A level entered from the menu: its pictures loaded ahead, then the board's
  // fly-in pass by pass at its own pace (a picture loaded on a pass shows as a slow one).
  bm::UseMenuPictures(s);
  auto t0 = Clock::now();
  bm::UseLevelPictures(s, m.level);
  double ahead = std::chrono::duration<double, std::milli>(Clock::now() - t0).count(), slowest = 0, sum = 0;
  bm::FlightScreen flight(play, 1);
  flight.Enter(s);
  int passes = 0;
  for (bool flying = true; flying && passes < 2000; ++passes) {
    auto p0 = Clock::now();
    bm::Next next = flight.Pass(s);
    s.render().Present();
    double took = std::chrono::duration<double, std::milli>(Clock::now() - p0).count();
    slowest = std::max(slowest, took);
    sum += took;
    flying = next.kind != bm::Next::Kind::Pop;
    if (flying && next.wakeAt > s.Now()) usleep(useconds_t((next.wakeAt - s.Now()) * 1000));
  }
  std::printf("%-34s pictures loaded ahead %.1f ms, then %d passes: %.2f ms each, the slowest %.2f ms (1280x1024)\n",
              "a level's fly-in from the menu:", ahead, passes, sum / std::max(1, passes), slowest);
  double bg = time([&] { bm::DrawPlayBackground(s.look.canvas, m.level.Number); });
  // The frame the game draws on this board: the still layer copied, the rest over it.
  double full = time([&] { bm::DrawPlayScreen(s, play); });
  long builds = layer.builds;
  double rebuild = time([&] {
    layer.valid = false;
    bm::DrawPlayScreen(s, play);
  });
  layer.enabled = false;
  double whole = time([&] { bm::DrawPlayScreen(s, play); });
  layer.enabled = true;
  std::printf("%-34s background %.2f ms, play screen %.2f ms, ratio %.2f (1280x1024; goal <= 2.0)\n",
              "drawn frame:", bg, full, full / bg);
  std::printf("%-34s %.2f ms when the still layer is drawn afresh (%ld times), %.2f ms drawn whole without it\n",
              "  the same frame:", rebuild, layer.builds - builds, whole);
  figures.ratio = full / bg;
  // What a still level costs each second: the kept frame shown again, and the
  // time text drawn again under a clip before it is shown.
  double again = time([&] {});
  double againCpu = cpuMs;
  bm::IRect t = s.look.metrics.DesignRect(30, 0, 340, 48);
  bm::Rect clip{t.left, t.top, t.right, t.bottom};
  double tick = time([&] {
    s.render().SetClip(&clip);
    bm::DrawPlayScreen(s, play);
    s.render().SetClip(nullptr);
  });
  std::printf("%-34s kept frame shown again %.2f ms (%.2f ms of processor), clock tick redrawn in part and shown "
              "%.2f ms (%.2f ms of processor; 1280x1024)\n",
              "a still level's second:", again, againCpu, tick, cpuMs);
}

void Goal(const char* what, double value, double goal, const char* unit, const char* whyNot) {
  if (value < 0) return;
  if (value <= goal) std::printf("  %-44s %8.2f %-3s goal <= %g: met\n", what, value, unit, goal);
  else std::printf("  %-44s %8.2f %-3s goal <= %g: NOT met: %s\n", what, value, unit, goal, whyNot);
}

// The goals, each met or with what stands in its way on this machine.
void PrintGoals() {
  const Figures& f = figures;
  std::printf("goals:\n");
  char why[200];
  std::snprintf(why, sizeof why,
                "%.0f ms pass before the window and its renderer exist, before anything can be drawn",
                f.windowMs);
  Goal("start to first drawn frame", f.firstFrameMs, 150, "ms", why);
  Goal("start to the end of loading", f.loadingMs, 500, "ms",
       "the 60 sound cues are decoded from Ogg Vorbis in the loading pass, one after the other");
  const char* idle = "the music decoder alone takes about half a percent";
  Goal("CPU, main menu, pointer off the props", f.menuOff, 1, "%", idle);
  Goal("CPU, main menu, pointer outside", f.menuOutside, 1, "%", idle);
  Goal("CPU, level, pointer off the props", f.levelOff, 1, "%", idle);
  Goal("CPU, level, pointer outside", f.levelOutside, 1, "%", idle);
  if (f.menuProp >= 0)
    std::printf("  %-44s %8.2f %%   (a prop lit: no goal)\n", "CPU, main menu, pointer on a prop", f.menuProp);
  if (f.levelJewel >= 0)
    std::printf("  %-44s %8.2f %%   (shimmer for 1.5 s, then rest: no goal)\n", "CPU, level, pointer on a jewel",
                f.levelJewel);
  if (f.nudged >= 0)
    std::printf("  %-44s %8.2f %%   (the hover animation running all along: no goal)\n",
                "CPU, level, pointer nudged on a jewel", f.nudged);
  Goal("play frame / background frame at 1280x1024", f.ratio, 2.0, "x",
       "the frame is drawn whole: the still layer is off or the device has no render targets");
  // With GL on the processor (llvmpipe) its compiler and buffers come on top: see the renderer line.
  const char* held =
      "the program and its libraries hold about 20 MB before any picture; then the glyph pages (two atlas pages), "
      "the screen-sized pictures, the still layer and in full screen the kept frame: see the memory lines above";
  Goal("resident memory on the menu, 1280x1024", f.menuMb, 35, "MB", held);
  Goal("resident memory 10 s into a level, 1280x1024", f.residentMb, 40, "MB", held);
  Goal("resident memory on the menu, 1024x768", f.menuSmallMb, 35, "MB", held);
  Goal("resident memory 10 s into a level, 1024x768", f.levelSmallMb, 40, "MB", held);
  Goal("resident memory, the bot with every bonus, peak", f.botPeakMb, 40, "MB", held);
}

}  // namespace

int main(int argc, char** argv) {
  fs::path self = fs::canonical("/proc/self/exe").parent_path();
  std::string gameDir = (self / "game").string();
  std::string only;  // --only idle|frames|memory: one part of the run
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--only" && i + 1 < argc) only = argv[++i];
    else if (a == "--renderer" && i + 1 < argc) renderer = argv[++i];
    else if (a == "--bot-seconds" && i + 1 < argc) botSeconds = std::max(10, std::atoi(argv[++i]));
    else gameDir = a;
  }
  std::string game = gameDir + "/brinemoor";
  // Without a sound card SDL opens no device, no cue gets decoded and loading looks quicker than it is;
  // the dummy driver paces itself like a real device and spins no core.
  setenv("SDL_AUDIODRIVER", "dummy", 0);
  pid_t xvfb = 0;
  if (!std::getenv("DISPLAY")) {
    xvfb = Spawn({"Xvfb", ":97", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"});
    setenv("DISPLAY", ":97", 1);
    usleep(1500 * 1000);
  }
  if (only.empty() || only == "idle") MeasureIdle(game, gameDir);
  if (only.empty() || only == "frames") MeasureFrameCost(gameDir);
  if (only.empty() || only == "memory") MeasureMemory(game);
  PrintGoals();
  if (xvfb > 0) {
    kill(xvfb, SIGTERM);
    waitpid(xvfb, nullptr, 0);
  }
  return 0;
}

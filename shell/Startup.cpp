#include "shell/Startup.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "diag/CrashLog.h"
#include "platform/Host.h"
#include "platform/headless/Headless.h"
#include "render/Resolution.h"
#include "shell/Game.h"
#include "shell/LoadingPass.h"
#include "shell/Loop.h"
#include "shell/MainLoop.h"
#include "shell/Autoplay.h"
#include "match/Tape.h"
#include "shell/Replay.h"
#include "shell/Report.h"
#include "shell/StopSignals.h"
#include "storage/DataIni.h"

namespace fs = std::filesystem;

namespace bm {

std::string ProgramDir() {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  return ec ? std::string(".") : exe.parent_path().string();
}

std::string GameDirFor(const std::string& programDir) {
  std::error_code ec;
  if (fs::is_directory(fs::path(programDir) / "levels", ec)) return programDir;
  // An installed copy: the program in <prefix>/bin with its data in <prefix>/share/brinemoor,
  // or, laid out as Debian lays out games, in <prefix>/games with <prefix>/share/games/brinemoor.
  fs::path share = fs::path(programDir).parent_path() / "share";
  for (const fs::path& shared : {share / "brinemoor", share / "games" / "brinemoor"})
    if (fs::is_directory(shared / "levels", ec)) return shared.string();
  return programDir;
}

std::string DefaultDataDir(const std::string& programDir, const std::string& gameDir) {
  // A build or an unpacked copy keeps its files beside the program; an
  // installed copy never writes into its prefix.
  bool portable = gameDir.empty() || fs::path(gameDir) == fs::path(programDir);
  if (portable && access(programDir.c_str(), W_OK) == 0) return programDir;
  const char* xdg = std::getenv("XDG_DATA_HOME");
  const char* home = std::getenv("HOME");
  fs::path base = xdg && *xdg ? fs::path(xdg) : fs::path(home ? home : ".") / ".local/share";
  return (base / "brinemoor").string();
}

namespace {

bool HasModeOf(int w, int h, const void* ctx) {
  return static_cast<Window*>(const_cast<void*>(ctx))->HasDisplayMode(w, h);
}

}  // namespace


int RunGame(RunOptions options) {
  std::string programDir = ProgramDir();
  if (options.gameDir.empty()) options.gameDir = GameDirFor(programDir);
  if (options.dataDir.empty()) options.dataDir = DefaultDataDir(programDir, options.gameDir);
  std::error_code ec;
  fs::create_directories(fs::path(options.dataDir) / "saves", ec);

  Logs logs(options.dataDir);
  logs.SetEcho(options.verbose);
  logs.StartRun();
  if (!options.replayPath.empty()) return ReplayGame(options, logs);
  if (options.installCrashLog) CrashLog::Install(logs.RunLogPath());

  bool freshSettings = false;
  SettingsRecord settings = LoadSettings(options.dataDir, logs, &freshSettings);

  HostOptions hostOptions;
  hostOptions.headless = options.headless;
  hostOptions.sound = !options.headless;
  hostOptions.softwareRenderer = ForceReferenceRasterizer(options.gameDir, &logs);
  ParseRendererRequest(options.renderer, hostOptions.renderer);
  std::string error;
  auto host = CreateHost(hostOptions, logs, error);
  if (!host) {
    std::cerr << "brinemoor: cannot start: " << error << "\n";
    return 1;
  }
  Platform& plat = host->platform;
  {
    double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - options.processStart).count();
    logs.WriteRunLog("Startup", "Window and renderer ready " + std::to_string(int(ms)) + " ms after start");
  }
  // A stop signal wakes the loop's wait at once; the hook goes before the window does.
  struct WakeHook {
    StopSignals* stop;
    ~WakeHook() {
      if (stop) stop->SetWake({});
    }
  } wakeHook{options.stop};
  if (options.stop) options.stop->SetWake([w = plat.window] { w->Wake(); });
  logs.WriteRunLog("", "Application Start...");

  DisplayInfo display{plat.window->DesktopWidth(), plat.window->DesktopHeight(), HasModeOf, plat.window};
  if (freshSettings && settings.FullScreen == 0) {
    // A first start picks the largest window that fits the desktop.
    for (int r = 5; r >= 1; --r)
      if (IsSupportedSize(ResolutionSize(r, display), false, display)) {
        settings.Resolution = r;
        break;
      }
    SaveSettings(options.dataDir, settings, logs);
  }
  // The command line changes this run only, not the stored options.
  if (options.windowed >= 0) settings.FullScreen = options.windowed ? 0 : -1;
  if (options.resolution >= 0) settings.Resolution = options.resolution;
  bool fullScreen = settings.FullScreen != 0;
  int resolution = settings.Resolution;
  Size2 size = BackBufferSize(resolution, fullScreen, display);
  if (resolution != settings.Resolution)
    logs.WriteRunLog("SetNewd3dpp", "Resolution " + ResolutionName(settings.Resolution) +
                                        " does not fit this display; using the desktop size");
  settings.Resolution = resolution;
  plat.window->SetMode(size.w, size.h, fullScreen);
  plat.render->Resize(size.w, size.h);
  plat.window->ShowCursor(true);
  logs.WriteRunLog("SetFormSize(Function)", "Resolution is set to " + std::to_string(size.w) + "x" +
                                                std::to_string(size.h) + (fullScreen ? "" : " Window mode"));

  bool fast = options.headless && options.screenshotPath.empty();
  host->SetDrawingEnabled(!fast);

  auto game = std::make_unique<Game>(plat, logs, options);
  Game& g = *game;
  g.drawing = !fast;
  if (!options.reportPath.empty()) g.match.checkInvariants = true;
  g.settings = settings;
  g.SetScreenSize(size.w, size.h);
  g.startMs = g.Now();
  // The logo first, before anything slow: the sound device, sounds and pictures
  // load under the bar.
  LoadingPass pass;
  BeginLoading(g, pass);
  switch (g.sfx.StartSound()) {
    case SoundStart::BadVersion:
      plat.window->ShowMessage("Brinemoor", kBadSoundVersionText);
      return 1;
    case SoundStart::InitFailed:
      plat.window->ShowMessage("Brinemoor", kSoundInitFailedText);
      return 1;
    case SoundStart::Ok: break;
  }
  LoadingStep(g, pass);
  g.sfx.ApplySoundVolume(g.settings.SoundVolume, g.settings.SoundOn != 0);
  g.music.MusicReady = true;
  std::vector<std::function<void()>> steps = {[&] { g.music.PreLoadMusic(); }, [&] { g.sfx.LoadLogoSFX(); },
                                              [&] { g.sfx.loadAllSFX(); }};
  if (g.drawing)
    for (const std::string& picture : MenuPictures()) steps.push_back([&g, picture] { g.textures.Get(picture); });
  if (!options.seedGiven) {
    // Any seed will do; keep it so the report can replay this game.
    g.options.seed = (unsigned long long)(g.Now() * 1000) ^ (unsigned long long)getpid();
    g.match.rng.Seed(g.options.seed);
  }
  RunLoadingSteps(g, pass, steps);
  EndLoading(g, pass);

  {
    double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - options.processStart).count();
    logs.WriteRunLog("Startup", "Loading done " + std::to_string(int(ms)) + " ms after start");
  }
  if (options.autoplay) StartAutoplay(g);
  if (options.beforeMainLoop) options.beforeMainLoop(g, *host);
  TapeWriter tape;
  if (!options.recordPath.empty()) {
    std::string why;
    if (tape.Open(options.recordPath, g.options.seed, g.match.checkInvariants, &why)) g.match.tape = &tape;
    else logs.WriteRunLog("Record", "Not recording: " + why, true);
  }
  MainLoop(g);
  if (g.match.tape) {
    g.match.tape = nullptr;
    std::string why;
    if (!tape.Close(&why)) logs.WriteRunLog("Record", "The recording is lost: " + why, true);
  }

  if (!options.screenshotPath.empty()) {
    if (!plat.render->SaveScreenshot(options.screenshotPath))
      logs.WriteRunLog("Screenshot", "Cannot write " + options.screenshotPath, false);
  }
  if (!options.reportPath.empty()) WriteReport(g, options.reportPath);
  g.sfx.ReleaseAllSfx();
  game.reset();
  return 0;
}

}  // namespace bm

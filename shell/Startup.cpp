#include "shell/Startup.h"

#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>

#include "diag/CrashLog.h"
#include "diag/LogTags.h"
#include "lang/Language.h"
#include "lang/Tr.h"
#include "platform/Host.h"
#include "render/Resolution.h"
#include "shell/BotPlayer.h"
#include "shell/DisplayMode.h"
#include "shell/Loop.h"
#include "shell/RunScreen.h"
#include "shell/PlaySide.h"
#include "shell/Replay.h"
#include "shell/Report.h"
#include "shell/Services.h"
#include "shell/StopSignals.h"
#include "storage/DataIni.h"
#include "storage/GameSettings.h"
#include "storage/WindowFile.h"

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

void PlaceWindowAsLeft(Window& window, const std::string& dataDir, Logs& logs) {
  std::optional<WindowRecord> stored = LoadWindowRecord(dataDir, logs);
  if (!stored) return;
  WindowRecord r = FitWindowRecord(*stored, window.DesktopWidth(), window.DesktopHeight());
  window.Place({r.Width, r.Height, r.Maximised != 0});
  logs.WriteRunLog(logtag::kWindowSize, "Window of " + std::to_string(r.Width) + "x" + std::to_string(r.Height) +
                                            (r.Maximised ? ", maximised," : "") + " as it was left");
}

void KeepWindowPlacement(Window& window, const std::string& dataDir, Logs& logs) {
  WindowPlacement p = window.Placement();
  if (p.width <= 0 || p.height <= 0) return;  // never shown in a window
  WindowRecord r{p.width, p.height, std::int16_t(p.maximised ? -1 : 0)};
  if (LoadWindowRecord(dataDir, logs) != r) SaveWindowRecord(dataDir, r, logs);
}

App::App() = default;

App::~App() {
  // The stop signals' wake-up goes before the window does.
  if (stop_) stop_->SetWake({});
}

bool App::Start(RunOptions options) {
  std::string programDir = ProgramDir();
  if (options.gameDir.empty()) options.gameDir = GameDirFor(programDir);
  if (options.dataDir.empty()) options.dataDir = DefaultDataDir(programDir, options.gameDir);
  std::error_code ec;
  fs::create_directories(options.dataDir, ec);
  // Before anything is written there, the logs included: a second copy on the
  // same folder would write its stale game over the first one's.
  std::string lockError;
  switch (lock_.Take(options.dataDir, &lockError)) {
    case FolderLock::Result::Held: break;
    case FolderLock::Result::Busy:
      std::cerr << "brinemoor: another copy of the game is running on the data folder \"" << options.dataDir
                << "\"; close it first, or start this one with --data-dir and another folder\n";
      exitCode_ = kFolderInUseExit;
      return false;
    case FolderLock::Result::Failed:
      // A folder that cannot hold the lock cannot hold the saves either; the
      // game still runs, as it does on a read-only folder.
      std::cerr << "brinemoor: " << lockError << "; running without the guard against a second copy\n";
      break;
  }
  fs::create_directories(fs::path(options.dataDir) / "saves", ec);

  logs_ = std::make_unique<Logs>(options.dataDir);
  Logs& logs = *logs_;
  logs.SetEcho(options.verbose);
  logs.StartRun();
  if (!lock_.Held()) logs.WriteRunLog("Startup", lockError + "; a second copy on this folder is not kept out");
  if (!options.replayPath.empty()) {
    exitCode_ = ReplayGame(options, logs);
    return false;
  }
  if (options.installCrashLog) CrashLog::Install(logs.RunLogPath());

  bool freshSettings = false;
  SettingsRecord settings = LoadSettings(options.dataDir, logs, &freshSettings);
  // The texts' language: --language, else the player's kept choice, else the desktop's.
  EnvironmentLookup desktop = [&options](const char* name) -> const char* {
    return options.followDesktopLanguage ? std::getenv(name) : nullptr;
  };
  LoadLanguage(options.gameDir, ChooseLanguage(options.language, LoadGameSettings(options.dataDir, logs).Language, desktop),
               logs);

  HostOptions hostOptions;
  hostOptions.headless = options.headless;
  hostOptions.sound = !options.headless;
  hostOptions.softwareRenderer = ForceReferenceRasterizer(options.gameDir, &logs);
  ParseRendererRequest(options.renderer, hostOptions.renderer);
  std::string error;
  host_ = CreateHost(hostOptions, logs, error);
  if (!host_) {
    std::cerr << "brinemoor: cannot start: " << error << "\n";
    exitCode_ = 1;
    return false;
  }
  Platform& plat = host_->platform;
  {
    double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - options.processStart).count();
    logs.WriteRunLog("Startup", "Window and renderer ready " + std::to_string(int(ms)) + " ms after start");
  }
  // A stop signal wakes the loop's wait at once.
  stop_ = options.stop;
  if (stop_) stop_->SetWake([w = plat.window] { w->Wake(); });
  logs.WriteRunLog("", "Application Start...");

  DisplayInfo display = DisplayOf(*plat.window);
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
    logs.WriteRunLog(logtag::kResolution, "Resolution " + ResolutionName(settings.Resolution) +
                                              " does not fit this display; using the desktop size");
  settings.Resolution = resolution;
  if (plat.window->SetMode(size.w, size.h, fullScreen)) {
    size = {plat.window->Width(), plat.window->Height()};  // a page draws at the screen's pixels
    logs.WriteRunLog(logtag::kWindowSize, "Resolution is set to " + std::to_string(size.w) + "x" +
                                              std::to_string(size.h) + (fullScreen ? "" : " Window mode"));
  } else {
    // Drawn at the size the window kept, as a window.
    logs.WriteRunLog(logtag::kWindowSizeFailed, "Can't set correct window resolution!");
    fullScreen = false;
    size = {plat.window->Width(), plat.window->Height()};
  }
  plat.render->Resize(size.w, size.h);
  plat.window->ShowCursor(true);
  if (!fullScreen && !options.headless && options.resolution < 0) PlaceWindowAsLeft(*plat.window, options.dataDir, logs);

  bool fast = options.headless && options.screenshotPath.empty();
  host_->SetDrawingEnabled(!fast);

  services_ = std::make_unique<Services>(plat, logs, options);
  Services& s = *services_;
  s.look.drawing = !fast;
  s.settings = settings;
  s.loop.WindowFullScreen = fullScreen;
  s.loop.WindowResolution = resolution;
  s.SetScreenSize(size.w, size.h);
  s.loop.StartMs = s.Now();
  play_ = std::make_unique<PlaySide>(options);
  if (!options.reportPath.empty()) play_->match.checkInvariants = true;
  // The sound device before the logo, whose cue loads as it opens; the rest, the
  // sounds and pictures, load under the bar after it.
  switch (s.sound.sfx.StartSound()) {
    case SoundStart::BadVersion:
      // TRANSLATORS: a message box (the system's font) when the sound library is not the one the game was built
      // with; then the game ends.
      plat.window->ShowMessage("Brinemoor", Tr("An incorrect version of the sound library was loaded"));
      exitCode_ = 1;
      return false;
    case SoundStart::InitFailed:
      // TRANSLATORS: Message boxes and the browser page: a message box, then the game ends.
      plat.window->ShowMessage("Brinemoor", Tr("Can't initialize digital sound system"));
      exitCode_ = 1;
      return false;
    case SoundStart::Ok: break;
  }
  screens_ = std::make_unique<ScreenStack>(s);
  screens_->Open(std::make_unique<RunScreen>(*play_, s));
  s.sound.sfx.ApplySoundVolume(s.settings.SoundVolume, s.settings.SoundOn != 0);
  if (!options.seedGiven) {
    // Any seed will do; keep it so the report can replay this game.
    s.options.seed = (unsigned long long)(s.Now() * 1000) ^ (unsigned long long)getpid();
    play_->match.rng.Seed(s.options.seed);
  }
  if (!options.recordPath.empty()) {
    std::string why;
    if (tape_.Open(options.recordPath, s.options.seed, play_->match.checkInvariants, &why)) play_->match.tape = &tape_;
    else logs.WriteRunLog("Record", "Not recording: " + why, true);
  }
  // --autoplay: the bot's hands stand in front of the real input.
  if (s.options.autoplay) StartBotPlayer(s);
  if (options.beforeMainLoop) options.beforeMainLoop(s, *host_);
  return true;
}

bool App::Step() { return screens_->Step(); }

double App::WakeAt() const { return screens_->WakeAt(); }

int App::Finish() {
  if (!screens_ || exitCode_ != 0) return exitCode_;
  Services& s = *services_;
  const RunOptions& o = s.options;
  if (play_->match.tape) {
    play_->match.tape = nullptr;
    std::string why;
    if (!tape_.Close(&why)) s.logs.WriteRunLog("Record", "The recording is lost: " + why, true);
  }
  if (!o.screenshotPath.empty() && !s.render().SaveScreenshot(o.screenshotPath))
    s.logs.WriteRunLog("Screenshot", "Cannot write " + o.screenshotPath, false);
  const bool reported = o.reportPath.empty() || WriteReport(s, play_->match, o.reportPath);
  s.sound.sfx.ReleaseAllSfx();
  KeepWindowPlacement(s.window(), o.dataDir, s.logs);
  return reported ? 0 : 1;
}

int RunGame(RunOptions options) {
  App app;
  if (app.Start(std::move(options))) RunLoop(app.Screens());
  return app.Finish();
}

}  // namespace bm

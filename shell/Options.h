// What the command line asks of a run.
#pragma once
#include <chrono>
#include <functional>
#include <string>

namespace bm {

class Host;
struct Services;
class StopSignals;

struct RunOptions {
  std::string dataDir;  // writable files: settings, logs, saves
  std::string gameDir;  // the program folder with levels, pictures and sounds
  int windowed = -1;    // -1 as the settings say, 1 windowed, 0 full screen
  int resolution = -1;  // -1 as the settings say
  int level = 0;        // 0: level 1
  bool headless = false;
  bool seedGiven = false;
  unsigned long long seed = 0;
  double maxSeconds = 0;  // 0: no limit
  bool autoplay = false;
  double thinkMs = 0;
  bool allBonuses = false;  // every shop item open at its top grades
  double botLeaveSeconds = 0;  // with autoplay: leave each visit to a level after this long, then continue it
  bool noTips = false;         // no tips this run, whatever the player's record says (the bot's runs)
  std::string reportPath;
  std::string screenshotPath;  // headless: a PNG of the last frame at exit
  std::string recordPath;      // the game's tape (match/Tape.h)
  std::string replayPath;      // a tape to play back headless instead of a game
  bool verbose = false;
  std::string renderer = "auto";  // auto, gl or software
  std::string language;           // --language: this run's language ("" as kept, else the desktop's)
  bool followDesktopLanguage = false;  // the program's own run reads the locale's variables; a test's does not
  bool showHelp = false, showVersion = false;
  std::chrono::steady_clock::time_point processStart = std::chrono::steady_clock::now();
  // The program's own run (main), not a test's: the stop-signal watcher, and
  // the crash line in the run log for fatal signals and uncaught exceptions.
  StopSignals* stop = nullptr;
  bool installCrashLog = false;
  // Tests script the headless input here before the first pass.
  std::function<void(Services&, Host&)> beforeMainLoop;
};

// Parses argv; false with a message in error on a bad argument.
bool ParseCommandLine(int argc, char** argv, RunOptions& options, std::string& error);
std::string UsageText();

}  // namespace bm

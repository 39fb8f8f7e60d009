#include "shell/Options.h"

#include <cstdlib>

#include "lang/Language.h"
#include "platform/RendererChoice.h"
#include "storage/DataIni.h"

namespace bm {

namespace {
bool ToNumber(const std::string& s, double& out) {
  char* end = nullptr;
  out = std::strtod(s.c_str(), &end);
  return !s.empty() && end && *end == 0;
}
}  // namespace

std::string UsageText() {
  return "Usage: brinemoor [options]\n"
         "  --help               show this text\n"
         "  --version            show the version\n"
         "  --data-dir DIR       where settings, logs and saves are kept\n"
         "  --windowed           play in a window\n"
         "  --fullscreen         play full screen\n"
         "  --resolution N       0 desktop, 1 640x480, 2 800x600, 3 1024x768, 4 1280x1024, 5 1600x1200\n"
         "  --level N            start a new game on level N (1..65) at once, for the current\n"
         "                       player (a fresh data folder gets a player named \"Player\"); that\n"
         "                       player's saved game is given up as New Game gives it up, its\n"
         "                       score entered into the high scores\n"
         "  --headless           no window and no sound, on a virtual clock\n"
         "  --seed N             seed the random generator\n"
         "  --max-seconds S      end normally after S seconds of game clock\n"
         "  --autoplay           let the bot play\n"
         "  --think-ms N         the bot's pause per move\n"
         "  --all-bonuses        open every shop item at its top grades (every bonus can appear)\n"
         "  --bot-leave S        the bot leaves the level after S seconds, saving, and continues it\n"
         "  --report FILE        write a JSON summary at exit\n"
         "  --screenshot FILE    save the last frame as PNG at exit\n"
         "  --record FILE        write every frame's input and time to FILE\n"
         "  --replay FILE        play a recorded game headless and write its report\n"
         "  --renderer R         auto (software when no GPU can draw), gl or software\n"
         "  --language CODE      this run's language: " + LanguageCodes() + "\n"
         "  --verbose            echo the run log to the terminal\n"
         "\n"
         "Keys: the mouse plays, or the keyboard alone: arrow keys move a frame over the\n"
         "board, the menus and the shop, Enter or Space presses, 1-5 use the parrot, shuffle,\n"
         "hook, sun and spyglass, Backspace gives a hook or sun back, Escape leaves a level\n"
         "for the menu (the game is saved), F12 ends the game from any screen.\n"
         "Cheat mode: type " + std::string(kBuiltInCheatCode) + " on any screen (or the word set as \"Cheat Mode Code = WORD\"\n"
         "in data.ini in the game folder); typed again it goes off. In a level Page Up and\n"
         "Page Down skip levels; with a cell selected 1-9 and 0 put a jewel, F1 F2 F3 F5 F6\n"
         "a shuffle, Seismic Gem, rum, blue or gold star, the right button a random bonus;\n"
         "Backspace held shows the debug panel, Numpad 0 clears it.\n";
}

bool ParseCommandLine(int argc, char** argv, RunOptions& o, std::string& error) {
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= argc) {
        error = a + " needs a value";
        return false;
      }
      out = argv[++i];
      return true;
    };
    auto number = [&](double& out, double lo, double hi) {
      std::string v;
      if (!value(v)) return false;
      if (!ToNumber(v, out) || out < lo || out > hi) {
        error = a + ": '" + v + "' is not a number from " + std::to_string(int(lo)) + " to " + std::to_string(long(hi));
        return false;
      }
      return true;
    };
    double n = 0;
    if (a == "--help" || a == "-h") o.showHelp = true;
    else if (a == "--version") o.showVersion = true;
    else if (a == "--data-dir") {
      if (!value(o.dataDir)) return false;
      // An empty folder name would quietly mean the program folder.
      if (o.dataDir.empty()) {
        error = "--data-dir needs a folder";
        return false;
      }
    }
    else if (a == "--game-dir") { if (!value(o.gameDir)) return false; }
    else if (a == "--windowed") o.windowed = 1;
    else if (a == "--fullscreen") o.windowed = 0;
    else if (a == "--resolution") { if (!number(n, 0, 5)) return false; o.resolution = int(n); }
    else if (a == "--level") { if (!number(n, 1, 65)) return false; o.level = int(n); }
    else if (a == "--headless") o.headless = true;
    else if (a == "--seed") { if (!number(n, 0, 1e18)) return false; o.seed = (unsigned long long)n; o.seedGiven = true; }
    else if (a == "--max-seconds") { if (!number(n, 0, 1e9)) return false; o.maxSeconds = n; }
    else if (a == "--autoplay") o.autoplay = true;
    else if (a == "--think-ms") { if (!number(n, 0, 60000)) return false; o.thinkMs = n; }
    else if (a == "--all-bonuses") o.allBonuses = true;
    else if (a == "--bot-leave") { if (!number(n, 0, 1e6)) return false; o.botLeaveSeconds = n; }
    else if (a == "--report") {
      if (!value(o.reportPath)) return false;
      if (o.reportPath.empty()) {
        error = "--report needs a file";
        return false;
      }
    }
    else if (a == "--screenshot") { if (!value(o.screenshotPath)) return false; }
    else if (a == "--record") { if (!value(o.recordPath)) return false; }
    else if (a == "--replay") { if (!value(o.replayPath)) return false; }
    else if (a == "--renderer") {
      if (!value(o.renderer)) return false;
      RendererRequest r;
      if (!ParseRendererRequest(o.renderer, r)) {
        error = "--renderer: '" + o.renderer + "' is not auto, gl or software";
        return false;
      }
    }
    else if (a == "--language") {
      if (!value(o.language)) return false;
      if (LanguageOfLocale(o.language).empty()) {
        error = "--language: '" + o.language + "' is not one of " + LanguageCodes();
        return false;
      }
    }
    else if (a == "--verbose") o.verbose = true;
    else {
      error = "unknown option " + a;
      return false;
    }
  }
  return true;
}

}  // namespace bm

// The program's run: start-up in its fixed order, the screens stepped one pass
// at a time, and shut-down.
//
//   App app;
//   if (app.Start(options)) RunLoop(app.Screens());   // or, in a browser, Step() per frame at WakeAt()
//   return app.Finish();
#pragma once
#include <memory>
#include <string>

#include "io/FolderLock.h"
#include "match/Tape.h"
#include "shell/Options.h"

namespace bm {

class Host;
class Logs;
class ScreenStack;
class StopSignals;
class Window;
struct PlaySide;
struct Services;

// The folder of the running program.
std::string ProgramDir();
// The folder with levels, pictures and sounds: the program's own, or
// <prefix>/share/brinemoor beside an installed program's <prefix>/bin.
std::string GameDirFor(const std::string& programDir);
// Where the game writes: the program folder of a build or unpacked copy when it
// is writable, else $XDG_DATA_HOME/brinemoor (~/.local/share/brinemoor).
std::string DefaultDataDir(const std::string& programDir, const std::string& gameDir);

// The window takes the size the player left it at last time ("window.dat"),
// fitted to this desktop; and at the end of a run that size is kept.
void PlaceWindowAsLeft(Window& window, const std::string& dataDir, Logs& logs);
void KeepWindowPlacement(Window& window, const std::string& dataDir, Logs& logs);

class App {
 public:
  App();
  ~App();
  // Start-up up to the first screen: the data folder's lock, the logs, the
  // settings, the window, the services, the logo with the loading bar. False
  // when there is nothing to step (a replay, another copy on the data folder,
  // or the program cannot start); Finish then says why.
  bool Start(RunOptions options);
  // One pass of the screens; false once the run is over.
  bool Step();
  // The clock time the next Step is due.
  double WakeAt() const;
  ScreenStack& Screens() { return *screens_; }
  // Shut-down: the tape closed, the screenshot and the report written, the
  // sounds released, the window's size kept. Returns the process exit code.
  int Finish();

  // What the run is made of, for tests (null before Start).
  Services* services() { return services_.get(); }
  PlaySide* play() { return play_.get(); }
  Host* host() { return host_.get(); }

 private:
  int exitCode_ = 0;
  FolderLock lock_;  // held for the whole run
  StopSignals* stop_ = nullptr;
  std::unique_ptr<Logs> logs_;
  std::unique_ptr<Host> host_;
  std::unique_ptr<Services> services_;
  std::unique_ptr<PlaySide> play_;
  std::unique_ptr<ScreenStack> screens_;
  TapeWriter tape_;
};

// The exit code of a copy that found its data folder in use by another.
inline constexpr int kFolderInUseExit = 3;

// The whole run; returns the process exit code.
int RunGame(RunOptions options);

}  // namespace bm

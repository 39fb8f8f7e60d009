// What the screens are handed. Every screen works on a Stage: the machine, the
// look, the sound, the loop's state and the run log. The saved game's files
// (Saves), the settings and the run's options are handed only to the screens
// that load, save or change them, when they are made. Services is all of it, as
// start-up builds it and the loop holds it.
// Nothing of a game in progress is here: that is the play side's (PlaySide.h).
#pragma once
#include <chrono>
#include <memory>
#include <string>

#include "audio/MusicMod.h"
#include "audio/SoundFX.h"
#include "board/ScreenMetrics.h"
#include "diag/Logs.h"
#include "platform/Platform.h"
#include "render/Canvas.h"
#include "render/Font.h"
#include "render/StillLayer.h"
#include "shell/InputRouter.h"
#include "shell/Options.h"
#include "shell/SoftCursor.h"
#include "storage/SaveFolder.h"
#include "storage/Settings.h"

namespace bm {

class InputSource;

// How the screen is drawn: its size, the pictures, the font.
struct Look {
  Look(RenderDevice& render, const std::string& gameDir, Logs& logs);
  ScreenMetrics metrics;
  TextureBank textures;
  Canvas canvas;
  Font font;
  StillLayer stillLayer;  // the play screen's part that does not move
  bool drawing = true;    // headless fast runs skip drawing altogether
};

struct Sound {
  Sound(Platform& platform, Logs& logs, const std::string& gameDir);
  SoundFx sfx;
  MusicMod music;
};

// What the one loop keeps from pass to pass.
struct LoopState {
  bool ExitRequested = false;
  bool AppActive = true;
  bool SceneDirty = false;  // this pass drew: present it
  bool Redraw = true;       // the screen must be drawn afresh on the next pass
  // The mode the window is in; the settings may hold a choice not applied yet.
  bool WindowFullScreen = false;
  int WindowResolution = 0;
  InputRouter Input;
  SoftCursor Cursor;
  // The device's frame count once the last play frame is shown: while nothing
  // else was presented since, that frame is still there to be redrawn in part.
  long PlayFrameMark = -1;
  double StartMs = 0;        // clock at start, for --max-seconds
  double FirstFrameMs = -1;  // clock when the first frame was presented
  double LastPresentMs = 0;  // frame pacing
  long FramesPresented = 0;
  long PartialFrames = 0;  // play frames drawn again only where they changed
  long ScreensShown = 0;   // screens numbered as they first show on top (OnScreen::visit)
  std::chrono::steady_clock::time_point WallStart = std::chrono::steady_clock::now();
};

// What every screen works with on each pass: the machine (input, window,
// render device, clock), the look, the sound, the loop's state and the run log.
struct Stage {
  Stage(Platform& platform, Logs& logs, const std::string& gameDir);
  Stage(const Stage&) = delete;
  Stage& operator=(const Stage&) = delete;

  Platform& platform;
  Logs& logs;
  Look look;
  Sound sound;
  LoopState loop;

  Input& in() { return *platform.input; }
  Window& window() { return *platform.window; }
  RenderDevice& render() { return *platform.render; }
  double Now() { return platform.clock->ClockMs(); }
  // Rebuilds the metrics after the back buffer changed size.
  void SetScreenSize(int w, int h);
};

// The data folder, as the screens that load and save the game are handed it.
struct Saves {
  Saves(const RunOptions& o, Logs& l, Clock& c) : options(o), logs(l), clock(c) {}
  const RunOptions& options;  // the data folder, and a new game's --no-tips and --all-bonuses
  Logs& logs;
  Clock& clock;
  SaveCounters counters;  // what saving the game has cost this run

  // The data folder's files, for one load or save; Count adds what it wrote.
  SaveFolder Folder() const { return SaveFolder{options.dataDir, options.gameDir, &logs}; }
  void Count(const SaveFolder& f);
  double Now() { return clock.ClockMs(); }
};

struct Services : Stage {
  Services(Platform& platform, Logs& logs, RunOptions options);
  ~Services();

  RunOptions options;
  SettingsRecord settings;
  Saves saves{options, logs, *platform.clock};
  // Stands in front of the real input when the run has one (start-up puts it
  // there); the loop shows it each screen and asks when it needs a pass.
  std::unique_ptr<InputSource> inputSource;
};

}  // namespace bm

// What every screen is handed: the machine, the run's options and settings, the
// look, the sound, the loop's state, the input standing in front of the real
// one (when the run has one) and the data folder.
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

struct Services {
  Services(Platform& platform, Logs& logs, RunOptions options);
  ~Services();

  Platform& platform;
  Logs& logs;
  RunOptions options;
  SettingsRecord settings;
  Look look;
  Sound sound;
  LoopState loop;
  // Stands in front of the real input when the run has one (start-up puts it
  // there); the loop shows it each screen and asks when it needs a pass.
  std::unique_ptr<InputSource> inputSource;
  SaveCounters saveCounters;  // what saving the game has cost this run

  Input& in() { return *platform.input; }
  Window& window() { return *platform.window; }
  RenderDevice& render() { return *platform.render; }
  double Now() { return platform.clock->ClockMs(); }
  // The data folder's files, for one load or save; Count adds what it wrote.
  SaveFolder Folder() const { return SaveFolder{options.dataDir, options.gameDir, &logs}; }
  void Count(const SaveFolder& f);
  // Rebuilds the metrics after the back buffer changed size.
  void SetScreenSize(int w, int h);
};

}  // namespace bm

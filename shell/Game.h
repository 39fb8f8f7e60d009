// Everything one run of the game keeps, in a few named parts a test can build fresh.
#pragma once
#include <array>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "audio/MusicMod.h"
#include "audio/SoundFX.h"
#include "board/ScreenMetrics.h"
#include "bot/Autoplay.h"
#include "diag/Logs.h"
#include "match/Match.h"
#include "storage/SaveFolder.h"
#include "platform/Platform.h"
#include "progress/MapView.h"
#include "render/Canvas.h"
#include "render/Font.h"
#include "render/MenuScreen.h"
#include "render/StillLayer.h"
#include "render/TipDraw.h"
#include "shell/BotHand.h"
#include "shell/InputRouter.h"
#include "shell/ShopScreen.h"
#include "shell/Options.h"
#include "shell/SoftCursor.h"
#include "storage/Settings.h"

namespace bm {

// The flags every loop reads.
struct LoopFlags {
  bool ExitRequested = false;
  bool LeavePlay = false;
  bool AppActive = true;
  bool SceneDirty = false;
  bool Redraw = true;  // the screen must be drawn afresh on the next pass
};

// What the between-levels screen keeps from one visit to the next.
struct BetweenLevelsMemory {
  MapPointTable points{};
  bool pointsLoaded = false;
  MapAnimation map;
  bool upHeld = false, downHeld = false;  // the map's cheat keys act once per press
  BotHand hand;                           // the bot's hand on these screens
  ShopMemory shop;
  ItemStatus shopStatus = NewGameItemStatus();  // the shop's working copy of the match's item status
};

// The run's own figures; the game's are in the match.
struct RunStats {
  long framesPresented = 0;
  long partialFrames = 0;  // play frames drawn again only where they changed
  std::chrono::steady_clock::time_point wallStart = std::chrono::steady_clock::now();
};

struct Game {
  Game(Platform& platform, Logs& logs, RunOptions options);
  ~Game();

  Platform& plat;
  Logs& logs;
  RunOptions options;
  Rng fxRng;  // for what is only shown (the board's flight), so the game's draws stay the same
  LoopFlags flags;
  InputRouter input;
  SettingsRecord settings;
  ScreenMetrics metrics;
  Match match;  // the game in progress
  SaveCounters saveCounters;  // what saving the game has cost this run
  double levelVisitMs = 0;    // when play last (re)entered the game loop
  RunStats stats;
  BetweenLevelsMemory between;
  TextureBank textures;
  Canvas canvas;
  Font font;
  SoundFx sfx;
  MusicMod music;
  int MenuChoice = 0;
  MainMenuView menuView;
  bool autoplay = false;
  std::unique_ptr<Autoplay> bot;           // with --autoplay
  std::unique_ptr<class BotInput> botInput;
  double botMenuClickAt = 0;  // when the bot presses "Play" on the menu
  bool drawing = true;  // headless fast runs skip drawing altogether
  double startMs = 0;        // clock at start, for --max-seconds
  double firstFrameMs = -1;  // clock when the first frame was presented
  double lastPresentMs = 0;  // frame pacing
  int menuButtonState = 0;  // the play screen's menu button as last drawn
  // The device's frame count once the last play frame is shown: while nothing
  // else was presented since, that frame is still there to be redrawn in part.
  long playFrameMark = -1;
  StillLayer stillLayer;  // the play screen's part that does not move
  SoftCursor softCursor;
  // The tip shown over the play screen, those waiting their turn, and the
  // press that closed one (the board does not see it).
  TipBox tip;
  std::vector<TipBox> tipsWaiting;
  bool tipPressHeld = false;
  std::uint32_t keysLatched = 0;  // play keys held since play began, ignored until let go

  Clock& clock() { return *plat.clock; }
  Input& in() { return *plat.input; }
  Window& window() { return *plat.window; }
  RenderDevice& render() { return *plat.render; }
  double Now() { return plat.clock->ClockMs(); }
  std::string LevelsDir() const { return options.gameDir + "/levels"; }
  // Rebuilds the metrics after the back buffer changed size.
  void SetScreenSize(int w, int h);
};

}  // namespace bm

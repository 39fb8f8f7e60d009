// What the play screens share for the whole run: the match (its random
// generator, tape and run figures span games), the tips, the between-levels
// screen's memory. Owned by the run, handed to the main menu,
// which hands it to the play screen.
#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "match/Match.h"
#include "progress/MapView.h"
#include "render/TipDraw.h"
#include "shell/Options.h"
#include "shell/ShopView.h"

namespace bm {

// What the between-levels screen keeps from one visit to the next.
struct BetweenLevelsMemory {
  MapPointTable points{};
  bool pointsLoaded = false;
  MapAnimation map;
  bool upHeld = false, downHeld = false;  // the map's cheat keys act once per press
  ShopMemory shop;
  ItemStatus shopStatus = NewGameItemStatus();  // the shop's working copy of the match's item status
};

struct PlaySide {
  explicit PlaySide(const RunOptions& options);
  ~PlaySide();

  Match match;  // the game in progress
  Rng fxRng;    // for what is only shown (the board's flight), so the game's draws stay the same
  // The tip shown over the play screen, those waiting their turn, and the
  // press that closed one (the board does not see it).
  TipBox tip;
  std::vector<TipBox> tipsWaiting;
  bool tipPressHeld = false;
  int menuButtonState = 0;        // the play screen's menu button as last drawn
  std::uint32_t keysLatched = 0;  // play keys held since play began, ignored until let go
  long stockLook = 0;             // the stock buttons as the last pass left them (KeepStockLook)
  BetweenLevelsMemory between;
};

// The match follows the screen's size (its hit tests).
void FitScreen(Match& m, const ScreenMetrics& metrics);

}  // namespace bm

// The run logs' fixed places: the log's stable vocabulary. They name the forms,
// loops and procedures the game had when these lines were first written, and
// most of those are screens or gone now; the words stay as they are because
// players' reports, scripts/screens.sh and the tests search the logs for them
// (the trailing blank of the failing SetFormSize line included). A new line
// takes a place that says where it comes from today; these are not renamed.
#pragma once

namespace bm::logtag {

inline constexpr const char* kRootForm = "ROOTFORM";                        // the window and renderer at start-up
inline constexpr const char* kFormLoad = "Form_Load()";                     // start-up: a wrong sound library
inline constexpr const char* kMainLoop = "MainLoop";                        // the run: Begin, CP1, CP2, its end
inline constexpr const char* kMainMenu = "goMainMenu";                      // the menu is up (CP1); a first player
inline constexpr const char* kOptionsLoop = "OptionsLoop";                  // the options screen
inline constexpr const char* kHighScoresLoop = "HighScoresLoop";            // the high-score screen
inline constexpr const char* kNameEntryLoop = "NameEntryLoop";              // the name box
inline constexpr const char* kHowToPlayLoop = "HowToPlayLoop";              // the how-to-play screen
inline constexpr const char* kPlayersLoop = "PlayersLoop";                  // the players screen
inline constexpr const char* kWindowSize = "SetFormSize(Function)";         // the window's size was set
inline constexpr const char* kWindowSizeFailed = "SetFormSize(Function) ";  // it could not be
inline constexpr const char* kResolution = "SetNewd3dpp";                   // a resolution the display lacks
inline constexpr const char* kShowLogo = "ShowLogo()";                      // the logo screen
inline constexpr const char* kLoadPBar = "LoadPBar()";                      // the loading bar's step count read
inline constexpr const char* kSavePBar = "SavePBar()";                      // and written
inline constexpr const char* kRenderScene = "RenderScene()";                // the first frame drawn
inline constexpr const char* kBetweenLevels = "BetweenLevelsScreen()";      // the map between levels
inline constexpr const char* kGameComplete = "GameCompleteScreen()";        // the credits after the last level
inline constexpr const char* kMapPoints = "LoadMapPoints()";                // no map points: a grid instead

}  // namespace bm::logtag

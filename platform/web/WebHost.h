// The platform services in a browser page: the clock, the canvas with its
// input, WebGL drawing and Web Audio. CreateHost (platform/Host.h) builds them
// here in the browser build; the program then runs its passes through
// RunPasses (platform/web/PassLoop.h).
#pragma once
#include <string>

namespace bm {

// The game's data, packed for the page and unpacked here before the program starts.
inline constexpr const char* kWebGameDir = "/game";
// Settings, players, scores and saves: kept in the browser's persistent storage
// (page_pre.js mounts it; PassLoop copies it back after each write).
inline constexpr const char* kWebDataDir = "/data";
// Where a run with a time limit writes its report before the page shows it.
inline constexpr const char* kWebReportPath = "/tmp/report.json";

// The page around the canvas: a message over it (also before there is a
// window), a run's report in its element with id "report", and the screen on
// top, which the page keeps with the time it came up (its checks follow it).
void ShowPageMessage(const std::string& title, const std::string& text);
void ShowPageReport(const std::string& json);
void ShowPageScreen(const char* name);
// The game's notice for the player (diag/Notices.h) in the page's status line; "" clears it.
void ShowPageNotice(const std::string& text);

// A click or key on the page's loading screen, before the program drew anything.
bool PageAskedToSkipIntro();
// A press of this key for the program's next pass alone.
void PressOnPage(int virtualKey);

}  // namespace bm

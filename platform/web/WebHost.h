// The platform services in a browser page: the clock, the canvas with its
// input, WebGL drawing and Web Audio. CreateHost (platform/Host.h) builds them
// here in the browser build; the program then runs its passes through
// RunPasses (platform/web/PassLoop.h).
#pragma once

namespace bm {

// The game's data, packed for the page and unpacked here before the program starts.
inline constexpr const char* kWebGameDir = "/game";
// Settings, players, scores and saves: kept in the browser's persistent storage
// (page_pre.js mounts it; PassLoop copies it back after each write).
inline constexpr const char* kWebDataDir = "/data";

}  // namespace bm

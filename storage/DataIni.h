// The installer's switches in "data.ini" beside the program.
#pragma once
#include <string>

namespace bm {

class Logs;

inline constexpr const char* kDataIniFileName = "data.ini";
inline constexpr const char* kReferenceRasterizerKey = "Force Reference Rasterizer (REF)";
inline constexpr const char* kCheatModeCodeKey = "Cheat Mode Code";
inline constexpr const char* kBuiltInCheatCode = "KRAKENRUM";

// True only for the value "TRUE" in any letter case; anything else means the hardware device.
bool ForceReferenceRasterizer(const std::string& dir, Logs* logs = nullptr);

// A data.ini that cannot be read is logged (when logs is given) and reads as absent.
// The word that toggles cheat mode, upper case; an absent or empty value gives the built-in word.
std::string CheatModeCode(const std::string& dir, Logs* logs = nullptr);

// The "data.ini" shipped with the game: both keys present, off and empty.
std::string DefaultDataIniText();

}  // namespace bm

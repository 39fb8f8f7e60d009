// "settings.ini" in the data folder: the settings of our own that "config.dat"
// (a fixed 50-byte record) has no room for. A short text of "Key=Value" lines;
// "#" starts a comment; keys this version does not know are kept as written.
//
//   # Brinemoor's own settings
//   Language=de
//
// Language is the player's choice ("en", "de", ... see lang/Language.h); none
// means the desktop's language. A file that is not such a text (binary bytes, a
// line without "=", a language we do not have) is logged, kept as
// "settings.ini.bad" and read as no choice; a missing one is no choice, silently.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace bm {

class Logs;

inline constexpr const char* kGameSettingsFile = "settings.ini";
inline constexpr std::size_t kGameSettingsMaxBytes = 4096;

struct GameSettings {
  std::string Language;  // "" follows the desktop
  std::string Others;    // lines of keys we do not know, kept for the next write
  bool operator==(const GameSettings&) const = default;
};

std::optional<GameSettings> ParseGameSettings(std::string_view text);
std::string SerializeGameSettings(const GameSettings& s);

GameSettings LoadGameSettings(const std::string& dataDir, Logs& logs);
// Writes the file atomically; logs and returns false on failure.
bool SaveGameSettings(const std::string& dataDir, const GameSettings& s, Logs& logs);

}  // namespace bm

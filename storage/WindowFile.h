// The size the player left the window at, kept in "window.dat" beside
// "config.dat" (whose fixed record has no room for it): 10 bytes, the width and
// height as 32-bit values and whether it was maximised as a 16-bit boolean.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace bm {

class Logs;

inline constexpr std::size_t kWindowRecordSize = 10;
inline constexpr const char* kWindowFileName = "window.dat";
inline constexpr std::int32_t kWindowMinWidth = 320, kWindowMinHeight = 256, kWindowMaxEdge = 16384;

struct WindowRecord {
  std::int32_t Width = 0, Height = 0;
  std::int16_t Maximised = 0;  // -1 true, 0 false
  bool operator==(const WindowRecord&) const = default;
};

std::string SerializeWindowRecord(const WindowRecord& r);
// A record of exactly 10 bytes with a size between the smallest window and
// 16384 pixels a side and a boolean that is -1 or 0; nothing otherwise.
std::optional<WindowRecord> ParseWindowRecord(std::string_view bytes);

// The stored record; nothing when there is none yet (silently) or it cannot be
// used (logged: the chosen resolution's size serves, and the file is written anew at exit).
std::optional<WindowRecord> LoadWindowRecord(const std::string& dir, Logs& logs);
// Writes "window.dat" atomically; logs and returns false on failure.
bool SaveWindowRecord(const std::string& dir, const WindowRecord& r, Logs& logs);

// The stored size made to fit a desktop of that size (a smaller screen than last time).
WindowRecord FitWindowRecord(WindowRecord r, int desktopWidth, int desktopHeight);

}  // namespace bm

// The player's options: one 50-byte record kept for the whole run and stored
// byte for byte as "config.dat" in the program folder.
#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace bm {

class Logs;

inline constexpr std::size_t kSettingsRecordSize = 50;
inline constexpr const char* kSettingsFileName = "config.dat";
inline constexpr std::int32_t kResolutionCount = 6;  // 0 "DESKTOP" .. 5 "1600x1200"
inline constexpr std::int32_t kModeSettingCount = 4;

struct SettingsRecord {
  using Reserved = std::array<std::uint8_t, 4>;
  // Unused gaps of the file; whatever they hold is written back unchanged.
  Reserved Reserved0{};
  Reserved Reserved4{};
  std::int32_t ModeSetting = 0;  // 0..3, only compared when settings are applied
  Reserved Reserved12{};
  std::int32_t FrameScratch = 0;  // the board frame zeroes it; carried, never acted on
  Reserved Reserved20{};
  std::int32_t Resolution = 0;  // index into the resolution table, 0 = desktop size
  double MusicVolume = 0.6;
  double SoundVolume = 0.7;
  std::int16_t MusicOn = -1;  // booleans: -1 true, 0 false
  std::int16_t SoundOn = -1;
  std::int16_t FullScreen = 0;

  bool operator==(const SettingsRecord&) const = default;
};

// Windowed at the desktop size, sound and music on at moderate volume.
SettingsRecord DefaultSettings();

std::array<std::uint8_t, kSettingsRecordSize> SerializeSettings(const SettingsRecord& record);
// Takes the bytes as they are; use SanitizeSettings for values from outside.
SettingsRecord DeserializeSettings(const std::array<std::uint8_t, kSettingsRecordSize>& bytes);

// Puts every out-of-range value back in range (volumes clamped, the rest
// defaulted) and returns one line per repair; empty when the record was sound.
std::vector<std::string> SanitizeSettings(SettingsRecord& record);

// Reads "config.dat" from dir. A missing, short, over-long or damaged file is
// logged, kept aside as "config.dat.bad" (io/SafeRead.h) and written anew whole
// with sound values, so the game never runs on garbage. Something that cannot
// be read at all (a folder, no permission) is logged, the player told, and it
// is never written over; the defaults serve this run. firstStart (when given) is set when
// no stored record could be used: the file was missing or shorter than a record.
SettingsRecord LoadSettings(const std::string& dir, Logs& logs, bool* firstStart = nullptr);

// Writes the record as "config.dat" in dir atomically; logs and returns false on failure.
bool SaveSettings(const std::string& dir, const SettingsRecord& record, Logs& logs);

// True when switching from stored to current needs a new render device.
bool NeedsDeviceReset(const SettingsRecord& current, const SettingsRecord& stored);

// The options screen's confirm: compares current with the stored record, then
// writes current. Returns whether the caller must reset the render device; an
// unreadable stored record counts as different.
bool ApplySettings(const std::string& dir, const SettingsRecord& current, Logs& logs);

}  // namespace bm

#include "storage/Settings.h"

#include <cmath>
#include "diag/Logs.h"
#include "io/AtomicWrite.h"
#include "io/Bytes.h"
#include "io/SafeRead.h"
#include "lang/Tr.h"

namespace bm {

namespace {

constexpr const char* kPlace = "LoadSettings";

using Bytes = std::array<std::uint8_t, kSettingsRecordSize>;

void PutU32(Bytes& b, std::size_t at, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}
void PutU64(Bytes& b, std::size_t at, std::uint64_t v) {
  for (int i = 0; i < 8; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}
void PutU16(Bytes& b, std::size_t at, std::uint16_t v) {
  b[at] = static_cast<std::uint8_t>(v);
  b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
std::uint64_t GetLe(const Bytes& b, std::size_t at, int width) {
  std::uint64_t v = 0;
  for (int i = width - 1; i >= 0; --i) v = (v << 8) | b[at + i];
  return v;
}
void PutReserved(Bytes& b, std::size_t at, const SettingsRecord::Reserved& r) {
  for (int i = 0; i < 4; ++i) b[at + i] = r[i];
}
SettingsRecord::Reserved GetReserved(const Bytes& b, std::size_t at) { return {b[at], b[at + 1], b[at + 2], b[at + 3]}; }

std::string FilePath(const std::string& dir) { return (dir.empty() ? std::string(".") : dir) + "/" + kSettingsFileName; }

// At most one record: an over-long file comes back as TooLarge with the record at its front.
ReadResult ReadRaw(const std::string& path) { return ReadFileBounded(path, kSettingsRecordSize); }

Bytes FirstRecord(const std::string& raw) {
  Bytes b{};
  for (std::size_t i = 0; i < kSettingsRecordSize; ++i) b[i] = static_cast<std::uint8_t>(raw[i]);
  return b;
}

bool IsBool(std::int16_t v) { return v == -1 || v == 0; }

void FixVolume(double& v, double fallback, const char* name, std::vector<std::string>& repairs) {
  if (!std::isfinite(v)) {
    repairs.push_back(std::string(name) + " is not a number, set to " + std::to_string(fallback));
    v = fallback;
  } else if (v < 0.0 || v > 1.0) {
    double clamped = v < 0.0 ? 0.0 : 1.0;
    repairs.push_back(std::string(name) + " " + std::to_string(v) + " out of 0..1, set to " + std::to_string(clamped));
    v = clamped;
  }
}

void FixInt(std::int32_t& v, std::int32_t count, std::int32_t fallback, const char* name,
            std::vector<std::string>& repairs) {
  if (v < 0 || v >= count) {
    repairs.push_back(std::string(name) + " " + std::to_string(v) + " out of 0.." + std::to_string(count - 1) +
                      ", set to " + std::to_string(fallback));
    v = fallback;
  }
}

void FixBool(std::int16_t& v, std::int16_t fallback, const char* name, std::vector<std::string>& repairs) {
  if (!IsBool(v)) {
    repairs.push_back(std::string(name) + " " + std::to_string(v) + " is neither -1 nor 0, set to " +
                      std::to_string(fallback));
    v = fallback;
  }
}

}  // namespace

SettingsRecord DefaultSettings() { return SettingsRecord{}; }

std::array<std::uint8_t, kSettingsRecordSize> SerializeSettings(const SettingsRecord& r) {
  Bytes b{};
  PutReserved(b, 0, r.Reserved0);
  PutReserved(b, 4, r.Reserved4);
  PutU32(b, 8, static_cast<std::uint32_t>(r.ModeSetting));
  PutReserved(b, 12, r.Reserved12);
  PutU32(b, 16, static_cast<std::uint32_t>(r.FrameScratch));
  PutReserved(b, 20, r.Reserved20);
  PutU32(b, 24, static_cast<std::uint32_t>(r.Resolution));
  PutU64(b, 28, DoubleBits(r.MusicVolume));
  PutU64(b, 36, DoubleBits(r.SoundVolume));
  PutU16(b, 44, static_cast<std::uint16_t>(r.MusicOn));
  PutU16(b, 46, static_cast<std::uint16_t>(r.SoundOn));
  PutU16(b, 48, static_cast<std::uint16_t>(r.FullScreen));
  return b;
}

SettingsRecord DeserializeSettings(const std::array<std::uint8_t, kSettingsRecordSize>& b) {
  SettingsRecord r;
  r.Reserved0 = GetReserved(b, 0);
  r.Reserved4 = GetReserved(b, 4);
  r.ModeSetting = static_cast<std::int32_t>(GetLe(b, 8, 4));
  r.Reserved12 = GetReserved(b, 12);
  r.FrameScratch = static_cast<std::int32_t>(GetLe(b, 16, 4));
  r.Reserved20 = GetReserved(b, 20);
  r.Resolution = static_cast<std::int32_t>(GetLe(b, 24, 4));
  r.MusicVolume = DoubleFromBits(GetLe(b, 28, 8));
  r.SoundVolume = DoubleFromBits(GetLe(b, 36, 8));
  r.MusicOn = static_cast<std::int16_t>(GetLe(b, 44, 2));
  r.SoundOn = static_cast<std::int16_t>(GetLe(b, 46, 2));
  r.FullScreen = static_cast<std::int16_t>(GetLe(b, 48, 2));
  return r;
}

std::vector<std::string> SanitizeSettings(SettingsRecord& r) {
  const SettingsRecord d = DefaultSettings();
  std::vector<std::string> repairs;
  FixInt(r.ModeSetting, kModeSettingCount, d.ModeSetting, "ModeSetting", repairs);
  FixInt(r.Resolution, kResolutionCount, d.Resolution, "Resolution", repairs);
  FixVolume(r.MusicVolume, d.MusicVolume, "MusicVolume", repairs);
  FixVolume(r.SoundVolume, d.SoundVolume, "SoundVolume", repairs);
  FixBool(r.MusicOn, d.MusicOn, "MusicOn", repairs);
  FixBool(r.SoundOn, d.SoundOn, "SoundOn", repairs);
  FixBool(r.FullScreen, d.FullScreen, "FullScreen", repairs);
  return repairs;
}

SettingsRecord LoadSettings(const std::string& dir, Logs& logs, bool* firstStart) {
  const std::string path = FilePath(dir);
  const ReadResult raw = ReadRaw(path);
  if (firstStart) *firstStart = false;
  if (raw.status == ReadStatus::Missing) {
    logs.WriteRunLog(kPlace, "\"" + path + "\" is missing, default settings written");
    if (firstStart) *firstStart = true;
    SettingsRecord d = DefaultSettings();
    SaveSettings(dir, d, logs);
    return d;
  }
  if (raw.status == ReadStatus::NotRegularFile || raw.status == ReadStatus::IoError) {
    // Whatever stands there may still be the player's; it is left alone.
    LogReadFailure(logs, kPlace, raw, "default settings used for this run; it is left as it is, never saved over");
    NoticeUnreadable(raw, path);
    return DefaultSettings();
  }
  if (raw.bytes.size() < kSettingsRecordSize) {
    logs.WriteRunLog(kPlace, "\"" + path + "\" is " + std::to_string(raw.bytes.size()) + " bytes, shorter than " +
                                 std::to_string(kSettingsRecordSize) + "; default settings written");
    if (firstStart) *firstStart = true;
    KeepDamagedFile(&logs, kPlace, path);
    SettingsRecord d = DefaultSettings();
    SaveSettings(dir, d, logs);
    return d;
  }
  SettingsRecord r = DeserializeSettings(FirstRecord(raw.bytes));
  bool rewrite = false;
  if (raw.status == ReadStatus::TooLarge) {
    // Trailing bytes are junk; the record at the front is still the settings.
    logs.WriteRunLog(kPlace, "\"" + path + "\" is " + std::to_string(raw.fileSize) + " bytes, longer than " +
                                 std::to_string(kSettingsRecordSize) + "; extra bytes dropped");
    rewrite = true;
  }
  for (const std::string& repair : SanitizeSettings(r)) {
    logs.WriteRunLog(kPlace, "\"" + path + "\" damaged: " + repair);
    rewrite = true;
  }
  if (rewrite) {
    // The file as it was is kept before the sound record takes its place.
    KeepDamagedFile(&logs, kPlace, path);
    SaveSettings(dir, r, logs);
  }
  return r;
}

bool SaveSettings(const std::string& dir, const SettingsRecord& record, Logs& logs) {
  const Bytes b = SerializeSettings(record);
  Wording error;
  if (!WriteFileAtomic(FilePath(dir), std::string(b.begin(), b.end()), &error)) {
    logs.WriteRunLog("SaveSettings", error.English());
    // TRANSLATORS: A notice over any screen (and the web page's status line), %s the reason ("cannot write
    // \"/home/mary/.local/share/brinemoor/saves/players.dat\": No space left on device"). Wrapped over several lines;
    // room: about half again as long as the English.
    NoticeNotSaved(TrNoop("The options could not be saved: %s. The last save is kept."), FilePath(dir), error);
    return false;
  }
  return true;
}

bool NeedsDeviceReset(const SettingsRecord& current, const SettingsRecord& stored) {
  return current.FullScreen != stored.FullScreen || current.Resolution != stored.Resolution ||
         current.ModeSetting != stored.ModeSetting;
}

bool ApplySettings(const std::string& dir, const SettingsRecord& current, Logs& logs) {
  const ReadResult raw = ReadRaw(FilePath(dir));
  bool reset = true;
  if ((raw.ok() || raw.status == ReadStatus::TooLarge) && raw.bytes.size() >= kSettingsRecordSize) {
    reset = NeedsDeviceReset(current, DeserializeSettings(FirstRecord(raw.bytes)));
  } else {
    logs.WriteRunLog("ApplySettings", "\"" + FilePath(dir) + "\" unreadable, the render device will be reset");
  }
  SaveSettings(dir, current, logs);
  return reset;
}

}  // namespace bm

// "config.dat": any bytes give settings in range, which survive a write and a read.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "storage/Settings.h"

using namespace bm;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  SettingsRecord r = DefaultSettings();
  if (size >= kSettingsRecordSize) {
    std::array<std::uint8_t, kSettingsRecordSize> bytes{};
    std::copy(data, data + kSettingsRecordSize, bytes.begin());
    r = DeserializeSettings(bytes);
  }
  SanitizeSettings(r);
  if (!SanitizeSettings(r).empty()) std::abort();
  if (r.Resolution < 0 || r.Resolution >= kResolutionCount) std::abort();
  if (!(r.MusicVolume >= 0 && r.MusicVolume <= 1 && r.SoundVolume >= 0 && r.SoundVolume <= 1)) std::abort();
  if (!(DeserializeSettings(SerializeSettings(r)) == r)) std::abort();
  return 0;
}

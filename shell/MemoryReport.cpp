#include "shell/MemoryReport.h"

#include <cstdio>
#include <string>

#include "platform/Audio.h"
#include "shell/Services.h"

namespace bm {

// What pictures and sounds cost, for the memory figures of the benchmark.
void LogMemory(Services& s) {
  auto mb = [](std::size_t b) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f MB", double(b) / 1048576.0);
    return std::string(buf);
  };
  std::size_t pictures = 0;
  std::string classes;
  for (const auto& [name, bytes] : s.look.textures.BytesByClass()) {
    pictures += bytes;
    if (bytes) classes += (classes.empty() ? "" : ", ") + name + " " + mb(bytes);
  }
  s.logs.WriteRunLog("Memory", "textures: " + std::to_string(s.look.textures.Loaded()) + " pictures, " + mb(pictures) +
                                   " of pictures in " + mb(s.render().DeviceTextureBytes()) + " of device textures");
  std::string parts = s.render().DeviceTextureParts();
  if (!parts.empty()) s.logs.WriteRunLog("Memory", "device textures: " + parts);
  s.logs.WriteRunLog("Memory", "texture classes: " + classes);
  SoundDevice* sound = s.platform.sound;
  std::size_t all = sound ? sound->MemoryBytes() : 0, decoded = sound ? sound->DecodedBytes() : 0;
  s.logs.WriteRunLog("Memory", "sound bank: effects " + mb(all) + " (" + mb(decoded) + " decoded, " +
                                   std::to_string(s.sound.sfx.CuesDecoded()) + " of " + std::to_string(kSfxCueCount) +
                                   " cues; " + mb(all - decoded) + " as read), music decoders " +
                                   mb(s.platform.music ? s.platform.music->MemoryBytes() : 0));
}

}  // namespace bm

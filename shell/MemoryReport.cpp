#include "shell/MemoryReport.h"

#include <cstdio>
#include <string>

#include "platform/Audio.h"
#include "shell/Game.h"

namespace bm {

// What pictures and sounds cost, for the memory figures of the benchmark.
void LogMemory(Game& g) {
  auto mb = [](std::size_t b) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.1f MB", double(b) / 1048576.0);
    return std::string(buf);
  };
  std::size_t pictures = 0;
  std::string classes;
  for (const auto& [name, bytes] : g.textures.BytesByClass()) {
    pictures += bytes;
    if (bytes) classes += (classes.empty() ? "" : ", ") + name + " " + mb(bytes);
  }
  g.logs.WriteRunLog("Memory", "textures: " + std::to_string(g.textures.Loaded()) + " pictures, " + mb(pictures) +
                                   " of pictures in " + mb(g.render().DeviceTextureBytes()) + " of device textures");
  std::string parts = g.render().DeviceTextureParts();
  if (!parts.empty()) g.logs.WriteRunLog("Memory", "device textures: " + parts);
  g.logs.WriteRunLog("Memory", "texture classes: " + classes);
  g.logs.WriteRunLog("Memory", "sound bank: effects " + mb(g.plat.sound ? g.plat.sound->MemoryBytes() : 0) +
                                   ", music decoders " + mb(g.plat.music ? g.plat.music->MemoryBytes() : 0));
}

}  // namespace bm

// Shared pieces of the audio tests: a clock the test moves by hand, a scratch
// program folder, and small sound files written on the spot.
#pragma once
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/Platform.h"
#include "tests/TempDir.h"

namespace bm::test {

class ManualClock : public Clock {
 public:
  double ClockMs() override { return now; }
  void SleepMs(double ms) override { now += ms; }
  double now = 1000.0;
};

inline void WriteText(const std::string& path, const std::string& text) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

// 16-bit mono PCM of the given length, a soft click so a real device has something to play.
inline void WriteWav(const std::string& path, double seconds, int rate = 22050) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::uint32_t frames = std::uint32_t(seconds * rate);
  std::uint32_t dataBytes = frames * 2;
  std::ofstream out(path, std::ios::binary);
  auto u32 = [&](std::uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
  auto u16 = [&](std::uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
  out.write("RIFF", 4);
  u32(36 + dataBytes);
  out.write("WAVEfmt ", 8);
  u32(16);
  u16(1);
  u16(1);
  u32(std::uint32_t(rate));
  u32(std::uint32_t(rate) * 2);
  u16(2);
  u16(16);
  out.write("data", 4);
  u32(dataBytes);
  for (std::uint32_t i = 0; i < frames; ++i) u16(std::uint16_t(std::int16_t(i < 64 ? (i % 8) * 400 : 0)));
}

// A four-second Ogg Vorbis file (8 kHz mono, a quiet 220 Hz tone), copied from beside the tests.
inline void WriteTinyOgg(const std::string& path) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::filesystem::copy_file(std::string(BM_SOURCE_DIR) + "/tests/audio/tiny.ogg", path,
                             std::filesystem::copy_options::overwrite_existing);
}

inline std::vector<std::string> ReadLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

}  // namespace bm::test

#include "platform/SoundFileInfo.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <vector>

#define STB_VORBIS_HEADER_ONLY
#include <stb/stb_vorbis.h>

namespace bm {

namespace {

std::uint32_t U32(const unsigned char* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24); }
std::uint16_t U16(const unsigned char* p) { return std::uint16_t(p[0] | (p[1] << 8)); }

// Walks the RIFF chunks for "fmt " and "data"; a short or inconsistent header is garbled.
SoundFileInfo WavInfo(std::ifstream& in) {
  SoundFileInfo info{SoundFileKind::Garbled, 0};
  unsigned char head[12];
  in.seekg(0);
  if (!in.read(reinterpret_cast<char*>(head), 12) || std::memcmp(head + 8, "WAVE", 4) != 0) return info;
  std::uint32_t byteRate = 0;
  for (int guard = 0; guard < 64; ++guard) {
    unsigned char ch[8];
    if (!in.read(reinterpret_cast<char*>(ch), 8)) return info;
    std::uint32_t size = U32(ch + 4);
    if (std::memcmp(ch, "fmt ", 4) == 0) {
      if (size < 16) return info;
      std::vector<unsigned char> fmt(size);
      if (!in.read(reinterpret_cast<char*>(fmt.data()), size)) return info;
      if (U16(fmt.data() + 2) == 0) return info;  // no channels
      byteRate = U32(fmt.data() + 8);
      if (byteRate == 0) return info;
    } else if (std::memcmp(ch, "data", 4) == 0) {
      if (byteRate == 0) return info;
      info.kind = SoundFileKind::Wav;
      info.seconds = double(size) / byteRate;
      return info;
    } else {
      in.seekg(size + (size & 1), std::ios::cur);
    }
    if (size & 1 && std::memcmp(ch, "fmt ", 4) == 0) in.seekg(1, std::ios::cur);
  }
  return info;
}

SoundFileInfo OggInfo(const std::string& path) {
  SoundFileInfo info{SoundFileKind::Garbled, 0};
  int error = 0;
  stb_vorbis* v = stb_vorbis_open_filename(path.c_str(), &error, nullptr);
  if (!v) return info;
  stb_vorbis_info vi = stb_vorbis_get_info(v);
  unsigned frames = stb_vorbis_stream_length_in_samples(v);
  stb_vorbis_close(v);
  if (vi.sample_rate == 0 || frames == 0) return info;
  info.kind = SoundFileKind::OggVorbis;
  info.seconds = double(frames) / vi.sample_rate;
  return info;
}

}  // namespace

SoundFileInfo ReadSoundFileInfo(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  char magic[4] = {};
  in.read(magic, 4);
  if (in.gcount() == 4 && std::memcmp(magic, "RIFF", 4) == 0) return WavInfo(in);
  if (in.gcount() == 4 && std::memcmp(magic, "OggS", 4) == 0) {
    in.close();
    return OggInfo(path);
  }
  if (in.gcount() < 4) return {SoundFileKind::Garbled, 0};
  return {SoundFileKind::Other, 0};
}

}  // namespace bm

#include "platform/SoundFileInfo.h"

#include <cstdint>
#include <cstring>
#include <memory>

#include "storage/SafeRead.h"

#define STB_VORBIS_HEADER_ONLY
#include <stb/stb_vorbis.h>

namespace bm {

namespace {

std::uint32_t U32(const unsigned char* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24); }
std::uint16_t U16(const unsigned char* p) { return std::uint16_t(p[0] | (p[1] << 8)); }

// Walks the RIFF chunks for "fmt " and "data" inside the bytes at hand; a chunk
// size is only ever compared with what is there, never allocated.
SoundFileInfo WavInfo(const std::string& bytes) {
  SoundFileInfo info{SoundFileKind::Garbled, 0};
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::uint64_t n = bytes.size();
  if (n < 12 || std::memcmp(p + 8, "WAVE", 4) != 0) return info;
  std::uint32_t byteRate = 0;
  std::uint64_t at = 12;
  for (int guard = 0; guard < 64; ++guard) {
    if (at + 8 > n) return info;
    const unsigned char* ch = p + at;
    std::uint32_t size = U32(ch + 4);
    at += 8;
    if (std::memcmp(ch, "fmt ", 4) == 0) {
      if (size < 16 || at + size > n) return info;
      if (U16(p + at + 2) == 0) return info;  // no channels
      byteRate = U32(p + at + 8);
      if (byteRate == 0) return info;
    } else if (std::memcmp(ch, "data", 4) == 0) {
      if (byteRate == 0) return info;
      info.kind = SoundFileKind::Wav;
      info.seconds = double(size) / byteRate;
      return info;
    }
    at += std::uint64_t(size) + (size & 1);
  }
  return info;
}

SoundFileInfo OggInfo(stb_vorbis* v) {
  SoundFileInfo info{SoundFileKind::Garbled, 0};
  if (!v) return info;
  stb_vorbis_info vi = stb_vorbis_get_info(v);
  unsigned frames = stb_vorbis_stream_length_in_samples(v);
  stb_vorbis_close(v);
  if (vi.sample_rate == 0 || frames == 0) return info;
  info.kind = SoundFileKind::OggVorbis;
  info.seconds = double(frames) / vi.sample_rate;
  return info;
}

// The decoder takes every byte it needs from this arena: a garbled stream can
// neither leak (some of its error paths forget an allocation) nor grow without
// bound; an open that needs more than the arena fails as garbled.
struct VorbisArena {
  static constexpr int kBytes = 1 << 20;
  std::unique_ptr<char[]> bytes{new char[kBytes]};
  stb_vorbis_alloc alloc{bytes.get(), kBytes};
};

SoundFileInfo OggInfoInMemory(const std::string& bytes) {
  int error = 0;
  VorbisArena arena;
  return OggInfo(stb_vorbis_open_memory(reinterpret_cast<const unsigned char*>(bytes.data()), int(bytes.size()),
                                        &error, &arena.alloc));
}

}  // namespace

SoundFileInfo SoundInfoFromBytes(const std::string& head) {
  if (head.size() < 4) return {SoundFileKind::Garbled, 0};
  if (std::memcmp(head.data(), "RIFF", 4) == 0) return WavInfo(head);
  if (std::memcmp(head.data(), "OggS", 4) == 0)
    return head.size() <= kSoundHeaderBytes ? OggInfoInMemory(head) : SoundFileInfo{SoundFileKind::Other, 0};
  return {SoundFileKind::Other, 0};
}

SoundFileInfo ReadSoundFileInfo(const std::string& path) {
  ReadResult r = ReadFileBounded(path, kSoundHeaderBytes);
  if (r.status == ReadStatus::Missing) return {};
  if (r.ok()) return SoundInfoFromBytes(r.bytes);
  if (r.status != ReadStatus::TooLarge) return {SoundFileKind::Garbled, 0};
  // Longer than the header window: a WAV's headers are in the front; an Ogg
  // stream's length needs its last page, which the decoder finds by seeking.
  if (r.bytes.compare(0, 4, "OggS") == 0) {
    int error = 0;
    VorbisArena arena;
    return OggInfo(stb_vorbis_open_filename(path.c_str(), &error, &arena.alloc));
  }
  return SoundInfoFromBytes(r.bytes);
}

}  // namespace bm

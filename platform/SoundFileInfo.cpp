#include "platform/SoundFileInfo.h"

#include <cstdint>
#include <cstring>

#include "io/SafeRead.h"

namespace bm {

namespace {

std::uint32_t U32(const unsigned char* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (std::uint32_t(p[3]) << 24); }
std::uint16_t U16(const unsigned char* p) { return std::uint16_t(p[0] | (p[1] << 8)); }
std::uint64_t U64(const unsigned char* p) { return U32(p) | (std::uint64_t(U32(p + 4)) << 32); }

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

// One Ogg page header at p (n bytes left): its whole length, or 0 when it is not a page.
std::uint64_t OggPageLength(const unsigned char* p, std::uint64_t n) {
  if (n < 27 || std::memcmp(p, "OggS", 4) != 0 || p[4] != 0) return 0;
  std::uint64_t segments = p[26];
  if (27 + segments > n) return 0;
  std::uint64_t body = 0;
  for (std::uint64_t i = 0; i < segments; ++i) body += p[27 + i];
  return 27 + segments + body;
}

// Read from the pages themselves, never by a decoder: the identification header
// in the first page gives the rate, the granule position of the last whole page
// the length in samples. A stream that does not add up is garbled.
SoundFileInfo OggInfo(const std::string& bytes) {
  SoundFileInfo info{SoundFileKind::Garbled, 0};
  const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
  const std::uint64_t n = bytes.size();
  std::uint64_t first = OggPageLength(p, n);
  if (first == 0 || first > n) return info;
  const unsigned char* packet = p + 27 + p[26];
  std::uint64_t packetBytes = first - 27 - p[26];
  if (packetBytes < 16 || packet[0] != 1 || std::memcmp(packet + 1, "vorbis", 6) != 0) return info;
  if (U32(packet + 7) != 0 || packet[11] == 0) return info;  // version 0, at least one channel
  std::uint32_t rate = U32(packet + 12);
  if (rate == 0) return info;
  // Every page in turn; the last one that is whole tells the length.
  std::uint64_t samples = 0;
  bool any = false;
  for (std::uint64_t at = 0; at < n;) {
    std::uint64_t len = OggPageLength(p + at, n - at);
    if (len == 0 || len > n - at) break;
    std::uint64_t granule = U64(p + at + 6);
    if (granule != ~std::uint64_t(0)) {
      samples = granule;
      any = true;
    }
    at += len;
  }
  // More than a day of sound is no sound of ours.
  if (!any || samples == 0 || samples > std::uint64_t(rate) * 86400) return info;
  info.kind = SoundFileKind::OggVorbis;
  info.seconds = double(samples) / rate;
  return info;
}

}  // namespace

SoundFileInfo SoundInfoFromBytes(const std::string& bytes) {
  if (bytes.size() < 4) return {SoundFileKind::Garbled, 0};
  if (std::memcmp(bytes.data(), "RIFF", 4) == 0) return WavInfo(bytes);
  if (std::memcmp(bytes.data(), "OggS", 4) == 0) return OggInfo(bytes);
  return {SoundFileKind::Other, 0};
}

SoundFileInfo ReadSoundFileInfo(const std::string& path) {
  ReadResult r = ReadFileBounded(path, kSoundFileMaxBytes);
  if (r.status == ReadStatus::Missing) return {};
  if (r.ok()) return SoundInfoFromBytes(r.bytes);
  if (r.status != ReadStatus::TooLarge) return {SoundFileKind::Garbled, 0};
  // Longer than any sound of ours: a WAV still tells its length in front; anything
  // else plays for an unknown time.
  SoundFileInfo front = SoundInfoFromBytes(r.bytes);
  return front.kind == SoundFileKind::Wav ? front : SoundFileInfo{SoundFileKind::Other, 0};
}

}  // namespace bm

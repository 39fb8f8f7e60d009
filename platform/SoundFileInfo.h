// How long a sound file plays, read from its header without decoding it.
#pragma once
#include <cstddef>
#include <string>

namespace bm {

enum class SoundFileKind { Missing, Wav, OggVorbis, Other, Garbled };

struct SoundFileInfo {
  SoundFileKind kind = SoundFileKind::Missing;
  double seconds = 0;  // Wav and OggVorbis only
};

// The whole file is read to measure it (our longest tune is about a megabyte);
// a longer file is measured only when it is a WAV, whose header is in front.
inline constexpr std::size_t kSoundFileMaxBytes = 16u << 20;

// Reads through the safe reader: a folder, FIFO or unreadable file is Garbled, never a hang.
SoundFileInfo ReadSoundFileInfo(const std::string& path);

// The same from the file's bytes. Ogg Vorbis is measured from its pages (the
// identification header's rate and the last page's granule position), never by
// a decoder, so a garbled stream cannot crash the reader: it is Garbled.
SoundFileInfo SoundInfoFromBytes(const std::string& bytes);

}  // namespace bm

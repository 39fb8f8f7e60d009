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

// The front of a sound file is enough for a WAV's chunk headers; a WAV whose
// "data" chunk starts later than this is taken as garbled.
inline constexpr std::size_t kSoundHeaderBytes = 1 << 20;

// Reads through the safe reader: a folder, FIFO or unreadable file is Garbled, never a hang.
SoundFileInfo ReadSoundFileInfo(const std::string& path);

// The same from bytes already read (the front of the file). An Ogg Vorbis stream
// is measured only when head holds the whole file; otherwise Other.
SoundFileInfo SoundInfoFromBytes(const std::string& head);

}  // namespace bm

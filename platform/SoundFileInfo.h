// How long a sound file plays, read from its header without decoding it.
#pragma once
#include <string>

namespace bm {

enum class SoundFileKind { Missing, Wav, OggVorbis, Other, Garbled };

struct SoundFileInfo {
  SoundFileKind kind = SoundFileKind::Missing;
  double seconds = 0;  // Wav and OggVorbis only
};

SoundFileInfo ReadSoundFileInfo(const std::string& path);

}  // namespace bm

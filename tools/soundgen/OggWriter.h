// Encodes a sound as Ogg Vorbis and writes it atomically (temporary file, then rename).
#pragma once
#include <cstdint>
#include <string>

#include "Sound.h"

namespace bm::snd {

// quality: libvorbis VBR quality, -0.1 .. 1.0. Returns the bytes written, or 0
// with `error` set.
std::size_t WriteOggVorbis(const std::string& path, const Sound& s, float quality, std::uint32_t serial,
                           std::string& error);

// Writes bytes to path through a temporary file in the same folder.
bool WriteFileAtomic(const std::string& path, const std::string& bytes, std::string& error);

}  // namespace bm::snd

// Encodes a sound as Ogg Vorbis and writes it atomically (io/AtomicWrite.h).
#pragma once
#include <cstdint>
#include <string>

#include "Sound.h"

namespace bm::snd {

// quality: libvorbis VBR quality, -0.1 .. 1.0. Returns the bytes written, or 0
// with `error` set.
std::size_t WriteOggVorbis(const std::string& path, const Sound& s, float quality, std::uint32_t serial,
                           std::string& error);

}  // namespace bm::snd

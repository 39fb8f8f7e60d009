// The sound-file header reader: any bytes as the front of a sound file.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/SoundFileInfo.h"

using namespace bm;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  SoundFileInfo info = SoundInfoFromBytes(std::string(reinterpret_cast<const char*>(data), size));
  if (info.kind == SoundFileKind::Missing) std::abort();  // bytes at hand are never a missing file
  if (!std::isfinite(info.seconds) || info.seconds < 0) std::abort();
  return 0;
}

// "saves/players.dat" and "debug.dat": any bytes give a whole table or none; a
// table read back is byte for byte the file, and repaired values stay repaired.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "storage/Players.h"

using namespace bm;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (std::optional<DebugBlock> b = DecodeDebugBlock(bytes)) {
    if (EncodeDebugBlock(*b) != bytes) std::abort();
  }
  std::optional<PlayerTable> t = DecodePlayers(bytes);
  if (!t) return 0;
  if (EncodePlayers(*t) != bytes) std::abort();
  SanitizePlayers(*t);
  if (!SanitizePlayers(*t).empty()) std::abort();
  for (const PlayerRecord& p : t->slot) {
    if (p.Name.size() > kNameMaxLength) std::abort();
    if (p.MaxLevel < 0 || p.MaxLevel > kMaxGameLevel || p.GameLevel < 0 || p.GameLevel > kMaxGameLevel) std::abort();
    if (!(p.TimeLeft >= 0 && p.TimeLeft <= 1)) std::abort();
  }
  if (t->Current() < kFirstPlayer || t->Current() > kLastPlayer) std::abort();
  std::optional<PlayerTable> again = DecodePlayers(EncodePlayers(*t));
  if (!again || !(*again == *t)) std::abort();
  return 0;
}

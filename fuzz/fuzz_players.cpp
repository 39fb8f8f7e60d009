// "saves/players.dat" and "debug.dat": any bytes give a whole table or none; a
// table read back is byte for byte the file, and repaired values stay repaired.
// Seeds: fuzz/seeds/players (names of accented letters and of bytes that are not UTF-8).
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "lang/Utf8.h"
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
    // A name is whole UTF-8 of at most 15 characters (a byte that was not UTF-8 became "?").
    const std::u32string name = DecodeUtf8(p.Name);
    if (name.size() > kNameMaxLength || name.find(kBadCharacter) != std::u32string::npos) std::abort();
    if (p.MaxLevel < 0 || p.MaxLevel > kMaxGameLevel || p.GameLevel < 0 || p.GameLevel > kMaxGameLevel) std::abort();
    if (!(p.TimeLeft >= 0 && p.TimeLeft <= 1)) std::abort();
  }
  if (t->Current() < kFirstPlayer || t->Current() > kLastPlayer) std::abort();
  std::optional<PlayerTable> again = DecodePlayers(EncodePlayers(*t));
  if (!again || !(*again == *t)) std::abort();
  return 0;
}

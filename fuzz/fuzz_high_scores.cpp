// "saves/hs.dat": any bytes give a whole table or none; a repaired table
// survives a write and a read, and an insertion keeps it in order; a name is
// whole UTF-8 (a byte that was not UTF-8 became "?"). Seeds: fuzz/seeds/high_scores.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "lang/Utf8.h"
#include "storage/HighScores.h"

using namespace bm;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::optional<HighScoreTable> t = DecodeHighScores(bytes);
  if (!t) return 0;
  SanitizeHighScores(*t);
  if (!SanitizeHighScores(*t).empty()) std::abort();
  for (const HighScoreEntry& e : t->entry)
    if (DecodeUtf8(e.EntryName).find(kBadCharacter) != std::u32string::npos) std::abort();
  std::optional<HighScoreTable> again = DecodeHighScores(EncodeHighScores(*t));
  if (!again || !(*again == *t)) std::abort();
  HighScoreTable before = *t;
  const int place = EnterHighScore(*t, "Fuzz", 123456);
  if (place < 0 || place > 10) std::abort();
  if (!(t->entry[0] == HighScoreEntry{"CURRENT", "0"})) std::abort();
  if (place == 0) {
    for (int i = 1; i < kHighScoreEntries; ++i)
      if (!(t->entry[std::size_t(i)] == before.entry[std::size_t(i)])) std::abort();
  } else if (ScoreValue(t->entry[std::size_t(place)].EntryScore) != 123456) {
    std::abort();
  }
  return 0;
}

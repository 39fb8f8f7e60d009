// "locale/LANG.mo": a catalogue that parses has a plural rule whose form for any
// number is one of its forms, every lookup answers a whole translation or
// nothing, and the texts it holds go through Format and the UTF-8 decoder.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "lang/Catalogue.h"
#include "lang/Tr.h"
#include "lang/Utf8.h"

using namespace bm;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // The first bytes double as a plural rule's text.
  if (std::optional<PluralRule> rule = PluralRule::Parse(bytes.substr(0, 200)))
    for (std::uint64_t n : {0ull, 1ull, 2ull, 5ull, 11ull, 22ull, 101ull, 1000000ull, ~0ull})
      if (rule->FormOf(n) < 0 || rule->FormOf(n) >= rule->Count()) std::abort();
  std::string error;
  std::optional<Catalogue> c = ParseCatalogue(bytes, &error);
  if (!c) {
    if (error.empty()) std::abort();
    return 0;
  }
  if (c->plural.Count() < 1 || c->plural.Count() > PluralRule::kMaxPluralForms) std::abort();
  for (std::uint64_t n : {0ull, 1ull, 2ull, 3ull, 5ull, 12ull, 22ull, 1000ull})
    if (c->plural.FormOf(n) >= c->plural.Count()) std::abort();
  for (const auto& [key, forms] : c->messages) {
    if (forms.empty()) std::abort();
    std::size_t bar = key.find('\x04');
    std::string_view context = bar == std::string::npos ? std::string_view() : std::string_view(key).substr(0, bar);
    std::string_view msgid = bar == std::string::npos ? std::string_view(key) : std::string_view(key).substr(bar + 1);
    for (std::uint64_t n : {1ull, 2ull, 5ull}) {
      const std::string* t = c->Find(context, msgid, n);
      if (t && t->empty()) std::abort();
      if (t) {
        std::string shown = Format(*t, {"7", "Anne"});
        if (shown.size() > 2 * t->size() + 4) std::abort();
        std::u32string chars = DecodeUtf8(*t);
        std::string again;
        for (char32_t ch : chars) again += EncodeUtf8(ch);
        if (chars.find(kBadCharacter) == std::u32string::npos && again != *t) std::abort();
      }
    }
  }
  return 0;
}

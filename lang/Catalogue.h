// A compiled message catalogue (GNU gettext's ".mo" file, made by msgfmt from a
// language's ".po"): the translations of one language, and its plural rule.
//
//   std::optional<Catalogue> c = ParseCatalogue(bytes, &error);
//   const std::string* de = c->Find("", "Play");          // nullptr: untranslated
//
// The parser takes any bytes: a file that is not a whole, sound catalogue (short,
// offsets or lengths outside it, a string without its end, a broken Plural-Forms
// line) is refused with a reason, never half read.
#pragma once
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "lang/PluralRule.h"

namespace bm {

// Real catalogues are tens of kilobytes.
inline constexpr std::size_t kCatalogueMaxBytes = 2 * 1024 * 1024;

struct Catalogue {
  std::string language;  // the header's "Language:" ("pt_BR"); may be empty
  PluralRule plural;     // the header's "Plural-Forms:"; English's when it has none
  // Key: the context, "\x04" and the msgid (no context: the msgid alone); value:
  // the translation, or one per plural form. Untranslated entries are left out.
  std::unordered_map<std::string, std::vector<std::string>> messages;

  // The translation (the form for n of a plural entry), or nullptr.
  const std::string* Find(std::string_view context, std::string_view msgid, std::uint64_t n = 1) const;
};

std::optional<Catalogue> ParseCatalogue(std::string_view bytes, std::string* error = nullptr);

}  // namespace bm

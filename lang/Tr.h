// The texts a player sees, in the language chosen. Every such text in the code
// is written in English and marked so that xgettext finds it
// (scripts/update-po.sh):
//
//   Tr("Play")                                  a text
//   TrC("main menu", "Exit")                    the same English with a meaning of its own
//   TrN("+%d second", "+%d seconds", n)         a number with a noun: the language's plural form
//   TrNoop("Matches")                           marked in a table, looked up later with Tr(text)
//   TrNoopC("main menu", "Play")                the same with a meaning, looked up later with TrC
//   // TRANSLATORS: a note for the translators, on the line before the call
//
// Numbers and names go in through Format (diag/Wording.h: "%d", "%s", "%2$s"), never by gluing
// pieces together, so that a translation can put them where its grammar wants.
//
// Until UseCatalogue installs one, every call answers the English. A text the
// catalogue lacks comes back in English too. The pointers these return stay valid
// for the whole run: catalogues once used are never freed.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

#include "diag/Wording.h"  // Format
#include "lang/Catalogue.h"

namespace bm {

const char* Tr(const char* msgid);
std::string Tr(const std::string& msgid);
const char* TrC(const char* context, const char* msgid);
const char* TrN(const char* singular, const char* plural, std::int64_t n);
constexpr const char* TrNoop(const char* msgid) { return msgid; }
constexpr const char* TrNoopC(const char*, const char* msgid) { return msgid; }

// Makes the catalogue the one every lookup reads; nullptr goes back to English.
// The language code is what CurrentLanguage reports ("en" for nullptr).
void UseCatalogue(std::unique_ptr<const Catalogue> catalogue, const std::string& code);
const std::string& CurrentLanguage();

// A wording made below the translations (diag/Wording.h) in the language in
// use: its pattern looked up, its parts put in, those AsIs as they are.
std::string Tr(const Wording& wording);

}  // namespace bm

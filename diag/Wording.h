// Words for the player, put into the player's language where they are shown,
// not where they are made. The folders below the translations (the saves'
// notices, diag/Notices.h) keep such a text as its English pattern, marked for
// the translators with Words("..."), and its parts: file names and the
// system's error texts, shown as they are (AsIs), or wordings of their own.
//
//   Words("\"%s\" cannot be opened: %s", {AsIs(path), AsIs(std::strerror(e))})
//
// English() is the text for the run log; lang/Tr.h's Tr(wording) the player's.
#pragma once
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace bm {

struct Wording {
  std::string pattern;         // English: "%s" takes the next part, "%N$s" the Nth
  std::vector<Wording> parts;  // put in translated in turn (those AsIs as they are)
  bool asIs = false;           // pattern is shown as it is, never looked up
  bool empty() const { return pattern.empty(); }
  std::string English() const;
  bool operator==(const Wording&) const = default;
};

// A pattern marked for the translators (scripts/update-po.sh), with its parts.
Wording Words(const char* pattern, std::vector<Wording> parts = {});
// A file name or the system's error text: the same in every language.
Wording AsIs(std::string text);

// The pattern with its directives replaced by the arguments in turn: "%s" and
// "%d" take the next one, "%N$s" and "%N$d" the Nth; "%%" is a percent sign.
// Anything else, and a directive without its argument, is left as written.
std::string Format(std::string_view pattern, std::initializer_list<std::string_view> args);
std::string Format(std::string_view pattern, const std::vector<std::string>& args);

}  // namespace bm

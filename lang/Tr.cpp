#include "lang/Tr.h"

#include <vector>

namespace bm {

namespace {

struct Current {
  const Catalogue* catalogue = nullptr;
  std::string code = "en";
  // Every catalogue ever used, so that no pointer handed out dangles.
  std::vector<std::unique_ptr<const Catalogue>> kept;
};

Current& Now() {
  static Current c;
  return c;
}

}  // namespace

const char* Tr(const char* msgid) {
  const Catalogue* c = Now().catalogue;
  const std::string* t = c ? c->Find({}, msgid) : nullptr;
  return t ? t->c_str() : msgid;
}

std::string Tr(const std::string& msgid) { return Tr(msgid.c_str()); }

const char* TrC(const char* context, const char* msgid) {
  const Catalogue* c = Now().catalogue;
  const std::string* t = c ? c->Find(context, msgid) : nullptr;
  return t ? t->c_str() : msgid;
}

const char* TrN(const char* singular, const char* plural, std::int64_t n) {
  std::uint64_t count = n < 0 ? std::uint64_t(-(n + 1)) + 1 : std::uint64_t(n);
  const Catalogue* c = Now().catalogue;
  const std::string* t = c ? c->Find({}, singular, count) : nullptr;
  if (t) return t->c_str();
  return count == 1 ? singular : plural;
}

void UseCatalogue(std::unique_ptr<const Catalogue> catalogue, const std::string& code) {
  Current& now = Now();
  now.catalogue = catalogue.get();
  now.code = catalogue ? code : "en";
  if (catalogue) now.kept.push_back(std::move(catalogue));
}

const std::string& CurrentLanguage() { return Now().code; }

std::string Format(std::string_view pattern, std::initializer_list<std::string_view> args) {
  std::string out;
  out.reserve(pattern.size() + 16);
  std::size_t next = 0;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    char ch = pattern[i];
    if (ch != '%' || i + 1 >= pattern.size()) {
      out.push_back(ch);
      continue;
    }
    if (pattern[i + 1] == '%') {
      out.push_back('%');
      ++i;
      continue;
    }
    // "%d", "%s" or "%N$d", "%N$s".
    std::size_t j = i + 1, index = next;
    bool positional = false;
    if (j < pattern.size() && pattern[j] >= '1' && pattern[j] <= '9' && j + 1 < pattern.size() &&
        pattern[j + 1] == '$') {
      index = std::size_t(pattern[j] - '1');
      positional = true;
      j += 2;
    }
    if (j < pattern.size() && (pattern[j] == 'd' || pattern[j] == 's') && index < args.size()) {
      out.append(args.begin()[index]);
      if (!positional) ++next;
      i = j;
      continue;
    }
    out.push_back(ch);
  }
  return out;
}

}  // namespace bm

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

std::string Tr(const Wording& w) {
  if (w.asIs || w.empty()) return w.pattern;  // "" would find the catalogue's head
  std::vector<std::string> filled;
  for (const Wording& part : w.parts) filled.push_back(Tr(part));
  return Format(Tr(w.pattern.c_str()), filled);
}

}  // namespace bm

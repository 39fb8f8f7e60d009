#include "lang/Catalogue.h"

#include <cstdint>

namespace bm {

namespace {

constexpr std::uint32_t kMagic = 0x950412de;

struct Reader {
  std::string_view bytes;
  bool swap = false;
  bool U32(std::size_t at, std::uint32_t& v) const {
    if (at > bytes.size() || bytes.size() - at < 4) return false;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data() + at);
    v = swap ? std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | p[3]
             : std::uint32_t(p[3]) << 24 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0];
    return true;
  }
  // String i of the table at offset table: its length and offset, then the bytes,
  // which must end in a NUL inside the file.
  bool String(std::uint32_t table, std::uint32_t i, std::string_view& out) const {
    std::uint32_t length = 0, offset = 0;
    std::size_t at = std::size_t(table) + std::size_t(i) * 8;
    if (!U32(at, length) || !U32(at + 4, offset)) return false;
    if (offset > bytes.size() || bytes.size() - offset <= length || bytes[offset + length] != '\0') return false;
    out = bytes.substr(offset, length);
    return true;
  }
};

bool Fail(std::string* error, const std::string& why) {
  if (error) *error = why;
  return false;
}

// "Name: value" of the header entry's lines.
std::string_view HeaderField(std::string_view header, std::string_view name) {
  while (!header.empty()) {
    std::size_t end = header.find('\n');
    std::string_view line = header.substr(0, end);
    header = end == std::string_view::npos ? std::string_view() : header.substr(end + 1);
    if (line.size() > name.size() && line.substr(0, name.size()) == name && line[name.size()] == ':') {
      line.remove_prefix(name.size() + 1);
      while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
      return line;
    }
  }
  return {};
}

std::vector<std::string> Forms(std::string_view s) {
  std::vector<std::string> out;
  for (;;) {
    std::size_t nul = s.find('\0');
    out.emplace_back(s.substr(0, nul));
    if (nul == std::string_view::npos) break;
    s.remove_prefix(nul + 1);
  }
  return out;
}

bool Parse(std::string_view bytes, Catalogue& c, std::string* error) {
  if (bytes.size() > kCatalogueMaxBytes) return Fail(error, "larger than a catalogue can be");
  Reader r{bytes};
  std::uint32_t magic = 0, revision = 0, count = 0, originals = 0, translations = 0;
  if (!r.U32(0, magic)) return Fail(error, "too short for a catalogue");
  r.swap = magic != kMagic;
  if (!r.U32(0, magic) || magic != kMagic) return Fail(error, "not a message catalogue (magic number)");
  if (!r.U32(4, revision) || !r.U32(8, count) || !r.U32(12, originals) || !r.U32(16, translations))
    return Fail(error, "header cut short");
  if (revision >> 16 != 0) return Fail(error, "catalogue revision " + std::to_string(revision >> 16) + " unknown");
  if (count > bytes.size() / 16) return Fail(error, "more strings than the file can hold");
  std::string_view header;
  for (std::uint32_t i = 0; i < count; ++i) {
    std::string_view key, text;
    if (!r.String(originals, i, key) || !r.String(translations, i, text))
      return Fail(error, "string " + std::to_string(i) + " lies outside the file");
    if (key.empty()) {
      header = text;
      continue;
    }
    // A plural entry's key holds its msgid and msgid_plural: the first names it.
    key = key.substr(0, key.find('\0'));
    std::vector<std::string> forms = Forms(text);
    bool translated = false;
    for (const std::string& f : forms) translated |= !f.empty();
    if (translated) c.messages[std::string(key)] = std::move(forms);
  }
  c.language = std::string(HeaderField(header, "Language"));
  std::string_view plural = HeaderField(header, "Plural-Forms");
  if (!plural.empty()) {
    std::optional<PluralRule> rule = PluralRule::Parse(plural);
    if (!rule) return Fail(error, "Plural-Forms line not understood: " + std::string(plural.substr(0, 80)));
    c.plural = *rule;
  }
  return true;
}

}  // namespace

const std::string* Catalogue::Find(std::string_view context, std::string_view msgid, std::uint64_t n) const {
  std::string key;
  if (!context.empty()) {
    key.reserve(context.size() + 1 + msgid.size());
    key.append(context).push_back('\x04');
  }
  key.append(msgid);
  auto it = messages.find(key);
  if (it == messages.end()) return nullptr;
  const std::vector<std::string>& forms = it->second;
  std::size_t form = forms.size() > 1 ? std::size_t(plural.FormOf(n)) : 0;
  if (form >= forms.size() || forms[form].empty()) return nullptr;
  return &forms[form];
}

std::optional<Catalogue> ParseCatalogue(std::string_view bytes, std::string* error) {
  Catalogue c;
  if (!Parse(bytes, c, error)) return std::nullopt;
  return c;
}

}  // namespace bm

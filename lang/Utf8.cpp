#include "lang/Utf8.h"

namespace bm {

char32_t NextCharacter(std::string_view s, std::size_t& at) {
  const auto byte = [&](std::size_t i) { return (unsigned char)s[i]; };
  unsigned char b = byte(at);
  int more = b < 0x80 ? 0 : (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : (b & 0xF8) == 0xF0 ? 3 : -1;
  if (more == 0) return s[at++] & 0x7F;
  if (more < 0 || s.size() - at <= std::size_t(more)) {
    ++at;
    return kBadCharacter;
  }
  char32_t c = b & (0x3F >> more);
  for (int k = 1; k <= more; ++k) {
    unsigned char n = byte(at + std::size_t(k));
    if ((n & 0xC0) != 0x80) {
      ++at;
      return kBadCharacter;
    }
    c = c << 6 | (n & 0x3F);
  }
  static constexpr char32_t kLeast[4] = {0, 0x80, 0x800, 0x10000};
  if (c < kLeast[more] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
    ++at;
    return kBadCharacter;
  }
  at += std::size_t(more) + 1;
  return c;
}

std::u32string DecodeUtf8(std::string_view s) {
  std::u32string out;
  out.reserve(s.size());
  for (std::size_t at = 0; at < s.size();) out.push_back(NextCharacter(s, at));
  return out;
}

std::string EncodeUtf8(char32_t c) {
  std::string out;
  if (c < 0x80) {
    out.push_back(char(c));
  } else if (c < 0x800) {
    out.push_back(char(0xC0 | (c >> 6)));
    out.push_back(char(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(char(0xE0 | (c >> 12)));
    out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(char(0x80 | (c & 0x3F)));
  } else {
    out.push_back(char(0xF0 | (c >> 18)));
    out.push_back(char(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(char(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(char(0x80 | (c & 0x3F)));
  }
  return out;
}

}  // namespace bm

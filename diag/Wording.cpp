#include "diag/Wording.h"

#include <utility>

namespace bm {

namespace {

std::string Fill(std::string_view pattern, const std::string_view* args, std::size_t count) {
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
    if (j < pattern.size() && (pattern[j] == 'd' || pattern[j] == 's') && index < count) {
      out.append(args[index]);
      if (!positional) ++next;
      i = j;
      continue;
    }
    out.push_back(ch);
  }
  return out;
}

}  // namespace

std::string Format(std::string_view pattern, std::initializer_list<std::string_view> args) {
  return Fill(pattern, args.begin(), args.size());
}

std::string Format(std::string_view pattern, const std::vector<std::string>& args) {
  std::vector<std::string_view> views(args.begin(), args.end());
  return Fill(pattern, views.data(), views.size());
}

std::string Wording::English() const {
  if (asIs) return pattern;
  std::vector<std::string> filled;
  for (const Wording& part : parts) filled.push_back(part.English());
  return Format(pattern, filled);
}

Wording Words(const char* pattern, std::vector<Wording> parts) { return Wording{pattern, std::move(parts), false}; }

Wording AsIs(std::string text) { return Wording{std::move(text), {}, true}; }

}  // namespace bm

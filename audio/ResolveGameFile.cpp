#include "audio/ResolveGameFile.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <sstream>
#include <system_error>
#include <vector>

namespace bm {

namespace fs = std::filesystem;

namespace {

bool SameIgnoringCase(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

std::string ResolveGameFile(const std::string& dir, const std::string& relative) {
  std::string rel = relative;
  std::replace(rel.begin(), rel.end(), '\\', '/');
  std::vector<std::string> parts;
  std::stringstream in(rel);
  for (std::string part; std::getline(in, part, '/');)
    if (!part.empty() && part != ".") parts.push_back(part);

  fs::path base = dir.empty() ? fs::path(".") : fs::path(dir);
  fs::path plain = base;
  for (const std::string& p : parts) plain /= p;
  std::error_code ec;
  if (fs::exists(plain, ec)) return plain.string();

  fs::path found = base;
  for (const std::string& p : parts) {
    fs::path exact = found / p;
    if (fs::exists(exact, ec)) {
      found = exact;
      continue;
    }
    bool matched = false;
    for (fs::directory_iterator it(found, ec), end; !ec && it != end; it.increment(ec)) {
      if (SameIgnoringCase(it->path().filename().string(), p)) {
        found = it->path();
        matched = true;
        break;
      }
    }
    if (!matched) return plain.string();
  }
  return found.string();
}

}  // namespace bm

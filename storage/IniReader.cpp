#include "storage/IniReader.h"

#include <fstream>
#include <iterator>

namespace bm {

namespace {

// One character per byte; a missing or unreadable file reads as empty text.
// Reading never creates the file.
std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string Upper(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

// Only blanks are trimmed; a tab is part of the value.
std::string TrimBlanks(const std::string& s) {
  size_t first = s.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  size_t last = s.find_last_not_of(' ');
  return s.substr(first, last - first + 1);
}

// Lines are split at carriage returns only, so each line after the first starts
// with the line feed of the break before it; it never reaches a value.
std::string ScanLines(const std::string& upperText, const std::string& key) {
  const std::string upperKey = Upper(key);
  std::string result;
  size_t start = 0;
  while (true) {
    size_t end = upperText.find('\r', start);
    std::string line = upperText.substr(start, end == std::string::npos ? std::string::npos : end - start);
    if (line.find(upperKey) != std::string::npos) {
      size_t eq = line.rfind('=');
      if (eq != std::string::npos) {
        std::string value = TrimBlanks(line.substr(eq + 1));
        std::string clean;
        for (char c : value)
          if (c != '\r' && c != '\n') clean += c;
        result = clean;
      }
    }
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return result;
}

std::string StripLineComments(const std::string& text) {
  std::string out;
  size_t pos = 0;
  while (true) {
    size_t open = text.find("//", pos);
    if (open == std::string::npos) {
      out.append(text, pos, std::string::npos);
      return out;
    }
    out.append(text, pos, open - pos);
    out += '\r';
    size_t cr = text.find('\r', open);
    if (cr == std::string::npos) return out;
    pos = cr + 1;
  }
}

std::string StripBlockComments(const std::string& text) {
  std::string out;
  size_t pos = 0;
  while (true) {
    size_t open = text.find("/*", pos);
    if (open == std::string::npos) {
      out.append(text, pos, std::string::npos);
      return out;
    }
    out.append(text, pos, open - pos);
    // Searching from the opener itself lets "/*/" open and close at once.
    size_t close = text.find("*/", open);
    if (close == std::string::npos) return out;
    pos = close + 2;
  }
}

}  // namespace

std::string ReadIniValue(const std::string& path, const std::string& key) {
  return ScanLines(Upper(ReadWholeFile(path)), key);
}

std::string ReadIniSectionValue(const std::string& path, const std::string& section, const std::string& key) {
  const std::string text = ReadWholeFile(path);
  const std::string upper = Upper(text);
  const std::string beginMarker = "[" + Upper(section) + ":BEGIN]";
  const std::string endMarker = "[" + Upper(section) + ":END]";
  size_t b = upper.find(beginMarker);
  size_t e = upper.find(endMarker);
  if (b == std::string::npos || e == std::string::npos || e <= b) return {};
  size_t bodyStart = b + beginMarker.size();
  if (e < bodyStart) return {};
  std::string body = StripComments(text.substr(bodyStart, e - bodyStart));
  return ScanLines(Upper(body), key);
}

std::string StripComments(const std::string& text) { return StripBlockComments(StripLineComments(text)); }

}  // namespace bm

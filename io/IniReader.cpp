#include "io/IniReader.h"

#include "io/SafeRead.h"

namespace bm {

namespace {

constexpr const char* kLineBreaks = "\r\n";

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

// Lines end at a carriage return, a line feed or both, whichever editor saved
// the file; the empty line between CR and LF never holds a key.
std::string ScanLines(const std::string& upperText, const std::string& key) {
  const std::string upperKey = Upper(key);
  std::string result;
  size_t start = 0;
  while (true) {
    size_t end = upperText.find_first_of(kLineBreaks, start);
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
    size_t cr = text.find_first_of(kLineBreaks, open);
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

std::string ReadIniText(const std::string& path, Logs* logs) {
  ReadResult r = ReadFileBounded(path, kTextFileMaxBytes);
  if (r.ok()) return std::move(r.bytes);
  if (logs && r.status != ReadStatus::Missing) LogReadFailure(*logs, "ReadIni", r, "its settings are left at their defaults");
  return {};
}

std::string ReadIniValue(const std::string& path, const std::string& key, Logs* logs) {
  return IniValueIn(ReadIniText(path, logs), key);
}

std::string ReadIniSectionValue(const std::string& path, const std::string& section, const std::string& key,
                                Logs* logs) {
  return IniSectionValueIn(ReadIniText(path, logs), section, key);
}

std::string IniValueIn(const std::string& text, const std::string& key) { return ScanLines(Upper(text), key); }

std::string IniSectionValueIn(const std::string& text, const std::string& section, const std::string& key) {
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

#include "tools/levelc/LevelText.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace bm {
namespace {

struct Reporter {
  const std::string& file;
  std::vector<std::string>& errors;
  void operator()(int line, const std::string& what) const {
    errors.push_back(file + ":" + std::to_string(line) + ": " + what);
  }
};

std::string Trim(const std::string& s) {
  std::size_t b = s.find_first_not_of(" \t");
  if (b == std::string::npos) return "";
  std::size_t e = s.find_last_not_of(" \t");
  return s.substr(b, e - b + 1);
}

bool ParseInt(const std::string& s, int& out) {
  if (s.empty() || s.size() > 6) return false;
  for (char c : s)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  out = std::stoi(s);
  return true;
}

// "180" or "3:00".
bool ParseSeconds(const std::string& s, int& out) {
  std::size_t colon = s.find(':');
  if (colon == std::string::npos) return ParseInt(s, out);
  int m = 0, sec = 0;
  std::string secText = s.substr(colon + 1);
  if (!ParseInt(s.substr(0, colon), m) || secText.size() != 2 || !ParseInt(secText, sec) || sec > 59) return false;
  out = 60 * m + sec;
  return true;
}

void ParseKinds(const std::string& value, int line, const Reporter& report, std::vector<int>& kinds) {
  std::stringstream parts(value);
  std::string part;
  while (std::getline(parts, part, ',')) {
    part = Trim(part);
    int lo = 0, hi = 0;
    std::size_t dash = part.find('-');
    bool ok = dash == std::string::npos ? ParseInt(part, lo) && ParseInt(part, hi)
                                        : ParseInt(Trim(part.substr(0, dash)), lo) &&
                                              ParseInt(Trim(part.substr(dash + 1)), hi);
    if (!ok || lo > hi) {
      report(line, "kinds: '" + part + "' is not a kind or a range such as 1-5");
      continue;
    }
    for (int k = lo; k <= hi; ++k) {
      if (k < 1 || k > kMaxPictureKind) {
        report(line, "kinds: kind " + std::to_string(k) + " is outside 1.." + std::to_string(kMaxPictureKind));
      } else if (std::find(kinds.begin(), kinds.end(), k) != kinds.end()) {
        report(line, "kinds: kind " + std::to_string(k) + " is listed twice");
      } else {
        kinds.push_back(k);
      }
    }
  }
  std::sort(kinds.begin(), kinds.end());
}

// Lattice column and half-row (0..20, odd columns on odd half-rows) of a cell.
int HalfRow(int i) { return 2 * LatticeRow(i) + LatticeColumn(i) % 2; }

int CellAtHalfRow(int column, int halfRow) {
  if (halfRow < 0 || (halfRow - column) % 2 != 0) return -1;
  return LatticeIndex(column, halfRow / 2);
}

bool Exists(const LevelLayout& layout, int column, int halfRow) {
  int i = CellAtHalfRow(column, halfRow);
  return i >= 0 && layout.kind[i] >= 1;
}

// Whether some three cells in a row along one axis include cell i.
bool InSomeLineOfThree(const LevelLayout& layout, int i) {
  static constexpr int kSteps[3][2] = {{0, 2}, {-1, 1}, {1, 1}};  // down, down-left, down-right
  int c = LatticeColumn(i), h = HalfRow(i);
  for (const auto& step : kSteps) {
    for (int start = -2; start <= 0; ++start) {
      bool all = true;
      for (int k = start; k < start + 3; ++k) all = all && Exists(layout, c + k * step[0], h + k * step[1]);
      if (all) return true;
    }
  }
  return false;
}

void ParseMapLine(const std::string& text, int halfRow, int line, const Reporter& report, LevelLayout& layout) {
  for (int column = halfRow % 2; column < kLatticeColumns; column += 2) {
    std::size_t at = 2 * column;
    if (at >= text.size()) {
      report(line, "the line ends before text column " + std::to_string(at + 1) + "; write . for a hole");
      return;
    }
    char ch = text[at];
    int kind = -1;
    if (ch == '.') kind = 0;
    else if (ch == 'o') kind = 1;
    else if (ch >= '1' && ch <= '8') kind = ch - '0' + 1;
    else if (ch == '9') report(line, "text column " + std::to_string(at + 1) + ": at most 8 bubbles");
    else report(line, std::string("text column ") + std::to_string(at + 1) + ": unknown character '" + ch +
                          "' (use . for a hole, o for a cell, 1-8 for bubbles)");
    if (kind >= 0) layout.kind[CellAtHalfRow(column, halfRow)] = kind;
  }
  for (std::size_t at = 0; at < text.size(); ++at) {
    bool cellPlace = at % 2 == 0 && int(at / 2) < kLatticeColumns && (int(at / 2) - halfRow) % 2 == 0;
    if (!cellPlace && text[at] != ' ')
      report(line, std::string("text column ") + std::to_string(at + 1) + ": '" + text[at] +
                       "' stands between cells; cells of this line sit at columns " +
                       (halfRow % 2 == 0 ? "1, 5, 9, ..., 21" : "3, 7, 11, ..., 19"));
  }
}

std::string FormatSeconds(int s) {
  std::string sec = std::to_string(s % 60);
  return std::to_string(s / 60) + ":" + (sec.size() < 2 ? "0" : "") + sec;
}

}  // namespace

LevelText ParseLevelText(const std::string& text, const std::string& fileName, std::vector<std::string>& errors) {
  Reporter report{fileName, errors};
  std::size_t errorsBefore = errors.size();
  LevelText level;
  level.layout = EmptyLatticeLayout();

  std::vector<std::string> lines;
  std::stringstream in(text);
  for (std::string l; std::getline(in, l);) {
    if (!l.empty() && l.back() == '\r') l.pop_back();
    lines.push_back(l);
  }

  bool haveName = false, haveTime = false, haveKinds = false;
  int mapLine = 0;  // line number of "map:"
  std::size_t n = 0;
  for (; n < lines.size() && mapLine == 0; ++n) {
    int line = int(n) + 1;
    std::string l = Trim(lines[n]);
    if (l.empty() || l[0] == '#') continue;
    std::size_t colon = l.find(':');
    if (colon == std::string::npos) {
      report(line, "expected 'key: value' (name, time, kinds or map)");
      continue;
    }
    std::string key = Trim(l.substr(0, colon)), value = Trim(l.substr(colon + 1));
    if (key == "name") {
      if (haveName) report(line, "second name: line");
      if (value.empty()) report(line, "the name is empty");
      level.name = value;
      haveName = true;
    } else if (key == "time") {
      if (haveTime) report(line, "second time: line");
      haveTime = true;
      if (!ParseSeconds(value, level.seconds)) {
        report(line, "time: '" + value + "' is not seconds or m:ss");
      } else if (level.seconds < kMinSeconds || level.seconds > kMaxSeconds) {
        report(line, "time: " + std::to_string(level.seconds) + " s is outside " + std::to_string(kMinSeconds) +
                         ".." + std::to_string(kMaxSeconds) + " s");
      }
    } else if (key == "kinds") {
      if (haveKinds) report(line, "second kinds: line");
      haveKinds = true;
      ParseKinds(value, line, report, level.kinds);
      if (level.kinds.size() < std::size_t(kMinKinds))
        report(line, "kinds: " + std::to_string(level.kinds.size()) + " kinds, at least " +
                         std::to_string(kMinKinds) + " are needed for lines to form");
    } else if (key == "map") {
      if (!value.empty()) report(line, "the map starts on the line after 'map:'");
      mapLine = line;
    } else {
      report(line, "unknown key '" + key + "' (name, time, kinds or map)");
    }
  }
  if (!haveName) report(1, "no 'name:' line");
  if (!haveTime) report(1, "no 'time:' line");
  if (!haveKinds) report(1, "no 'kinds:' line");
  if (mapLine == 0) {
    report(int(lines.size()), "no 'map:' line");
    return level;
  }

  // The map runs to the first blank line or the end of the file.
  std::size_t first = n, end = n;
  while (end < lines.size() && !Trim(lines[end]).empty()) ++end;
  int count = int(end - first);
  if (count != kMapLines) {
    report(mapLine, "the map has " + std::to_string(count) + " lines, expected " + std::to_string(kMapLines) +
                        " (one per half-row; end the map with a blank line)");
    return level;
  }
  for (int t = 0; t < kMapLines; ++t) {
    std::string l = lines[first + t];
    while (!l.empty() && (l.back() == ' ')) l.pop_back();
    ParseMapLine(l, t, int(first + t) + 1, report, level.layout);
  }
  for (std::size_t k = end; k < lines.size(); ++k) {
    std::string l = Trim(lines[k]);
    if (!l.empty() && l[0] != '#') {
      report(int(k) + 1, "text after the map (only blank lines and # comments may follow it)");
      break;
    }
  }
  if (errors.size() != errorsBefore) return level;

  int cells = CountCells(level.layout);
  if (cells < kMinCells)
    report(mapLine, "the board has " + std::to_string(cells) + " cells, at least " + std::to_string(kMinCells));
  for (int i = 0; i < kBoardCellCount; ++i) {
    if (level.layout.kind[i] >= 1 && !InSomeLineOfThree(level.layout, i))
      report(int(first) + HalfRow(i) + 1, "the cell at text column " + std::to_string(2 * LatticeColumn(i) + 1) +
                                               " is in no line of three cells along any axis, so it can "
                                               "never turn gold");
  }

  for (int k : level.kinds) level.rules.allowed[k - 1] = -1;
  level.rules.time = level.seconds - 1;
  return level;
}

std::string FormatLevelText(const LevelLayout& layout, const LevelRules& rules, const std::string& name) {
  std::string out = "name: " + name + "\n";
  out += "time: " + FormatSeconds(rules.time + 1) + "\n";
  std::string kinds;
  for (int k = 0; k < kJewelSlots; ++k) {
    if (rules.allowed[k] != -1) continue;
    int e = k;
    while (e + 1 < kJewelSlots && rules.allowed[e + 1] == -1) ++e;
    if (!kinds.empty()) kinds += ", ";
    kinds += std::to_string(k + 1) + (e > k ? "-" + std::to_string(e + 1) : "");
    k = e;
  }
  out += "kinds: " + kinds + "\nmap:\n";
  for (int t = 0; t < kMapLines; ++t) {
    std::string l;
    for (int column = t % 2; column < kLatticeColumns; column += 2) {
      int kind = layout.kind[CellAtHalfRow(column, t)];
      l.resize(2 * column, ' ');
      l += kind <= 0 ? '.' : kind == 1 ? 'o' : char('0' + std::min(kind - 1, 9));
    }
    out += l + "\n";
  }
  return out;
}

int LevelNumberOfFile(const std::string& path) {
  std::size_t slash = path.find_last_of("/\\");
  std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
  if (base.size() < 8 || base.compare(0, 3, "lvl") != 0 || base.compare(base.size() - 4, 4, ".txt") != 0) return 0;
  int n = 0;
  if (!ParseInt(base.substr(3, base.size() - 7), n)) return 0;
  return n;
}

int CountCells(const LevelLayout& layout) {
  int n = 0;
  for (int i = 0; i < kBoardCellCount; ++i) n += layout.kind[i] >= 1;
  return n;
}

int CountBubbles(const LevelLayout& layout) {
  int n = 0;
  for (int i = 0; i < kBoardCellCount; ++i) n += std::max(layout.kind[i] - 1, 0);
  return n;
}

int MaxBubbles(const LevelLayout& layout) {
  int n = 0;
  for (int i = 0; i < kBoardCellCount; ++i) n = std::max(n, layout.kind[i] - 1);
  return n;
}

}  // namespace bm

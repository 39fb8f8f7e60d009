#include "storage/HighScores.h"

#include "io/Bytes.h"
#include "storage/Players.h"

namespace bm {

namespace {

bool IsWholeNumber(std::string_view t) {
  if (!t.empty() && t[0] == '-') t.remove_prefix(1);
  if (t.empty() || t.size() > 10) return false;
  for (char c : t)
    if (c < '0' || c > '9') return false;
  return true;
}

// Blank padding and the NULs of a never-written name both read as nothing.
std::string TrimName(std::string s) {
  while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.pop_back();
  return s;
}

}  // namespace

std::int64_t ScoreValue(std::string_view text) {
  if (!IsWholeNumber(text)) return 0;
  bool negative = text[0] == '-';
  if (negative) text.remove_prefix(1);
  std::int64_t v = 0;
  for (char c : text) v = v * 10 + (c - '0');
  return negative ? -v : v;
}

HighScoreTable EmptyHighScores() {
  HighScoreTable t;
  for (HighScoreEntry& e : t.entry) e.EntryScore = "0";
  return t;
}

int InsertHighScore(HighScoreTable& t) {
  const std::int64_t score = ScoreValue(t.entry[0].EntryScore);
  int place = 0;
  for (int i = kHighScoreEntries - 1; i >= 1; --i) {
    if (ScoreValue(t.entry[std::size_t(i)].EntryScore) < score) {
      place = i;
      if (i < kHighScoreEntries - 1) t.entry[std::size_t(i) + 1] = t.entry[std::size_t(i)];
    }
  }
  if (place > 0) t.entry[std::size_t(place)] = t.entry[0];
  t.entry[0] = {"CURRENT", "0"};
  return place;
}

void ResetHighScoreEntries(HighScoreTable& t) {
  for (int i = 1; i < kHighScoreEntries; ++i)
    t.entry[std::size_t(i)] = {"NONAME", std::to_string((11 - i) * 20000)};
  InsertHighScore(t);
}

int EnterHighScore(HighScoreTable& t, std::string_view name, std::int64_t score) {
  t.entry[0] = {std::string(name.substr(0, kEntryNameWidth)), std::to_string(score)};
  return InsertHighScore(t);
}

std::string EncodeHighScores(const HighScoreTable& t) {
  ByteWriter w;
  for (const HighScoreEntry& e : t.entry) w.FixedText(e.EntryName, kEntryNameWidth);
  for (const HighScoreEntry& e : t.entry) w.Text(e.EntryScore);
  return w.Take();
}

std::optional<HighScoreTable> DecodeHighScores(std::string_view bytes, std::string* error) {
  ByteReader r(bytes);
  HighScoreTable t;
  for (HighScoreEntry& e : t.entry) e.EntryName = TrimName(r.FixedText(kEntryNameWidth));
  for (HighScoreEntry& e : t.entry) e.EntryScore = r.Text(kScoreTextLimit, "score text");
  r.ExpectEnd();
  if (!r.ok()) {
    if (error) *error = r.error();
    return std::nullopt;
  }
  return t;
}

std::vector<std::string> SanitizeHighScores(HighScoreTable& t) {
  std::vector<std::string> lines;
  for (int i = 0; i < kHighScoreEntries; ++i) {
    HighScoreEntry& e = t.entry[std::size_t(i)];
    const std::string name = CleanName(e.EntryName, kEntryNameWidth);
    if (name != e.EntryName) {
      lines.push_back("entry " + std::to_string(i) + ": characters a name cannot hold dropped or replaced");
      e.EntryName = TrimName(name);
    }
    if (!IsWholeNumber(e.EntryScore)) {
      lines.push_back("entry " + std::to_string(i) + ": score text is not a whole number, set to 0");
      e.EntryScore = "0";
    }
  }
  return lines;
}

}  // namespace bm

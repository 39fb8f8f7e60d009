// The high-score table, stored as "saves/hs.dat": 11 names of 40 blank-padded
// bytes (440 bytes; UTF-8, a name of 15 characters takes at most 30), then 11 scores, each a 16-bit length and decimal digits.
//
// Entry 0 is the work entry: the caller puts a name and a score into it and
// calls InsertHighScore. Entries 1..10 are the table, best first.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bm {

inline constexpr int kHighScoreEntries = 11;
inline constexpr std::size_t kEntryNameWidth = 40;
inline constexpr std::size_t kScoreTextLimit = 11;  // "-2147483648"

struct HighScoreEntry {
  std::string EntryName;   // without the blank padding; name characters only (storage/Players.h)
  std::string EntryScore;  // decimal text, compared by its value
  bool operator==(const HighScoreEntry&) const = default;
};

struct HighScoreTable {
  std::array<HighScoreEntry, kHighScoreEntries> entry{};
  bool operator==(const HighScoreTable&) const = default;
};

// The numeric value of a score text; 0 for anything that is not a whole number.
std::int64_t ScoreValue(std::string_view text);

// The table of a missing file: blank names and scores of 0.
HighScoreTable EmptyHighScores();

// Moves entry 0 into the table below every entry with an equal or higher score
// (the tenth drops out; nothing changes when it beats none), then sets entry 0
// to "CURRENT" with score "0". Returns the place taken, 1..10, or 0.
int InsertHighScore(HighScoreTable& table);

// The reset table: "NONAME" with 200000, 180000, ... 20000, followed by an
// insertion of whatever entry 0 holds (saving is the caller's).
void ResetHighScoreEntries(HighScoreTable& table);

// Puts a player's score into entry 0 and inserts it.
int EnterHighScore(HighScoreTable& table, std::string_view name, std::int64_t score);

std::string EncodeHighScores(const HighScoreTable& table);
// nullopt for a short or long file or a score text longer than any score.
std::optional<HighScoreTable> DecodeHighScores(std::string_view bytes, std::string* error = nullptr);
// Drops characters the font lacks from names and replaces score texts that are
// not whole numbers by "0"; one line per repair.
std::vector<std::string> SanitizeHighScores(HighScoreTable& table);

}  // namespace bm

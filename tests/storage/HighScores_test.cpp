#include "storage/HighScores.h"

#include <gtest/gtest.h>

namespace bm {
namespace {

HighScoreTable ResetTable() {
  HighScoreTable t = EmptyHighScores();
  ResetHighScoreEntries(t);
  return t;
}

std::vector<std::int64_t> Scores(const HighScoreTable& t) {
  std::vector<std::int64_t> v;
  for (int i = 1; i < kHighScoreEntries; ++i) v.push_back(ScoreValue(t.entry[std::size_t(i)].EntryScore));
  return v;
}

TEST(HighScoreTable, ResetReadsNonameFrom200000DownAndInsertionKeepsOrderTiesBelowAndDropsTheTenth) {
  HighScoreTable t = ResetTable();
  EXPECT_EQ(EnterHighScore(t, "Ann", 140000), 5);  // equal to the fourth: goes below it
  EXPECT_EQ(t.entry[4].EntryName, "NONAME");
  EXPECT_EQ(t.entry[5], (HighScoreEntry{"Ann", "140000"}));
  EXPECT_EQ(Scores(t), (std::vector<std::int64_t>{200000, 180000, 160000, 140000, 140000, 120000, 100000, 80000, 60000,
                                                  40000}));
  EXPECT_EQ(t.entry[0], (HighScoreEntry{"CURRENT", "0"}));

  EXPECT_EQ(EnterHighScore(t, "Bo", 40001), 10);  // beats only the tenth
  EXPECT_EQ(t.entry[10], (HighScoreEntry{"Bo", "40001"}));
  EXPECT_EQ(t.entry[9].EntryScore, "60000");

  const HighScoreTable before = t;
  EXPECT_EQ(EnterHighScore(t, "Cy", 40001), 0);  // equal to the last: no place
  EXPECT_EQ(EnterHighScore(t, "Cy", 3), 0);
  EXPECT_EQ(t, before);

  EXPECT_EQ(EnterHighScore(t, "Di", 999999), 1);
  EXPECT_EQ(t.entry[1].EntryName, "Di");
  EXPECT_EQ(t.entry[2].EntryScore, "200000");
  // Scores compare by value, not as text ("1000000" < "999999").
  EXPECT_EQ(EnterHighScore(t, "Ann", 1000000), 1);
  EXPECT_EQ(std::vector<std::int64_t>({ScoreValue("-12"), ScoreValue(""), ScoreValue("12a")}),
            (std::vector<std::int64_t>{-12, 0, 0}));
  // The reset table.
  const HighScoreTable reset = ResetTable();
  EXPECT_EQ(Scores(reset), (std::vector<std::int64_t>{200000, 180000, 160000, 140000, 120000, 100000, 80000, 60000, 40000,
                                                  20000}));
  for (int i = 1; i < kHighScoreEntries; ++i) EXPECT_EQ(reset.entry[std::size_t(i)].EntryName, "NONAME");
  EXPECT_EQ(reset.entry[0], (HighScoreEntry{"CURRENT", "0"}));
}

TEST(HighScoresFile, NamesThenLengthPrefixedScores) {
  HighScoreTable t = ResetTable();
  const std::string b = EncodeHighScores(t);
  ASSERT_EQ(b.size(), 440u + 11 * 2 + 1 + 6 * 6 + 4 * 5);
  EXPECT_EQ(b.substr(0, 80), "CURRENT" + std::string(33, ' ') + "NONAME" + std::string(34, ' '));
  EXPECT_EQ(b.substr(440, 11), std::string("\x01\0" "0" "\x06\0" "200000", 11));
  // A name filling its whole width comes back whole.
  t.entry[10].EntryName = std::string(40, 'W');
  EXPECT_EQ(DecodeHighScores(EncodeHighScores(t)), t);
  // One past it is cut before the character that does not fit whole.
  std::string accents;
  for (int i = 0; i < 20; ++i) accents += "Ł";
  t.entry[10].EntryName = "W" + accents;
  EXPECT_EQ(DecodeHighScores(EncodeHighScores(t))->entry[10].EntryName, "W" + accents.substr(0, 38));
}

TEST(HighScoresFile, HostileFilesFailAndOddTextsAreRepaired) {
  const std::string good = EncodeHighScores(ResetTable());
  for (std::size_t n = 0; n < good.size(); ++n) EXPECT_FALSE(DecodeHighScores(good.substr(0, n))) << n;
  EXPECT_FALSE(DecodeHighScores(good + "7"));
  // A score text of 1 MB: refused on its length, before anything is read.
  std::string huge = good.substr(0, 440) + std::string("\xFF\xFF", 2) + std::string(1 << 20, '9');
  std::string error;
  EXPECT_FALSE(DecodeHighScores(huge, &error));
  EXPECT_NE(error.find("65535"), std::string::npos) << error;

  // Never-written names (NULs) read as empty; garbage is dropped or zeroed.
  std::string odd = good;
  for (int i = 0; i < 40; ++i) odd[std::size_t(40 + i)] = '\0';
  odd.replace(80, 6, "A\x01_B\xE9 ");  // a Latin-1 byte shows as "?"
  odd.replace(445, 6, "2x0000");  // entry 1's score text
  std::optional<HighScoreTable> t = DecodeHighScores(odd);
  ASSERT_TRUE(t);
  EXPECT_EQ(t->entry[1].EntryName, "");
  EXPECT_EQ(SanitizeHighScores(*t).size(), 2u);
  EXPECT_EQ(t->entry[2].EntryName + "|" + t->entry[1].EntryScore, "AB?|0");
}

}  // namespace
}  // namespace bm

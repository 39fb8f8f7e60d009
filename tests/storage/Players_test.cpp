#include "storage/Players.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <tuple>


namespace bm {
namespace {

constexpr std::size_t kFixedRecordBytes = 404 + 6 * 4 + 2 * 8 + 5 * 4 + 3 * 2 + 101 * 2;  // 672

// Every slot different, every field away from its default.
PlayerTable Varied() {
  PlayerTable t;
  for (int s = 0; s < kPlayerSlots; ++s) {
    PlayerRecord& p = t.slot[std::size_t(s)];
    p.Name = s == 0 ? "" : "Pl" + std::to_string(s) + (s % 2 ? " Zoë" : "-Łu'k");
    for (int i = 0; i < kTipCount; ++i) p.TipValue[std::size_t(i)] = i * 1000 + s - 50000;
    p.GameScore = 12345 * s + 7;
    p.MaxLevel = s * 6;
    p.GameLevel = s * 5 + 1;
    p.GameLives = s % 4;
    p.Deleted = s == 3 ? -1 : 0;
    p.CurrentPlayer = s == 0 ? 7 : 0;
    p.TimeLeft = 0.5 / (s + 1);
    p.TimeTotal = 60.0 + s * 1.25;
    for (int b = 0; b < kBonusStockCount; ++b) p.BonusStock[std::size_t(b)] = s + b;
    p.NewGameFlag = s % 2 ? kTrue : kFalse;
    p.NewGamePending = s % 3 ? kTrue : kFalse;
    p.ShowTips = s % 5 ? kTrue : kFalse;
    for (int i = 0; i < kTipCount; ++i) p.TipShown[std::size_t(i)] = (i + s) % 3 == 0 ? kTrue : kFalse;
  }
  return t;
}

std::int32_t I32At(const std::string& b, std::size_t at) {
  std::uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | std::uint8_t(b[at + std::size_t(i)]);
  return std::int32_t(v);
}

TEST(PlayersFile, FieldsSitInOrderAfterTheLengthPrefixedName) {
  PlayerTable t = EmptyPlayers();
  PlayerRecord& p = t.slot[1];
  p.Name = "Ann";
  p.TipValue[100] = -2;
  p.GameScore = 0x01020304;
  p.MaxLevel = 12;
  p.GameLevel = 7;
  p.GameLives = 2;
  p.CurrentPlayer = 9;
  p.TimeLeft = 0.25;
  p.ShowTips = kTrue;
  p.TipShown[100] = kTrue;
  const std::string b = EncodePlayers(t);
  ASSERT_EQ(b.size(), 11 * (2 + kFixedRecordBytes) + 3);
  const std::size_t at = 2 + kFixedRecordBytes;  // slot 1 starts after the empty slot 0
  EXPECT_EQ(b.substr(at, 5), std::string("\x03\0Ann", 5));
  // TipValue[100], GameScore, MaxLevel, then GameLevel and GameLives, and CurrentPlayer.
  std::vector<std::int32_t> fields;
  for (std::size_t field : {400, 404, 408, 412, 416, 424}) fields.push_back(I32At(b, at + 5 + field));
  EXPECT_EQ(fields, (std::vector<std::int32_t>{-2, 0x01020304, 12, 7, 2, 9}));
  EXPECT_EQ(b.substr(at + 5 + 428, 8), std::string("\0\0\0\0\0\0\xD0\x3F", 8));
  EXPECT_EQ(b.substr(at + 5 + 468, 2), "\xFF\xFF");  // ShowTips
  EXPECT_EQ(b.substr(at + 5 + 470 + 200, 2), "\xFF\xFF");  // TipShown[100]
}

// Every slot and field comes back; every cut of the file, an extra byte or a hostile name fails whole.
TEST(PlayersFile, RoundTripsAndShortLongAndHostileFilesFailWhole) {
  const std::string good = EncodePlayers(Varied());
  std::optional<PlayerTable> back = DecodePlayers(good);
  ASSERT_TRUE(back);
  EXPECT_TRUE(*back == Varied() && SanitizePlayers(*back).empty());
  EXPECT_EQ(back->Current(), 7);
  for (std::size_t n = 0; n < good.size(); n += 7) EXPECT_FALSE(DecodePlayers(good.substr(0, n))) << n;
  EXPECT_FALSE(DecodePlayers(good.substr(0, good.size() - 1)));
  EXPECT_FALSE(DecodePlayers(good + '\0'));
  // A name length of 60000 with the bytes present is still refused.
  std::string hostile = good;
  hostile[0] = char(0x60);
  hostile[1] = char(0xEA);
  hostile.insert(2, std::string(60000, 'A'));
  std::string error;
  EXPECT_FALSE(DecodePlayers(hostile, &error));
  EXPECT_NE(error.find("60000"), std::string::npos) << error;

  // The debug block: 404 bytes exactly.
  DebugBlock b{};
  for (int i = 0; i < kDebugBlockValues; ++i) b[std::size_t(i)] = i * 7919 - 400000;
  const std::string bytes = EncodeDebugBlock(b);
  EXPECT_EQ(DecodeDebugBlock(bytes), b);
  EXPECT_FALSE(DecodeDebugBlock(bytes.substr(0, 403)));
  EXPECT_FALSE(DecodeDebugBlock(bytes + "x"));
}

TEST(PlayersFile, OutOfRangeValuesAreRepairedFieldByField) {
  PlayerTable t = Varied();
  PlayerRecord& p = t.slot[4];
  p.Name = "Way too long a name_with#odd\x01";
  p.MaxLevel = 66;
  p.GameLevel = -3;
  p.GameScore = -1;
  p.GameLives = -5;
  p.TimeLeft = std::numeric_limits<double>::quiet_NaN();
  p.TimeTotal = -1;
  p.ShowTips = 1;
  p.TipShown[50] = 7;
  t.slot[0].CurrentPlayer = 11;
  // Just past the top of each range.
  PlayerRecord& high = t.slot[6];
  high.MaxLevel = high.GameLevel = 66;
  high.TimeLeft = 1.5;
  const PlayerRecord untouched = t.slot[5];
  std::optional<PlayerTable> back = DecodePlayers(EncodePlayers(t));
  ASSERT_TRUE(back);
  const std::vector<std::string> repairs = SanitizePlayers(*back);
  EXPECT_GE(repairs.size(), 10u);
  const PlayerRecord& q = back->slot[4];
  EXPECT_EQ(q.Name, "Way too long a ");
  // No level to continue on (MaxLevel 0): the saved game is dropped.
  EXPECT_EQ(std::tie(q.GameLevel, q.MaxLevel, q.GameScore, q.GameLives, q.TimeLeft, q.TimeTotal, q.ShowTips, q.TipShown[50]),
            std::make_tuple(0, 0, 0, 0, 0.0, 0.0, kFalse, kFalse));
  EXPECT_EQ(q.TipValue, t.slot[4].TipValue);
  const PlayerRecord& r = back->slot[6];
  EXPECT_EQ(std::tie(r.GameLevel, r.MaxLevel, r.TimeLeft), std::make_tuple(65, 65, 1.0));
  EXPECT_EQ(back->slot[5], untouched);
  EXPECT_EQ(std::pair(back->Current(), back->slot[0].CurrentPlayer), std::pair(1, 1));
  // A name keeps the letters the fonts carry, 15 characters however many bytes; a byte that is not UTF-8 (a name
  // written in another encoding) shows as "?".
  const std::pair<std::string, std::string> kNames[] = {
      {"Ann_Bonny#1234567890", "AnnBonny1234567"}, {"Zoë Łukasz José", "Zoë Łukasz José"},
      {"ŁŁŁŁŁŁŁŁŁŁŁŁŁŁŁŁ", "ŁŁŁŁŁŁŁŁŁŁŁŁŁŁŁ"},     {"Jos\xE9 \xC5", "Jos? ?"},
      {"a×b÷c€\u4E00ß", "abcß"}};
  for (const auto& [raw, name] : kNames) EXPECT_EQ(CleanName(raw), name) << raw;
}

TEST(PlayersTable, CurrentSlotContinueAndNewGame) {
  PlayerTable t = EmptyPlayers();
  EXPECT_EQ(t.Current(), 1);
  t.SetCurrent(4);
  EXPECT_EQ(t.Current(), 4);
  t.SetCurrent(0);
  EXPECT_EQ(t.Current(), 1);
  t.SetCurrent(4);
  PlayerRecord& p = t.CurrentRecord();
  p.MaxLevel = 12;
  p.GameLevel = 12;
  EXPECT_FALSE(t.CanContinue());  // no name
  p.Name = "Mary";
  EXPECT_TRUE(t.CanContinue());
  p.MaxLevel = 0;
  EXPECT_FALSE(t.CanContinue()) << "an ended game";

  PlayerRecord r = Varied().slot[3];
  const PlayerRecord before = r;
  ClearForNewGame(r);
  EXPECT_EQ(std::tuple(r.BonusStock, r.NewGameFlag, r.TipShown),
            std::tuple(std::array<std::int32_t, kBonusStockCount>{}, kFalse, std::array<std::int16_t, kTipCount>{}));
  EXPECT_EQ(std::tie(r.Name, r.GameScore, r.TipValue, r.ShowTips), std::tie(before.Name, before.GameScore, before.TipValue, before.ShowTips));

  ClearPlayer(r);
  EXPECT_EQ(std::tuple(r.Name, r.MaxLevel, r.TipValue), std::tuple(std::string(), 0, std::array<std::int32_t, kTipCount>{}));
}

}  // namespace
}  // namespace bm

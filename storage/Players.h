// The player table: ten players plus the current-player slot, stored as
// "saves/players.dat", and the 404-byte block "debug.dat" that travels with it.
//
// Slot 0 is not a player: only its CurrentPlayer field is used, holding the
// current player's slot 1..10. A player with an empty Name is a free slot.
// A game can be continued when the current player has a name and MaxLevel > 0.
//
// File layout, little-endian, the 11 records in slot order, each:
//   Name (16-bit length + its UTF-8 bytes), TipValue[101] (i32), GameScore, MaxLevel,
//   GameLevel, GameLives, Deleted, CurrentPlayer (i32 each), TimeLeft,
//   TimeTotal (double), BonusStock[5] (i32), NewGameFlag, NewGamePending, ShowTips
//   (16-bit booleans, -1/0), TipShown[101] (16-bit booleans).
//
// Decoding checks the structure (lengths, exact size) and fails as a whole;
// SanitizePlayers then repairs out-of-range values field by field so one odd
// number never costs every player their game.
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lang/Tr.h"

namespace bm {

inline constexpr int kPlayerSlots = 11;      // 0 = current-player slot, 1..10 players
inline constexpr int kFirstPlayer = 1;
inline constexpr int kLastPlayer = 10;
inline constexpr int kTipCount = 101;        // tips 0..100
inline constexpr int kBonusStockCount = 5;   // the in-game bonus buttons
inline constexpr std::size_t kNameMaxLength = 15;  // characters the name box holds (UTF-8: at most 30 bytes)
inline constexpr int kMaxGameLevel = 65;
inline constexpr int kDebugBlockValues = 101;
inline constexpr std::size_t kDebugBlockSize = 4 * kDebugBlockValues;  // "debug.dat"
// The name of a player made without the name box (--level on a fresh folder),
// and the name a score without a player is filed under.
// TRANSLATORS: Players, name box, high scores: the name given to the player made by --level on a fresh data folder;
// then shown like any name. Stored as the player's name: at most 15 characters, letters (accented ones too: those of
// Latin-1 and Latin Extended-A), digits, the blank and a few signs. Room: plenty (twice the English length or more).
inline constexpr const char* kDefaultPlayerName = TrNoopC("default player name", "Player");
inline constexpr std::int16_t kTrue = -1;    // stored booleans
inline constexpr std::int16_t kFalse = 0;

struct PlayerRecord {
  std::string Name;  // empty = free slot; UTF-8 of name characters only, at most 15
  std::array<std::int32_t, kTipCount> TipValue{};
  std::int32_t GameScore = 0;
  std::int32_t MaxLevel = 0;   // above 0: there is a game to continue; never lowered by a save
  std::int32_t GameLevel = 0;  // 0 or 1..65
  std::int32_t GameLives = 0;
  std::int32_t Deleted = 0;       // set when the player is deleted; carried, never acted on
  std::int32_t CurrentPlayer = 0;  // slot 0 only: the current player's slot
  double TimeLeft = 0;   // hourglass fraction 0..1
  double TimeTotal = 0;  // the level's total seconds
  std::array<std::int32_t, kBonusStockCount> BonusStock{};
  std::int16_t NewGameFlag = kFalse;  // cleared at each new game and between levels
  // A new game's start is written but not finished (the old score into the
  // high scores, the shop reset, the old board removed): the next start finishes it.
  std::int16_t NewGamePending = kFalse;
  std::int16_t ShowTips = kFalse;
  std::array<std::int16_t, kTipCount> TipShown{};

  bool operator==(const PlayerRecord&) const = default;
};

struct PlayerTable {
  std::array<PlayerRecord, kPlayerSlots> slot{};

  // The current player's slot, 1..10 (slot 0's CurrentPlayer; 1 when it is out of range).
  int Current() const;
  void SetCurrent(int s);
  PlayerRecord& CurrentRecord() { return slot[std::size_t(Current())]; }
  const PlayerRecord& CurrentRecord() const { return slot[std::size_t(Current())]; }
  // A name and a level reached: the menu offers "Continue".
  bool CanContinue() const;

  bool operator==(const PlayerTable&) const = default;
};

using DebugBlock = std::array<std::int32_t, kDebugBlockValues>;

// The table of a missing file: no names, every value zero, slot 1 current.
PlayerTable EmptyPlayers();

// True when a name may hold c: the letters of ASCII, Latin-1 and Latin Extended-A
// (the fonts carry them: Zoë, Łukasz, José), digits, the blank and []()@!,.;'?/\%&:+-.
bool IsNameCharacter(char32_t c);
// The name as a file or a keyboard gave it, made one the game shows: UTF-8 of
// name characters only, at most maxCharacters of them (never a character cut in
// two). A byte that is not UTF-8 (a name written in another encoding) shows as
// kNameReplacement, so the player sees that something stood there; any other
// character is dropped.
inline constexpr char kNameReplacement = '?';
std::string CleanName(std::string_view name, std::size_t maxCharacters = kNameMaxLength);

std::string EncodePlayers(const PlayerTable& table);
// nullopt (and a reason in error) for a file of the wrong size or with a name
// length past anything the game writes; never a half-filled table.
std::optional<PlayerTable> DecodePlayers(std::string_view bytes, std::string* error = nullptr);
// Repairs values the game never writes; one line per repair, empty when sound.
std::vector<std::string> SanitizePlayers(PlayerTable& table);

std::string EncodeDebugBlock(const DebugBlock& block);
std::optional<DebugBlock> DecodeDebugBlock(std::string_view bytes, std::string* error = nullptr);

// What a new game clears in the current player's record: the bonus stocks, the
// new-game flag and every TipShown flag. Name, ShowTips, TipValue and the
// progress fields stay (the caller enters GameScore into the high scores first).
void ClearForNewGame(PlayerRecord& player);

// Deleting a player empties the slot: name, game progress, stocks and tips.
void ClearPlayer(PlayerRecord& player);
// A player added under a name (cleaned to what the name box holds): nothing
// played yet, the tips on.
void MakeNewPlayer(PlayerRecord& player, std::string_view name);

}  // namespace bm

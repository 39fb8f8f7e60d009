#include "storage/Players.h"

#include <cmath>
#include <string>

#include "io/Bytes.h"
#include "lang/Utf8.h"

namespace bm {

namespace {

// Longest name length accepted from a file before it counts as garbled; longer
// names than the box holds are cut on load rather than costing the whole table.
constexpr std::size_t kNameLengthLimit = 255;
constexpr std::int32_t kLivesLimit = 1000;
constexpr double kTimeTotalLimit = 1e6;

// The record's fields in file order; IO is a ByteWriter or a ByteReader.
template <class IO, class Record>
void Fields(IO& io, Record& p) {
  io.Text(p.Name, kNameLengthLimit, "player name");
  io.Field(p.TipValue);
  io.Field(p.GameScore);
  io.Field(p.MaxLevel);
  io.Field(p.GameLevel);
  io.Field(p.GameLives);
  io.Field(p.Deleted);
  io.Field(p.CurrentPlayer);
  io.Field(p.TimeLeft);
  io.Field(p.TimeTotal);
  io.Field(p.BonusStock);
  io.Field(p.NewGameFlag);
  io.Field(p.NewGamePending);
  io.Field(p.ShowTips);
  io.Field(p.TipShown);
}

struct Repairs {
  std::vector<std::string>& lines;
  std::string who;
  void Note(const std::string& what) { lines.push_back(who + ": " + what); }

  void Int(std::int32_t& v, std::int32_t lo, std::int32_t hi, const char* name) {
    if (v >= lo && v <= hi) return;
    std::int32_t to = v < lo ? lo : hi;
    Note(std::string(name) + " " + std::to_string(v) + " out of " + std::to_string(lo) + ".." + std::to_string(hi) +
         ", set to " + std::to_string(to));
    v = to;
  }
  void Real(double& v, double lo, double hi, const char* name) {
    if (std::isfinite(v) && v >= lo && v <= hi) return;
    double to = std::isfinite(v) ? (v < lo ? lo : hi) : lo;
    Note(std::string(name) + " " + std::to_string(v) + " out of range, set to " + std::to_string(to));
    v = to;
  }
  void Bool(std::int16_t& v, const char* name) {
    if (v == kTrue || v == kFalse) return;
    Note(std::string(name) + " " + std::to_string(v) + " is neither -1 nor 0, set to 0");
    v = kFalse;
  }
};

}  // namespace

int PlayerTable::Current() const {
  const std::int32_t c = slot[0].CurrentPlayer;
  return c >= kFirstPlayer && c <= kLastPlayer ? int(c) : kFirstPlayer;
}

void PlayerTable::SetCurrent(int s) { slot[0].CurrentPlayer = s >= kFirstPlayer && s <= kLastPlayer ? s : kFirstPlayer; }

bool PlayerTable::CanContinue() const {
  const PlayerRecord& p = CurrentRecord();
  return !p.Name.empty() && p.MaxLevel > 0 && p.GameLevel >= 1 && p.GameLevel <= kMaxGameLevel;
}

PlayerTable EmptyPlayers() {
  PlayerTable t;
  t.SetCurrent(kFirstPlayer);
  return t;
}

bool IsNameCharacter(char32_t c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == ' ') return true;
  // Latin-1's letters (not its signs, nor the multiplication and division signs among them) and Latin Extended-A.
  if ((c >= 0xC0 && c <= 0x17F) && c != 0xD7 && c != 0xF7) return true;
  for (char s : std::string_view("[]()@!,.;'?/\\%&:+-"))
    if (c == char32_t(s)) return true;
  return false;
}

std::string CleanName(std::string_view name, std::size_t maxCharacters) {
  std::string out;
  std::size_t count = 0;
  for (std::size_t at = 0; at < name.size() && count < maxCharacters;) {
    const char32_t c = NextCharacter(name, at);
    if (c == kBadCharacter) {
      out.push_back(kNameReplacement);
      ++count;
    } else if (IsNameCharacter(c)) {
      out += EncodeUtf8(c);
      ++count;
    }
  }
  return out;
}

std::string EncodePlayers(const PlayerTable& table) {
  ByteWriter w;
  for (const PlayerRecord& p : table.slot) Fields(w, p);
  return w.Take();
}

std::optional<PlayerTable> DecodePlayers(std::string_view bytes, std::string* error) {
  ByteReader r(bytes);
  PlayerTable t;
  for (PlayerRecord& p : t.slot) Fields(r, p);
  r.ExpectEnd();
  if (!r.ok()) {
    if (error) *error = r.error();
    return std::nullopt;
  }
  return t;
}

std::vector<std::string> SanitizePlayers(PlayerTable& table) {
  std::vector<std::string> lines;
  for (int s = 0; s < kPlayerSlots; ++s) {
    PlayerRecord& p = table.slot[std::size_t(s)];
    Repairs fix{lines, "slot " + std::to_string(s)};
    if (std::string clean = CleanName(p.Name); clean != p.Name) {
      fix.Note("name of " + std::to_string(p.Name.size()) + " bytes cut to the name box's characters");
      p.Name = clean;
    }
    fix.Int(p.GameScore, 0, INT32_MAX, "GameScore");
    fix.Int(p.MaxLevel, 0, kMaxGameLevel, "MaxLevel");
    fix.Int(p.GameLevel, 0, kMaxGameLevel, "GameLevel");
    fix.Int(p.GameLives, 0, kLivesLimit, "GameLives");
    fix.Real(p.TimeLeft, 0.0, 1.0, "TimeLeft");
    fix.Real(p.TimeTotal, 0.0, kTimeTotalLimit, "TimeTotal");
    for (std::int32_t& v : p.BonusStock) fix.Int(v, 0, INT32_MAX, "bonus stock");
    fix.Bool(p.NewGameFlag, "NewGameFlag");
    fix.Bool(p.NewGamePending, "NewGamePending");
    fix.Bool(p.ShowTips, "ShowTips");
    for (std::int16_t& v : p.TipShown) fix.Bool(v, "TipShown");
    // A game to continue needs a level to continue on.
    if (p.MaxLevel > 0 && p.GameLevel == 0) {
      fix.Note("MaxLevel " + std::to_string(p.MaxLevel) + " without a GameLevel, the saved game is dropped");
      p.MaxLevel = 0;
    }
  }
  PlayerRecord& head = table.slot[0];
  if (head.CurrentPlayer < kFirstPlayer || head.CurrentPlayer > kLastPlayer) {
    lines.push_back("current player " + std::to_string(head.CurrentPlayer) + " out of 1..10, set to 1");
    head.CurrentPlayer = kFirstPlayer;
  }
  return lines;
}

std::string EncodeDebugBlock(const DebugBlock& block) {
  ByteWriter w;
  for (std::int32_t v : block) w.I32(v);
  return w.Take();
}

std::optional<DebugBlock> DecodeDebugBlock(std::string_view bytes, std::string* error) {
  ByteReader r(bytes);
  DebugBlock b{};
  for (std::int32_t& v : b) v = r.I32();
  r.ExpectEnd();
  if (!r.ok()) {
    if (error) *error = r.error();
    return std::nullopt;
  }
  return b;
}

void ClearForNewGame(PlayerRecord& p) {
  p.BonusStock.fill(0);
  p.NewGameFlag = kFalse;
  p.TipShown.fill(kFalse);
}

void ClearPlayer(PlayerRecord& p) {
  const std::int32_t current = p.CurrentPlayer;
  p = PlayerRecord{};
  p.CurrentPlayer = current;
  p.Deleted = kTrue;
}

void MakeNewPlayer(PlayerRecord& p, std::string_view name) {
  ClearPlayer(p);
  p.Deleted = 0;
  p.Name = CleanName(name);
  p.ShowTips = kTrue;
}

}  // namespace bm

#include "saves/SaveGame.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "bonus/Spawn.h"
#include "diag/Logs.h"
#include "match/Carryover.h"
#include "match/Match.h"
#include "io/AtomicWrite.h"
#include "storage/BoardFile.h"
#include "io/SafeRead.h"

namespace bm {

namespace {

void Log(SaveFolder& f, const std::string& place, const std::string& message) {
  if (f.logs) f.logs->WriteRunLog(place, message);
}

bool ValidSlot(int slot) { return slot >= kFirstPlayer && slot <= kLastPlayer; }

// A game played without a player's name still has its score kept, under a plain name.
std::string ScoreName(const PlayerRecord& p) { return p.Name.empty() ? kDefaultPlayerName : p.Name; }

// The rest of a new game whose record is written: the shop and the board of
// the old game go, its score enters the high scores, and the record says the
// start is complete. Run again after a kill, every step lands the same; the
// entry is the one that would not, so a second run finds it already in the
// table (the same name and score) and leaves the table alone.
void FinishNewGameRecords(SaveFolder& f, SaveData& data, bool again) {
  PlayerRecord& p = data.players.CurrentRecord();
  ResetItemStatus(f, data);
  ClearBoard(f, data.players.Current());
  const HighScoreEntry entry{ScoreName(p), std::to_string(p.GameScore)};
  LoadHighScores(f, data);
  const auto& table = data.scores.entry;
  if (!again || std::find(table.begin() + 1, table.end(), entry) == table.end()) {
    EnterHighScore(data.scores, entry.EntryName, p.GameScore);
    SaveHighScores(f, data);
  }
  p.GameScore = 0;
  p.NewGamePending = kFalse;
  SavePlayers(f, data);
}

}  // namespace

bool HasSavedGame(const SaveData& data) { return data.players.CanContinue(); }

void CopyPlayerToMatch(const PlayerRecord& p, BoardPlayer& b) {
  b.sunCount = p.BonusStock[0];
  b.parrotCount = p.BonusStock[1];
  b.shuffleCount = p.BonusStock[2];
  b.rumCount = p.BonusStock[3];
  b.anchorCount = p.BonusStock[4];
  b.rumSwap = p.NewGameFlag != kFalse;
  b.tipsOn = p.ShowTips != kFalse;
  for (std::size_t i = 0; i < b.tipSeen.size(); ++i) b.tipSeen[i] = p.TipShown[i] != kFalse;
}

void CopyMatchToPlayer(const BoardPlayer& b, PlayerRecord& p) {
  p.BonusStock = {b.sunCount, b.parrotCount, b.shuffleCount, b.rumCount, b.anchorCount};
  p.NewGameFlag = b.rumSwap ? kTrue : kFalse;
  p.ShowTips = b.tipsOn ? kTrue : kFalse;
  for (std::size_t i = 0; i < b.tipSeen.size(); ++i) p.TipShown[i] = b.tipSeen[i] ? kTrue : kFalse;
}

bool LevelInProgress(const Match& m) {
  return !m.session.Ended && m.session.CurrentLevel >= 1 && m.session.CurrentLevel <= kMaxGameLevel;
}

bool SaveBoard(SaveFolder& f, int slot, const Cells& cells) {
  if (!ValidSlot(slot)) return false;
  const std::string path = f.SavesPath(BoardFileName(slot));
  std::string error;
  if (WriteFileAtomic(path, EncodeBoard(cells), &error)) {
    ++f.counters.writes;
    return true;
  }
  ++f.counters.failures;
  Log(f, "SaveBoard", error + "; the previous file is kept");
  return false;
}

bool LoadBoard(SaveFolder& f, int slot, Cells& cells) {
  constexpr const char* kPlace = "LoadBoard";
  if (!ValidSlot(slot)) return false;
  const std::string path = f.SavesPath(BoardFileName(slot));
  const ReadResult r = ReadFileBounded(path, kBoardFileSize);
  if (!r.ok()) {
    Log(f, kPlace, r.error + "; the level starts afresh");
    if (r.status == ReadStatus::TooLarge) KeepDamagedFile(f, kPlace, path);
    return false;
  }
  const std::string& bytes = r.bytes;
  std::string error;
  auto saved = std::make_unique<Cells>();
  if (!DecodeBoard(bytes, *saved, &error)) {
    Log(f, kPlace, "\"" + path + "\" is damaged: " + error + "; the level starts afresh");
    KeepDamagedFile(f, kPlace, path);
    return false;
  }
  // A whole board of another level (the record was saved, the board not) is
  // no damage: the next save replaces it.
  if (!BoardFitsLevel(*saved, cells, &error)) {
    Log(f, kPlace, "\"" + path + "\" cannot be used: " + error + "; the level starts afresh");
    return false;
  }
  for (const std::string& line : RepairSavedFalls(*saved)) Log(f, kPlace, "\"" + path + "\" repaired: " + line);
  cells.cell = saved->cell;
  return true;
}

void ClearBoard(SaveFolder& f, int slot) {
  if (!ValidSlot(slot)) return;
  const std::string path = f.SavesPath(BoardFileName(slot));
  if (std::remove(path.c_str()) != 0 && errno != ENOENT)
    Log(f, "ClearBoard", "cannot remove \"" + path + "\": " + std::strerror(errno));
}

bool SaveGame(SaveFolder& f, SaveData& data, const Match& m) {
  if (!LevelInProgress(m)) return false;
  const int slot = data.players.Current();
  PlayerRecord& p = data.players.CurrentRecord();
  p.GameScore = m.session.Score;
  p.GameLives = m.session.Lives;
  p.GameLevel = m.session.CurrentLevel;
  if (m.session.CurrentLevel > p.MaxLevel) p.MaxLevel = m.session.CurrentLevel;
  p.TimeLeft = m.level.SandLeft;
  p.TimeTotal = m.level.TimeLimit;
  // An armed hook or sun was taken from the stock but not used: it is kept there.
  BoardPlayer stocks = m.player;
  if (m.board.AnchorArmed) ++stocks.anchorCount;
  if (m.board.SunArmed) ++stocks.sunCount;
  CopyMatchToPlayer(stocks, p);
  // Keys found and stars taken during the level live in the match's shop state.
  CopySlot(data.items, slot, m.items, m.itemSlot);
  // Each file is whole at every instant. A kill between two of them pairs the
  // new record with the previous board; Continue refuses a board that does not
  // fit the record's level, so the worst case is that level started afresh.
  bool ok = SavePlayers(f, data);
  ok = SaveBoard(f, slot, m.cells) && ok;
  ok = SaveItemStatus(f, data) && ok;
  if (ok) ++f.counters.games;
  return ok;
}

bool LoadSavedGame(SaveFolder& f, SaveData& data, Match& m, double now) {
  if (!HasSavedGame(data)) return false;
  const PlayerRecord& p = data.players.CurrentRecord();
  // The player and the shop first: the level's start reads both.
  BoardPlayer player = m.player;
  CopyPlayerToMatch(p, player);
  SetMatchPlayer(m, player, now);
  LoadItemStatus(f, data);
  SetShopState(m, data.items, data.players.Current(), now);
  ContinueLevel(m, {p.GameLevel, p.GameScore, p.GameLives, p.TimeLeft, p.TimeTotal}, now);
  auto saved = std::make_unique<Cells>();
  saved->cell = m.cells.cell;
  if (LoadBoard(f, data.players.Current(), *saved)) PutSavedBoard(m, *saved, now);
  return true;
}

void StartNewGameRecords(SaveFolder& f, SaveData& data, int level) {
  PlayerRecord& p = data.players.CurrentRecord();
  // The whole new game in one write of the record; its old score stays in
  // GameScore until it is entered.
  p.GameLevel = p.MaxLevel = std::clamp(level, 1, kMaxGameLevel);
  p.GameLives = 3;
  p.TimeLeft = 1.0;
  p.TimeTotal = 0;
  ClearForNewGame(p);
  p.NewGamePending = kTrue;
  if (!SavePlayers(f, data)) {
    // The old game stays whole in the files; this run plays the new one.
    ResetSlot(data.items, data.players.Current());
    return;
  }
  FinishNewGameRecords(f, data, false);
}

void FinishNewGame(SaveFolder& f, SaveData& data) {
  if (data.players.CurrentRecord().NewGamePending == kFalse) return;
  Log(f, "FinishNewGame", "the start of player " + std::to_string(data.players.Current()) +
                              "'s new game was cut short; finishing it");
  FinishNewGameRecords(f, data, true);
}

void EndGameRecords(SaveFolder& f, SaveData& data, std::int64_t score, bool enterScore) {
  PlayerRecord& p = data.players.CurrentRecord();
  if (enterScore) RecordHighScore(f, data, ScoreName(p), score);
  p.GameScore = 0;
  p.GameLevel = 0;
  p.MaxLevel = 0;
  SavePlayers(f, data);
}

}  // namespace bm

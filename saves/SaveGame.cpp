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

// Slot's shop as at a new game, with the working copy of its grades.
void ResetShop(SaveData& data, int slot) {
  ResetSlot(data.items, slot);
  data.grades = data.items.grades[std::size_t(slot)];
}

// The abandoned game's score into the high scores (loaded afresh): entered
// once, so a start that finishes an old new game cut short finds it there
// already (the same name and score) and leaves the table alone.
void EnterAbandonedScore(SaveFolder& f, SaveData& data, bool unlessThere) {
  const PlayerRecord& p = data.players.CurrentRecord();
  const HighScoreEntry entry{ScoreName(p), std::to_string(p.GameScore)};
  LoadHighScores(f, data);
  const auto& table = data.scores.entry;
  if (!unlessThere || std::find(table.begin() + 1, table.end(), entry) == table.end())
    EnterHighScore(data.scores, entry.EntryName, p.GameScore);
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

void PutBoard(SaveSet& save, int slot, const Cells& cells) {
  if (ValidSlot(slot)) save.Put(SavedName(BoardFileName(slot)), EncodeBoard(cells));
}

void RemoveBoard(SaveSet& save, int slot) {
  if (ValidSlot(slot)) save.Remove(SavedName(BoardFileName(slot)));
}

bool SaveBoard(SaveFolder& f, int slot, const Cells& cells) {
  if (!ValidSlot(slot)) return false;
  SaveSet save = NewSave(f);
  PutBoard(save, slot, cells);
  return CommitSave(f, "SaveBoard", save);
}

bool LoadBoard(SaveFolder& f, int slot, Cells& cells) {
  constexpr const char* kPlace = "LoadBoard";
  if (!ValidSlot(slot)) return false;
  const std::string path = f.SavesPath(BoardFileName(slot));
  SavedRead s = ReadSaved(f.Base(), SavedName(kGenerationFile), SavedName(BoardFileName(slot)), kBoardFileSize);
  const ReadResult& r = s.read;
  if (s.odd) {
    Log(f, kPlace, s.note + "; it is never paired with the player's record, the level starts afresh");
    KeepDamagedFile(f, kPlace, path);
    return false;
  }
  if (!s.note.empty()) Log(f, kPlace, s.note);
  if (!r.ok()) {
    Log(f, kPlace, r.error + "; the level starts afresh");
    if (r.status == ReadStatus::TooLarge) KeepDamagedFile(f, kPlace, path);
    NoticeUnreadable(r, path);
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
  SaveSet save = NewSave(f);
  RemoveBoard(save, slot);
  CommitSave(f, "ClearBoard", save);
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
  // One save: the record, the board and the shop are all new or all old.
  SaveSet save = NewSave(f);
  PutPlayers(save, data);
  PutBoard(save, slot, m.cells);
  PutItemStatus(save, data);
  const bool ok = CommitSave(f, "SaveGame", save);
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

namespace {

// A new game's one save: the record, the shop, the old board's removal and the old score's entry.
void SaveNewGame(SaveFolder& f, const SaveData& data, int slot, const char* place) {
  SaveSet save = NewSave(f);
  PutPlayers(save, data);
  PutItemStatus(save, data);
  RemoveBoard(save, slot);
  PutHighScores(save, data);
  CommitSave(f, place, save);
}

}  // namespace

void StartNewGameRecords(SaveFolder& f, SaveData& data, int level) {
  PlayerRecord& p = data.players.CurrentRecord();
  const int slot = data.players.Current();
  EnterAbandonedScore(f, data, false);
  p.GameLevel = p.MaxLevel = std::clamp(level, 1, kMaxGameLevel);
  p.GameLives = 3;
  p.GameScore = 0;
  p.TimeLeft = 1.0;
  p.TimeTotal = 0;
  ClearForNewGame(p);
  p.NewGamePending = kFalse;
  ResetShop(data, slot);
  // When the save fails the old game stays whole in the files; this run plays the new one.
  SaveNewGame(f, data, slot, "NewGame");
}

void FinishNewGame(SaveFolder& f, SaveData& data) {
  PlayerRecord& p = data.players.CurrentRecord();
  if (p.NewGamePending == kFalse) return;
  const int slot = data.players.Current();
  Log(f, "FinishNewGame", "the start of player " + std::to_string(slot) + "'s new game was cut short; finishing it");
  EnterAbandonedScore(f, data, true);
  ClearForNewGame(p);
  p.GameScore = 0;
  p.NewGamePending = kFalse;
  ResetShop(data, slot);
  SaveNewGame(f, data, slot, "FinishNewGame");
}

void EndGameRecords(SaveFolder& f, SaveData& data, std::int64_t score, bool enterScore) {
  PlayerRecord& p = data.players.CurrentRecord();
  SaveSet save = NewSave(f);
  if (enterScore) {
    LoadHighScores(f, data);
    EnterHighScore(data.scores, ScoreName(p), score);
    PutHighScores(save, data);
  }
  p.GameScore = 0;
  p.GameLevel = 0;
  p.MaxLevel = 0;
  // The score and the ended game in one save: never entered twice, never lost.
  PutPlayers(save, data);
  CommitSave(f, "EndGame", save);
}

}  // namespace bm

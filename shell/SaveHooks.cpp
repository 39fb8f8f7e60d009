#include "shell/SaveHooks.h"

#include "bonus/ShopItems.h"
#include "diag/LogTags.h"
#include "match/Carryover.h"
#include "match/Match.h"
#include "shell/Services.h"
#include "saves/SaveGame.h"

namespace bm {

namespace {

// The players, the item status and the map points: what a save of the game or
// the shop writes back. Saving the item status writes the map point file too,
// so the points must be loaded first.
void LoadGameRecords(SaveFolder& folder, SaveData& data) {
  LoadPlayers(folder, data);
  LoadItemStatus(folder, data);
  LoadMapPoints(folder, data);
}

}  // namespace

void SaveLeftLevel(Saves& s, const Match& m) {
  if (!LevelInProgress(m)) return;
  SaveFolder folder = s.Folder();
  SaveData data;
  LoadGameRecords(folder, data);
  const bool ok = SaveGame(folder, data, m);
  s.logs.WriteRunLog("SaveGame", std::string(ok ? "Saved" : "Not saved") + " on level " +
                                     std::to_string(m.session.CurrentLevel) + " for player " +
                                     std::to_string(data.players.Current()));
  s.Count(folder);
}

void ForgetEndedGame(Saves& s, const Match& m) {
  if (!m.session.Ended) return;
  SaveFolder folder = s.Folder();
  SaveData data;
  LoadPlayers(folder, data);
  if (data.players.CurrentRecord().MaxLevel == 0 && data.players.CurrentRecord().GameLevel == 0) return;
  EndGameRecords(folder, data, m.session.Score, false);
  s.Count(folder);
}

void LeftPlay(Saves& s, const Match& m) {
  SaveLeftLevel(s, m);
  ForgetEndedGame(s, m);
}

bool ContinueSavedGame(Saves& s, Match& m) {
  SaveFolder folder = s.Folder();
  SaveData data;
  LoadPlayers(folder, data);
  if (!HasSavedGame(data)) return false;
  const bool ok = LoadSavedGame(folder, data, m, s.Now());
  if (ok)
    s.logs.WriteRunLog("ContinueGame", "Continued on level " + std::to_string(m.session.CurrentLevel) +
                                           " for player " + std::to_string(data.players.Current()));
  s.Count(folder);
  return ok;
}

bool HasGameToContinue(Saves& s) {
  SaveFolder folder = s.Folder();
  SaveData data;
  LoadPlayers(folder, data);
  return HasSavedGame(data);
}

void StartNewGame(Saves& s, Match& m, int level) {
  SaveFolder folder = s.Folder();
  PrepareSaveFolder(folder);
  SaveData data;
  LoadGameRecords(folder, data);
  StartNewGameRecords(folder, data, level);
  const double now = s.Now();
  BoardPlayer player = m.player;
  const PlayerRecord& record = data.players.CurrentRecord();
  CopyPlayerToMatch(record, player);
  // Someone who never named a player gets the tips too.
  player.tipsOn = !s.options.noTips && (record.Name.empty() || record.ShowTips != kFalse);
  SetMatchPlayer(m, player, now);
  const int slot = data.players.Current();
  // Demos and soaks open the whole shop.
  if (s.options.allBonuses) UnlockEveryItem(data.items, slot);
  SetShopState(m, data.items, slot, now);
  NewGame(m, level, now);
  s.logs.WriteRunLog("NewGame", "New game on level " + std::to_string(m.session.CurrentLevel) + " for player " +
                                    std::to_string(slot));
  s.Count(folder);
}

void EnterEndedGame(Saves& s, int score) {
  SaveFolder folder = s.Folder();
  PrepareSaveFolder(folder);
  SaveData data;
  LoadPlayers(folder, data);
  EndGameRecords(folder, data, score, true);
  s.Count(folder);
}

void SaveShopOnLeaving(Saves& s, const Match& m) {
  SaveFolder folder = s.Folder();
  PrepareSaveFolder(folder);
  SaveData data;
  LoadGameRecords(folder, data);
  CopySlot(data.items, data.players.Current(), m.items, m.itemSlot);
  if (!SaveItemStatus(folder, data)) s.logs.WriteRunLog("SaveItemStatus", "The shop was not fully saved");
  s.Count(folder);
}

void LoadMapPointsOf(Saves& s, MapPoints& points) {
  SaveFolder folder = s.Folder();
  SaveData data;
  LoadMapPoints(folder, data);
  points = data.map;
}

bool NeedsFirstPlayer(Saves& s, SaveData& data, bool& ask) {
  SaveFolder folder = s.Folder();
  // A save cut short is finished (or undone) before anything reads the files.
  SettleSaves(folder);
  LoadPlayers(folder, data);
  if (data.players.CurrentRecord().NewGamePending != kFalse) {
    // A new game whose start was cut short is finished before anything reads it.
    LoadItemStatus(folder, data);
    LoadMapPoints(folder, data);
    FinishNewGame(folder, data);
    s.Count(folder);
  }
  if (!data.players.CurrentRecord().Name.empty()) return false;
  data.players.SetCurrent(kFirstPlayer);
  ask = data.players.slot[std::size_t(kFirstPlayer)].Name.empty();
  return true;
}

void KeepFirstPlayer(Saves& s, SaveData& data, const std::string* name) {
  if (name) {
    PlayerRecord& first = data.players.slot[std::size_t(kFirstPlayer)];
    // A game played before the name was given is kept under it.
    if (first.Name.empty() && first.MaxLevel > 0) {
      first.Name = CleanName(*name);
      first.Deleted = 0;
      first.ShowTips = kTrue;
    } else {
      MakeNewPlayer(first, *name);
    }
    s.logs.WriteRunLog(logtag::kMainMenu, "New player \"" + first.Name + "\" in slot 1");
  }
  SaveFolder folder = s.Folder();
  PrepareSaveFolder(folder);
  SavePlayers(folder, data);
  s.Count(folder);
}

}  // namespace bm

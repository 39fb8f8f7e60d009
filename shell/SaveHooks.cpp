#include "shell/SaveHooks.h"

#include "shell/Game.h"
#include "bonus/ShopItems.h"
#include "match/Carryover.h"
#include "shell/RosterScreens.h"
#include "saves/SaveGame.h"

namespace bm {

namespace {

SaveFolder Folder(Game& g) { return SaveFolder{g.options.dataDir, g.options.gameDir, &g.logs}; }

void Count(Game& g, const SaveFolder& f) {
  g.saveCounters.games += f.counters.games;
  g.saveCounters.writes += f.counters.writes;
  g.saveCounters.failures += f.counters.failures;
}

// The players, the item status and the map points: what a save of the game or
// the shop writes back. Saving the item status writes the map point file too,
// so the points must be loaded first.
void LoadGameRecords(SaveFolder& folder, SaveData& data) {
  LoadPlayers(folder, data);
  LoadItemStatus(folder, data);
  LoadMapPoints(folder, data);
}

}  // namespace

void SaveLeftLevel(Game& g) {
  if (!LevelInProgress(g.match)) return;
  SaveFolder folder = Folder(g);
  SaveData data;
  LoadGameRecords(folder, data);
  const bool ok = SaveGame(folder, data, g.match);
  g.logs.WriteRunLog("SaveGame", std::string(ok ? "Saved" : "Not fully saved") + " on level " +
                                     std::to_string(g.match.session.CurrentLevel) + " for player " +
                                     std::to_string(data.players.Current()));
  Count(g, folder);
}

void ForgetEndedGame(Game& g) {
  if (!g.match.session.ended) return;
  SaveFolder folder = Folder(g);
  SaveData data;
  LoadPlayers(folder, data);
  if (data.players.CurrentRecord().MaxLevel == 0 && data.players.CurrentRecord().GameLevel == 0) return;
  EndGameRecords(folder, data, g.match.session.Score, false);
  Count(g, folder);
}

bool ContinueSavedGame(Game& g) {
  SaveFolder folder = Folder(g);
  SaveData data;
  LoadPlayers(folder, data);
  if (!HasSavedGame(data)) return false;
  const bool ok = LoadSavedGame(folder, data, g.match, g.Now());
  if (ok)
    g.logs.WriteRunLog("ContinueGame", "Continued on level " + std::to_string(g.match.session.CurrentLevel) +
                                           " for player " + std::to_string(data.players.Current()));
  Count(g, folder);
  return ok;
}

bool HasGameToContinue(Game& g) {
  SaveFolder folder = Folder(g);
  SaveData data;
  LoadPlayers(folder, data);
  return HasSavedGame(data);
}

void StartNewGame(Game& g, int level) {
  SaveFolder folder = Folder(g);
  PrepareSaveFolder(folder);
  SaveData data;
  LoadGameRecords(folder, data);
  StartNewGameRecords(folder, data);
  SavePlayers(folder, data);
  Match& m = g.match;
  const double now = g.Now();
  BoardPlayer player = m.player;
  const PlayerRecord& record = data.players.CurrentRecord();
  CopyPlayerToMatch(record, player);
  // Someone who never named a player gets the tips too; the bot reads none.
  player.tipsOn = !g.botInput && (record.Name.empty() || record.ShowTips != kFalse);
  SetMatchPlayer(m, player, now);
  const int slot = data.players.Current();
  // Demos and soaks open the whole shop.
  if (g.options.allBonuses) UnlockEveryItem(data.items, slot);
  SetShopState(m, data.items, slot, now);
  NewGame(m, level, now);
  g.logs.WriteRunLog("NewGame", "New game on level " + std::to_string(m.session.CurrentLevel) + " for player " +
                                    std::to_string(slot));
  Count(g, folder);
}

void EnterEndedGame(Game& g, int score) {
  SaveFolder folder = Folder(g);
  PrepareSaveFolder(folder);
  SaveData data;
  LoadPlayers(folder, data);
  // A game played without a player still has its score kept, under a plain name.
  const bool named = !data.players.CurrentRecord().Name.empty();
  if (!named) RecordHighScore(folder, data, "Player", score);
  EndGameRecords(folder, data, score, named);
  Count(g, folder);
}

void SaveShopOnLeaving(Game& g) {
  SaveFolder folder = Folder(g);
  PrepareSaveFolder(folder);
  SaveData data;
  LoadGameRecords(folder, data);
  const Match& m = g.match;
  const std::size_t from = std::size_t(m.itemSlot), to = std::size_t(data.players.Current());
  if (from < std::size_t(kItemSlots)) {
    data.items.items[to] = m.items.items[from];
    data.items.stars[to] = m.items.stars[from];
    data.items.grades[to] = m.items.grades[from];
  }
  if (!SaveItemStatus(folder, data)) g.logs.WriteRunLog("SaveItemStatus", "The shop was not fully saved");
  Count(g, folder);
}

void LoadMapPointsOf(Game& g, MapPoints& points) {
  SaveFolder folder = Folder(g);
  SaveData data;
  LoadMapPoints(folder, data);
  points = data.map;
}

bool BotLeavesNow(const Game& g) {
  return g.botInput && g.options.botLeaveSeconds > 0 &&
         g.plat.clock->ClockMs() - g.levelVisitMs >= g.options.botLeaveSeconds * 1000.0;
}

bool AskFirstPlayerName(Game& g) {
  SaveFolder folder = Folder(g);
  SaveData data;
  LoadPlayers(folder, data);
  if (!data.players.CurrentRecord().Name.empty()) return false;
  data.players.SetCurrent(kFirstPlayer);
  PlayerRecord& first = data.players.slot[std::size_t(kFirstPlayer)];
  std::string name;
  const bool ask = first.Name.empty();
  if (ask && NameEntryLoop(g, name, true)) {
    ClearPlayer(first);
    first.Name = CleanName(name);
    first.ShowTips = kTrue;  // a new player is shown the tips
    g.logs.WriteRunLog("goMainMenu", "New player \"" + first.Name + "\" in slot 1");
  }
  PrepareSaveFolder(folder);
  SavePlayers(folder, data);
  Count(g, folder);
  g.flags.Redraw = true;
  return ask;
}

}  // namespace bm

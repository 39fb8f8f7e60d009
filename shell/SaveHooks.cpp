#include "shell/SaveHooks.h"

#include "shell/Game.h"
#include "storage/SaveGame.h"

namespace bm {

namespace {

SaveFolder Folder(Game& g) { return SaveFolder{g.options.dataDir, g.options.gameDir, &g.logs}; }

void Count(Game& g, const SaveFolder& f) {
  g.saveCounters.games += f.counters.games;
  g.saveCounters.writes += f.counters.writes;
  g.saveCounters.failures += f.counters.failures;
}

}  // namespace

void SaveLeftLevel(Game& g) {
  if (!LevelInProgress(g.match)) return;
  SaveFolder folder = Folder(g);
  SaveData data;
  LoadPlayers(folder, data);
  LoadItemStatus(folder, data);
  LoadMapPoints(folder, data);
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

void UseCurrentPlayerTips(Game& g) {
  SaveFolder folder = Folder(g);
  SaveData data;
  LoadPlayers(folder, data);
  const PlayerRecord& p = data.players.CurrentRecord();
  // Someone who never named a player gets the tips too.
  g.match.player.tipsOn = p.Name.empty() || p.ShowTips != kFalse;
  // A new game shows every tip again, once each; a continued game keeps its marks.
  g.match.player.tipSeen.fill(false);
}

bool BotLeavesNow(const Game& g) {
  return g.botInput && g.options.botLeaveSeconds > 0 &&
         g.plat.clock->ClockMs() - g.levelVisitMs >= g.options.botLeaveSeconds * 1000.0;
}

}  // namespace bm

#include "match/MatchReport.h"

#include <cinttypes>
#include <cstdio>

namespace bm {

std::string MatchReportFields(const Match& m, std::uint64_t seed) {
  const MatchStats& s = m.stats;
  double playSeconds = m.clock.startMs < 0 ? 0 : (m.clock.lastNow - m.clock.startMs) / 1000.0;
  char buf[1024];
  std::snprintf(buf, sizeof buf,
                "  \"seed\": %" PRIu64 ",\n  \"levels_played\": %d,\n  \"levels_won\": %d,\n  \"level\": %d,\n"
                "  \"lives\": %d,\n  \"score\": %d,\n  \"moves\": %ld,\n  \"lines\": %ld,\n"
                "  \"longest_cascade\": %d,\n  \"reshuffles\": %d,\n  \"frames\": %ld,\n  \"play_seconds\": %.3f,\n"
                "  \"invariant_violations\": %ld,\n  \"board_hash\": \"%016" PRIx64 "\",\n",
                seed, s.levelsPlayed, s.levelsWon, m.session.CurrentLevel, m.session.Lives, m.session.Score, s.moves,
                s.lines, s.longestCascade, s.reshuffles, s.frames, playSeconds, s.invariantViolations,
                BoardHash(m.cells));
  std::string out = buf;
  // The bonuses: what appeared and what was used, by item code.
  const BonusFigures& f = m.bonus.Figures;
  auto byCode = [](const std::array<long, 101>& counts) {
    std::string list = "{";
    for (int code = 0; code <= 100; ++code) {
      if (counts[std::size_t(code)] == 0) continue;
      if (list.size() > 1) list += ", ";
      list += "\"" + std::to_string(code) + "\": " + std::to_string(counts[std::size_t(code)]);
    }
    return list + "}";
  };
  out += "  \"bonuses_spawned\": " + byCode(f.spawned) + ",\n";
  out += "  \"bonuses_used\": " + byCode(f.used) + ",\n";
  out += "  \"bonuses_pressed\": " + byCode(f.pressed) + ",\n";
  out += "  \"keys_found\": " + std::to_string(f.keysFound) + ",\n";
  out += "  \"stars_found\": " + std::to_string(f.starsFound) + ",\n";
  out += "  \"effects_peak\": " + std::to_string(f.effectsPeak) + ",\n";
  char flow[512];
  std::snprintf(flow, sizeof flow,
                "  \"lives_lost\": %d,\n  \"game_overs\": %d,\n  \"games_completed\": %d,\n"
                "  \"shop_unlocks\": %d,\n  \"shop_upgrades\": %d,\n  \"levels_reached\": %d,\n",
                s.livesLost, s.gameOvers, s.gamesCompleted, s.shopUnlocks, s.shopUpgrades, s.levelsReached);
  return out + flow;
}

}  // namespace bm

#include "Cues.h"

#include "Dsp.h"
#include "Sfx.h"
#include "bonus/BonusKinds.h"

namespace bm::snd {

namespace {
constexpr CueKind kShot = CueKind::OneShot;
constexpr CueKind kLoop = CueKind::Loop;
}  // namespace

const std::vector<Cue>& CueTable() {
  static const std::vector<Cue> table = [] {
    // The bonus side's cues come first, in the order of the game's bonus table;
    // the ids count up through the whole list.
    std::vector<Cue> cues;
    for (std::string_view name : kBonusCues)
      for (const Cue& recipe : BonusCueRecipes())
        if (name == recipe.name) cues.push_back(recipe);
    const std::vector<Cue> events = {
        {"ev_logo", 1, kShot, -13, EvLogo, "logo sting"},
        {"ev_menu_over", 1, kShot, -22, EvMenuOver, "pointer over a menu item"},
        {"ev_menu_click", 2, kShot, -16, EvMenuClick, "menu item clicked"},
        {"ev_map_paper", 2, kShot, -17, EvMapPaper, "map or shop view opened"},
        {"ev_map_sea", 1, kLoop, -24, MapSea, "stage 1 ambience, loops"},
        {"ev_map_wind", 1, kLoop, -24, MapWind, "stage 2 ambience, loops"},
        {"ev_map_forest", 1, kLoop, -25, MapForest, "stage 3 ambience, loops"},
        {"ev_map_entrance", 1, kLoop, -24, MapEntrance, "stage 4 ambience, loops"},
        {"ev_map_cricket", 1, kLoop, -26, MapCricket, "stage 5 ambience, loops"},
        {"ev_map_cave", 1, kLoop, -24, MapCave, "stage 6 ambience, loops"},
        {"ev_map_gold", 1, kLoop, -25, MapGold, "stage 7 ambience, loops"},
        {"ev_map_current", 2, kShot, -17, EvMapCurrent, "current level marker pulse"},
        {"ev_shop_open", 2, kShot, -15, EvShopOpen, "key opens a lock"},
        {"ev_shop_close", 2, kShot, -15, EvShopClose, "item locked again"},
        {"ev_shop_key_take", 2, kShot, -17, EvShopKeyTake, "key picked up"},
        {"ev_shop_key_put", 2, kShot, -17, EvShopKeyPut, "key put back"},
        {"ev_shop_key_fail", 2, kShot, -16, EvShopKeyFail, "lock refuses the key"},
        {"ev_shop_star_take", 2, kShot, -17, EvShopStarTake, "star picked up"},
        {"ev_shop_star_put", 2, kShot, -17, EvShopStarPut, "star put back"},
        {"ev_shop_star_fail", 2, kShot, -16, EvShopStarFail, "item refuses the star"},
        {"ev_shop_stars_gold", 3, kShot, -14, EvShopStarsGold, "gold star raises a grade"},
        {"ev_shop_stars_blue", 3, kShot, -14, EvShopStarsBlue, "blue star raises a grade"},
        {"ev_shop_stars_back", 2, kShot, -15, EvShopStarsBack, "grade mark taken back"},
        {"ev_shop_stars", 1, kShot, -15, EvShopStars, "star shimmer"},
        {"ev_shop_bonus_over", 1, kShot, -20, EvShopBonusOver, "pointer over a shop item"},
        {"ev_game_hint", 1, kShot, -16, EvGameHint, "hint shown"},
        {"ev_game_click", 2, kShot, -17, EvGameClick, "jewel selected"},
        {"ev_game_swap", 3, kShot, -17, EvGameSwap, "swap accepted"},
        {"ev_game_collapse", 8, kShot, -15, EvGameCollapse, "matched jewels collapse"},
        {"ev_game_wrong", 2, kShot, -16, EvGameWrong, "swap refused"},
        {"ev_game_fall", 6, kShot, -17, EvGameFall, "falling jewels land"},
        {"ev_game_timeout", 1, kShot, -16, EvGameTimeout, "hourglass running out"},
        {"ev_game_bal_pop", 8, kShot, -15, EvGameBalPop, "bubble bursts"},
        {"ev_game_bal_fill", 4, kShot, -16, EvGameBalFill, "bubble fills"},
        {"complete_level", 1, kShot, -13, CompleteLevel, "level complete"},
        {"complete_stage", 1, kShot, -13, CompleteStage, "stage complete"},
        {"complete_game", 1, kShot, -13, CompleteGame, "game complete"},
        {"complete_timeisup", 1, kShot, -14, CompleteTimeIsUp, "time is up"},
        {"complete_gameover", 1, kShot, -14, CompleteGameOver, "game over"},
    };
    cues.insert(cues.end(), events.begin(), events.end());
    for (std::size_t i = 0; i < cues.size(); ++i) cues[i].id = int(i) + 1;
    return cues;
  }();
  return table;
}

std::string MissingBonusCues() {
  std::string missing;
  for (std::string_view name : kBonusCues) {
    bool found = false;
    for (const Cue& recipe : BonusCueRecipes()) found = found || name == recipe.name;
    if (!found) missing += std::string(missing.empty() ? "" : ", ") + std::string(name);
  }
  for (const Cue& recipe : BonusCueRecipes()) {
    bool listed = false;
    for (std::string_view name : kBonusCues) listed = listed || name == recipe.name;
    if (!listed) missing += std::string(missing.empty() ? "" : ", ") + recipe.name + " (not in the bonus table)";
  }
  return missing;
}

std::string CueFile(const Cue& cue) { return std::string("sfx/") + cue.name + ".ogg"; }

Sound RenderCue(const Cue& cue) {
  Noise noise(std::string(cue.name));
  Sound s = cue.make(noise);
  if (cue.kind == CueKind::Loop) {
    NormaliseRms(s, cue.loudDb, -3.0);
    return s;
  }
  DcBlock(s);
  TrimSilence(s, 0.02);
  FadeEdges(s, 0.0015, 0.015);
  Normalise(s, cue.loudDb, -3.0);
  return s;
}

std::string SoundsIniText() {
  std::string text;
  auto line = [&](const std::string& l) { text += l + "\r\n"; };
  line("// Brinemoor sound cues, written by the sound generator; edits are lost on the next build.");
  line("// Each line: cue name, one blank, =id,file,instances. Files are below the program folder.");
  line("");
  line("[SFX:BEGIN]");
  for (const Cue& c : CueTable()) {
    std::string file = CueFile(c);
    for (char& ch : file)
      if (ch == '/') ch = '\\';
    line("// " + std::string(c.note));
    line(std::string(c.name) + " =" + std::to_string(c.id) + ",\\" + file + "," + std::to_string(c.instances));
  }
  line("[SFX:END]");
  return text;
}

}  // namespace bm::snd

#include "Cues.h"

#include "Dsp.h"
#include "Sfx.h"

namespace bm::snd {

namespace {
constexpr CueKind kShot = CueKind::OneShot;
constexpr CueKind kLoop = CueKind::Loop;
}  // namespace

const std::vector<Cue>& CueTable() {
  static const std::vector<Cue> table = {
      {"bon_treasure", 1, 3, kShot, -13, BonTreasure, "treasure chest pays out"},
      {"bon_life", 2, 2, kShot, -13, BonLife, "extra life"},
      {"bon_clock", 3, 2, kShot, -13, BonClock, "clock adds time"},
      {"bon_bomb1", 4, 3, kShot, -12, BonBomb1, "bomb, no upgrade"},
      {"bon_bomb2", 5, 3, kShot, -11, BonBomb2, "bomb, grade 1"},
      {"bon_bomb3", 6, 3, kShot, -10, BonBomb3, "bomb, grade 2"},
      {"bon_bomb4", 7, 3, kShot, -9, BonBomb4, "bomb, grade 3"},
      {"bon_reso", 8, 2, kShot, -13, BonReso, "rainbow gem"},
      {"bon_reshuf", 9, 1, kShot, -14, BonReshuf, "shuffle"},
      {"bon_parrot", 10, 2, kShot, -13, BonParrot, "parrot shows all moves"},
      {"bon_rum", 11, 2, kShot, -13, BonRum, "rum penalty starts"},
      {"bon_rum_change", 12, 4, kShot, -15, BonRumChange, "rum swaps by itself"},
      {"bon_push", 13, 3, kShot, -10, BonPush, "cannonball"},
      {"bon_gun", 14, 3, kShot, -11, BonGun, "pirate gun"},
      {"bon_anc", 15, 2, kShot, -13, BonAnc, "hook taken or used"},
      {"bon_sun", 16, 2, kShot, -13, BonSun, "golden sun"},
      {"bon_coin_blue", 17, 4, kShot, -14, BonCoinBlue, "blue star collected"},
      {"bon_coin_gold", 18, 4, kShot, -14, BonCoinGold, "gold star collected"},
      {"bon_key", 19, 3, kShot, -14, BonKey, "key revealed"},
      {"bon_sign", 20, 2, kShot, -15, BonSign, "board notice"},
      {"bon_pick", 21, 3, kShot, -14, BonPick, "stored bonus picked up"},
      {"ev_logo", 22, 1, kShot, -13, EvLogo, "logo sting"},
      {"ev_menu_over", 23, 1, kShot, -22, EvMenuOver, "pointer over a menu item"},
      {"ev_menu_click", 24, 2, kShot, -16, EvMenuClick, "menu item clicked"},
      {"ev_map_paper", 25, 2, kShot, -17, EvMapPaper, "map or shop view opened"},
      {"ev_map_sea", 26, 1, kLoop, -24, MapSea, "stage 1 ambience, loops"},
      {"ev_map_wind", 27, 1, kLoop, -24, MapWind, "stage 2 ambience, loops"},
      {"ev_map_forest", 28, 1, kLoop, -25, MapForest, "stage 3 ambience, loops"},
      {"ev_map_entrance", 29, 1, kLoop, -24, MapEntrance, "stage 4 ambience, loops"},
      {"ev_map_cricket", 30, 1, kLoop, -26, MapCricket, "stage 5 ambience, loops"},
      {"ev_map_cave", 31, 1, kLoop, -24, MapCave, "stage 6 ambience, loops"},
      {"ev_map_gold", 32, 1, kLoop, -25, MapGold, "stage 7 ambience, loops"},
      {"ev_map_current", 33, 2, kShot, -17, EvMapCurrent, "current level marker pulse"},
      {"ev_shop_open", 34, 2, kShot, -15, EvShopOpen, "key opens a lock"},
      {"ev_shop_close", 35, 2, kShot, -15, EvShopClose, "item locked again"},
      {"ev_shop_key_take", 36, 2, kShot, -17, EvShopKeyTake, "key picked up"},
      {"ev_shop_key_put", 37, 2, kShot, -17, EvShopKeyPut, "key put back"},
      {"ev_shop_key_fail", 38, 2, kShot, -16, EvShopKeyFail, "lock refuses the key"},
      {"ev_shop_star_take", 39, 2, kShot, -17, EvShopStarTake, "star picked up"},
      {"ev_shop_star_put", 40, 2, kShot, -17, EvShopStarPut, "star put back"},
      {"ev_shop_star_fail", 41, 2, kShot, -16, EvShopStarFail, "item refuses the star"},
      {"ev_shop_stars_gold", 42, 3, kShot, -14, EvShopStarsGold, "gold star raises a grade"},
      {"ev_shop_stars_blue", 43, 3, kShot, -14, EvShopStarsBlue, "blue star raises a grade"},
      {"ev_shop_stars_back", 44, 2, kShot, -15, EvShopStarsBack, "grade mark taken back"},
      {"ev_shop_stars", 45, 1, kShot, -15, EvShopStars, "star shimmer"},
      {"ev_shop_bonus_over", 46, 1, kShot, -20, EvShopBonusOver, "pointer over a shop item"},
      {"ev_game_hint", 47, 1, kShot, -16, EvGameHint, "hint shown"},
      {"ev_game_click", 48, 2, kShot, -17, EvGameClick, "jewel selected"},
      {"ev_game_swap", 49, 3, kShot, -17, EvGameSwap, "swap accepted"},
      {"ev_game_collapse", 50, 8, kShot, -15, EvGameCollapse, "matched jewels collapse"},
      {"ev_game_wrong", 51, 2, kShot, -16, EvGameWrong, "swap refused"},
      {"ev_game_fall", 52, 6, kShot, -17, EvGameFall, "falling jewels land"},
      {"ev_game_timeout", 53, 1, kShot, -16, EvGameTimeout, "hourglass running out"},
      {"ev_game_bal_pop", 54, 8, kShot, -15, EvGameBalPop, "bubble bursts"},
      {"ev_game_bal_fill", 55, 4, kShot, -16, EvGameBalFill, "bubble fills"},
      {"complete_level", 56, 1, kShot, -13, CompleteLevel, "level complete"},
      {"complete_stage", 57, 1, kShot, -13, CompleteStage, "stage complete"},
      {"complete_game", 58, 1, kShot, -13, CompleteGame, "game complete"},
      {"complete_timeisup", 59, 1, kShot, -14, CompleteTimeIsUp, "time is up"},
      {"complete_gameover", 60, 1, kShot, -14, CompleteGameOver, "game over"},
  };
  return table;
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

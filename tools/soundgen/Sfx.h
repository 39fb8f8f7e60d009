// One recipe per sound cue (the bonus side's live in SfxBonus.cpp). Each returns the raw sound; levels, edges and
// trimming are applied afterwards (see Cues.cpp).
#pragma once
#include "Sound.h"

namespace bm::snd {

// Logo, menus, map and play.
Sound EvLogo(Noise& n);
Sound EvMenuOver(Noise& n);
Sound EvMenuClick(Noise& n);
Sound EvMapPaper(Noise& n);
Sound EvMapCurrent(Noise& n);
Sound EvGameHint(Noise& n);
Sound EvGameClick(Noise& n);
Sound EvGameSwap(Noise& n);
Sound EvGameCollapse(Noise& n);
Sound EvGameWrong(Noise& n);
Sound EvGameFall(Noise& n);
Sound EvGameTimeout(Noise& n);
Sound EvGameBalPop(Noise& n);
Sound EvGameBalFill(Noise& n);

// Pirate Shop.
Sound EvShopOpen(Noise& n);
Sound EvShopClose(Noise& n);
Sound EvShopKeyTake(Noise& n);
Sound EvShopKeyPut(Noise& n);
Sound EvShopKeyFail(Noise& n);
Sound EvShopStarTake(Noise& n);
Sound EvShopStarPut(Noise& n);
Sound EvShopStarFail(Noise& n);
Sound EvShopStarsGold(Noise& n);
Sound EvShopStarsBlue(Noise& n);
Sound EvShopStarsBack(Noise& n);
Sound EvShopStars(Noise& n);
Sound EvShopBonusOver(Noise& n);

// Level, stage and game outcomes.
Sound CompleteLevel(Noise& n);
Sound CompleteStage(Noise& n);
Sound CompleteGame(Noise& n);
Sound CompleteTimeIsUp(Noise& n);
Sound CompleteGameOver(Noise& n);

// Map ambience loops, one per stage; each comes back already looped and levelled.
Sound MapSea(Noise& n);
Sound MapWind(Noise& n);
Sound MapForest(Noise& n);
Sound MapEntrance(Noise& n);
Sound MapCricket(Noise& n);
Sound MapCave(Noise& n);
Sound MapGold(Noise& n);

}  // namespace bm::snd

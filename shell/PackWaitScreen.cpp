#include "shell/PackWaitScreen.h"

#include <algorithm>
#include <string>

#include "board/LevelState.h"
#include "shell/LoadingScreen.h"
#include "shell/Loop.h"
#include "shell/Services.h"

namespace bm {

std::vector<std::string> LevelPacks(int level) { return {kPlayPack, "stage" + std::to_string(StageOfLevel(level))}; }

double PacksHere(Stage& s, const std::vector<std::string>& packs) {
  DataPacks* source = s.platform.packs;
  if (!source || packs.empty()) return 1;
  double sum = 0;
  for (const std::string& p : packs) sum += std::clamp(source->Wanted(p.c_str()), 0.0, 1.0);
  return sum / double(packs.size());
}

Next PackWaitScreen::Enter(Stage& s) {
  s.logs.WriteRunLog("Packs", "Waiting for the game's data on its way");
  return Next::Stay();
}

Next PackWaitScreen::Pass(Stage& s) {
  double here = PacksHere(s, packs_);
  if (here >= 1 || s.loop.ExitRequested) {
    // Only the loading screens show the loading picture.
    s.look.textures.Release(kLoadingPicture);
    s.look.textures.Release(kLoadingPictureFilled);
    return Next::Pop();
  }
  if (s.look.drawing && here != shown_) {
    shown_ = here;
    DrawLoadingFrame(s, here);
    s.loop.SceneDirty = true;
  }
  // The page wakes the program when a pack arrives; the bar moves ten times a second meanwhile.
  return Next::Stay(s.Now() + 100);
}

}  // namespace bm

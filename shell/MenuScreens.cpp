#include "shell/MenuScreens.h"

#include <filesystem>
#include <iterator>

#include "render/MenuScreen.h"
#include "shell/Game.h"
#include "shell/HowToPlayScreen.h"
#include "shell/OptionsScreen.h"
#include "shell/RosterScreens.h"
#include "shell/ScreenKit.h"
#include "storage/BoardFile.h"
#include "storage/SaveFolder.h"

namespace bm {

bool OpenMenuScreen(Game& g, int item) {
  // The files are the truth: each screen reads them afresh and writes what it changed.
  SaveFolder folder{g.options.dataDir, g.options.gameDir, &g.logs};
  SaveData data;
  switch (item) {
    case menu::Options: OptionsLoop(g); break;
    case menu::HowToPlay: HowToPlayLoop(g); break;
    case menu::ChangePlayer:
      PrepareSaveFolder(folder);
      LoadPlayers(folder, data);
      PlayersLoop(
          g, data.players, [&] { SavePlayers(folder, data); },
          [&](int slot) {
            std::error_code ec;
            std::filesystem::remove(folder.SavesPath(BoardFileName(slot)), ec);
          });
      break;
    case menu::HighScores:
      PrepareSaveFolder(folder);
      LoadHighScores(folder, data);
      HighScoresLoop(
          g, data.scores, [&] { SaveHighScores(folder, data); }, [&] { ResetHighScores(folder, data); });
      break;
    default: return false;
  }
  g.flags.Redraw = true;
  return true;
}

int MenuKeys::Update(Input& in, bool& changed) {
  changed = false;
  if (PointerMoved(lastPointer, in.Pointer()) && focus >= 0) {
    focus = -1;
    changed = true;
  }
  const int keys[6] = {vk::Up, vk::Down, vk::Left, vk::Right, vk::Tab, vk::Enter};
  bool fresh[6];
  for (int i = 0; i < 6; ++i) {
    bool down = in.KeyDown(keys[i]);
    fresh[i] = down && !keysHeld[i];
    keysHeld[i] = down;
  }
  bool space = in.KeyDown(vk::Space);
  bool spaceFresh = space && !spaceHeld;
  spaceHeld = space;
  int n = int(std::size(kMenuKeyOrder));
  if (fresh[0] || fresh[2]) focus = focus <= 0 ? n - 1 : focus - 1, changed = true;
  if (fresh[1] || fresh[3] || fresh[4]) focus = focus < 0 || focus >= n - 1 ? 0 : focus + 1, changed = true;
  if (!(fresh[5] || spaceFresh)) return 0;
  // A first Enter with nothing marked shows the mark on "Play" rather than doing nothing unseen.
  if (focus < 0) {
    focus = 0;
    changed = true;
    return 0;
  }
  return kMenuKeyOrder[focus];
}

int MenuKeys::Marked() const { return focus >= 0 ? kMenuKeyOrder[focus] : 0; }

void DrawMenuMark(Canvas& c, const ScreenMetrics& m, int item) {
  IRect r = MainMenuItemRect(m, item);
  if (r.right <= r.left) return;
  // A gold bar with a dark rim just under the item's label.
  int x0 = r.left + (r.right - r.left) / 6, x1 = r.right - (r.right - r.left) / 6;
  int y = (r.top + r.bottom) / 2 + int(30 * m.YScale), h = int(8 * m.YScale) + 2, rim = 2;
  c.Fill(x0 - rim, y - rim, x1 + rim, y + h + rim, 0xFF000000);
  c.FillGradient(x0, y, x1, y + h, 0xFFFFF0A0, 0xFFE0A020);
}

}  // namespace bm

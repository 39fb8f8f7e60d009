#include "shell/MenuScreens.h"

#include <iterator>

#include "render/MenuScreen.h"
#include "shell/Game.h"
#include "shell/HowToPlayScreen.h"
#include "shell/OptionsScreen.h"

namespace bm {

bool OpenMenuScreen(Game& g, int item) {
  switch (item) {
    case menu::Options: OptionsLoop(g); break;
    case menu::HowToPlay: HowToPlayLoop(g); break;
    default: return false;
  }
  g.flags.Redraw = true;
  return true;
}

int MenuKeys::Update(Input& in, bool& changed) {
  changed = false;
  PointD p = in.Pointer();
  if (havePointer && (p.x != lastPointer.x || p.y != lastPointer.y) && focus >= 0) {
    focus = -1;
    changed = true;
  }
  havePointer = true;
  lastPointer = p;
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
  if ((fresh[5] || spaceFresh) && focus >= 0) return kMenuKeyOrder[focus];
  return 0;
}

int MenuKeys::Marked() const { return focus >= 0 ? kMenuKeyOrder[focus] : 0; }

void DrawMenuMark(Canvas& c, const ScreenMetrics& m, int item) {
  IRect r = MainMenuItemRect(m, item);
  if (r.right <= r.left) return;
  int x0 = r.left + (r.right - r.left) / 5, x1 = r.right - (r.right - r.left) / 5;
  int y = (r.top + r.bottom) / 2 + int(32 * m.YScale);
  c.Fill(x0, y, x1, y + int(5 * m.YScale) + 1, 0xFFFFFFFF);
  c.Fill(x0, y + int(5 * m.YScale) + 1, x1, y + int(8 * m.YScale) + 2, 0x80000000);
}

}  // namespace bm

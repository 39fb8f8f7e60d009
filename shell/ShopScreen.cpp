#include "shell/ShopScreen.h"

#include "shell/Game.h"

namespace bm {

void ShopFrame(Game& g, double) {
  if (!g.drawing) return;
  TextureId back = g.canvas.Tex("red/shop/shop1.jpg");
  if (back) g.canvas.FullScreen(back);
}

void ShopViewChanged(Game&, bool) {}

void RefreshBonusChances(Game&) {}

bool PlanShopMoves(Game&, BotHand&) { return false; }

}  // namespace bm

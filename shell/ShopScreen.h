// The Pirate Shop view of the between-levels screen.
#pragma once
#include <array>

namespace bm {

struct Game;
class BotHand;

// Key latches and the hover of the shop, kept between frames.
struct ShopMemory {
  bool wasDown = false, rightWasDown = false;
  std::array<bool, 4> cheatHeld{};  // F1..F4
  std::array<bool, 10> digitHeld{};  // keys 1..9 and 0
  int hovered = 0;
};

// One frame of the shop: drawing, picking up, dragging and dropping.
void ShopFrame(Game& g, double frameFactor);
// The shop view was opened or closed: a key or star still in the hand goes home.
void ShopViewChanged(Game& g, bool opened);
// The bot's next drops in the shop; false when it has nothing left worth doing.
bool PlanShopMoves(Game& g, BotHand& hand);

}  // namespace bm

// The game's data a screen needs may still be on its way (the page fetches it
// in packs, in the background): the loading picture and its bar, filled as the
// packs arrive, until every one is here. On the desktop every file is there and
// this screen never shows.
#pragma once
#include <string>
#include <vector>

#include "shell/Screen.h"

namespace bm {

// The pack with the main menu, its screens, dialogs, fonts and sounds.
inline constexpr const char* kMenuPack = "menu";
// The board's pictures and sounds and the levels.
inline constexpr const char* kPlayPack = "play";
// The map and the Pirate Shop.
inline constexpr const char* kBetweenPack = "between";
// The congratulations and credits after the last level.
inline constexpr const char* kCreditsPack = "credits";

// The packs a level needs: the board's pictures and sounds, its stage's background and tune.
std::vector<std::string> LevelPacks(int level);

// How much of the packs is here, 0..1 (1: all of them); asking puts the missing ones first in line.
double PacksHere(Stage& s, const std::vector<std::string>& packs);

class PackWaitScreen : public Screen {
 public:
  explicit PackWaitScreen(std::vector<std::string> packs) : packs_(std::move(packs)) {}
  const char* Name() const override { return "Packs"; }
  Next Enter(Stage& s) override;
  // The bar follows the download; pops once every pack is here (or the program ends).
  Next Pass(Stage& s) override;

 private:
  std::vector<std::string> packs_;
  double shown_ = -1;
};

}  // namespace bm

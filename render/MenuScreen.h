// The main menu: its picture, the items and which one is under the pointer.
#pragma once
#include <array>
#include <string>
#include <vector>

#include "board/ScreenMetrics.h"
#include "platform/Platform.h"

namespace bm {

class Canvas;
class Font;

// Menu item numbers as the main loop knows them.
namespace menu {
inline constexpr int Play = 1, Options = 2, Exit = 3, ChangePlayer = 4, HighScores = 6, HowToPlay = 8;
}

// The menu's look: each item's highlight 0..1 and the item under the pointer.
struct MainMenuView {
  std::array<double, 9> highlight{};  // by item number
  int choice = 0;
  std::string player;  // the current player's name, greeted at the top ("" for none)
};

// The greeting at the top of the menu.
std::string MenuGreeting(const std::string& player);

// One step of the highlights towards the pointer, and the item under it.
// True while a highlight still moves.
bool StepMenuHighlights(MainMenuView& v, const ScreenMetrics& m, double x, double y);
void DrawMainMenu(Canvas& c, Font& font, const MainMenuView& v);

// The item under a pointer position, 0 for none.
int MainMenuItemAt(const ScreenMetrics& m, double x, double y);

// The parts of the lit menu picture that are ever drawn: each prop's rectangle
// (the rest of it is never shown, so the device keeps these alone).
std::vector<PicturePart> MainMenuLitParts();

// Where an item reacts to the pointer, in back-buffer pixels (empty for an unknown item).
IRect MainMenuItemRect(const ScreenMetrics& m, int number);

}  // namespace bm

// The JSON summary a run writes at exit (--report).
#pragma once
#include <string>

namespace bm {

struct Game;

void WriteReport(Game& g, const std::string& path);
// The bot plays through the real input path: it starts a game from the menu.
void StartAutoplay(Game& g);
// The bot's hands on the main menu: press "Play" shortly after the menu shows.
void AutoplayMenuStep(Game& g);

}  // namespace bm

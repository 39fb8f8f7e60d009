// The play screen: a game from its set-up to leaving it for the main menu.
// Between its passes of play runs the level flow the match asks for, a small
// sequence of stages, each a screen pushed over this one and advanced when it
// pops: the new game's board flying in, playing, the won or lost level's board
// flying out, the map and the shop, the next level flying in, or the
// congratulations and credits after the last level.
#pragma once
#include <string>
#include <vector>

#include "shell/Screen.h"

namespace bm {

struct PlaySide;
struct Saves;

// What the play screen pops with: whether play began (the level left is then saved).
enum class PlayAnswer { NotStarted, Played };

class PlayScreen : public Screen {
 public:
  enum class Start {
    NewGame,     // "New Game": a new game on the command line's level (else 1), flown in
    SavedGame,   // "Continue": the board as it was left, no fly-in; a new game when it cannot be
    AsItStands,  // the match holds a level ready to play
  };

  // saves: the saved game, continued, started anew or ended; level: the command
  // line's level for a new game (0: the first).
  PlayScreen(PlaySide& play, Start start, Saves& saves, int level)
      : play_(play), start_(start), saves_(saves), newGameLevel_(level > 0 ? level : 1) {}
  const char* Name() const override { return "Play"; }
  Next Enter(Stage& s) override;
  Next Pass(Stage& s) override;
  Next Resume(Stage& s, Answer) override;
  Answer Closing(Stage&) override { return PlayAnswer::Played; }
  OnScreen Shows(const ScreenMetrics& m) const override;

 private:
  // WaitingForPacks: the page's data for what comes next is on its way (the loading bar over this screen);
  // Entering: the game is set up once the levels have come.
  enum class Step { FlyingIn, Playing, Away, FlyingOut, BetweenLevels, FlyingInNext, Credits, WaitingForPacks,
                    Entering };
  Next NewGame(Stage& s);
  // Play (re)begins: the board's clock runs from now, keys held from before wait for their release.
  Next BeginPlay(Stage& s);
  // Play goes on from here, its first pass comparing with the stock buttons as they look now.
  Next Playing(Stage& s);
  // What the match asked for at a level's end.
  Next LevelEnd(Stage& s);
  // Goes on to the next step (a flight, play, the map) once its packs are here; the loading bar until then
  // (only on the page, when the player is faster than the network).
  Next AfterPacks(Stage& s, std::vector<std::string> packs, Step next);
  // The map and the shop are done: the level the match chose, flown in.
  Next NextLevel(Stage& s, int level);
  PlaySide& play_;
  Start start_;
  Saves& saves_;
  int newGameLevel_;
  Step step_ = Step::Playing;
  Step afterPacks_ = Step::Playing;
  int level_ = 0;  // the level the map and the shop lead to (the map's cheat keys may change it)
};

}  // namespace bm
